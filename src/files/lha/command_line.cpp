#include "files/lha/command_line.h"

#include <algorithm>
#include <cctype>

namespace quorvex2::detail::lha {
namespace {

bool EndsWithSeparator(const std::string& word) {
  return !word.empty() && (word.back() == '\\' || word.back() == '/');
}

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

}  // namespace

std::vector<std::string> SplitCommandWords(const std::string& line) {
  std::vector<std::string> words;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && line[i] == ' ') ++i;
    if (i == line.size()) break;
    std::string word;
    bool quoted = false;
    for (; i < line.size() && (quoted || line[i] != ' '); ++i) {
      if (line[i] == '"') {
        quoted = !quoted;
      } else {
        word += line[i];
      }
    }
    words.push_back(std::move(word));
  }
  return words;
}

ArchiverCommand ParseArchiverCommand(const std::string& line) {
  ArchiverCommand result;
  std::vector<std::string> words = SplitCommandWords(line);
  size_t i = 0;
  if (i < words.size()) result.command = Lower(words[i++]);
  for (; i < words.size() && words[i].size() > 1 && words[i][0] == '-'; ++i) {
    result.switches.push_back(words[i].substr(1));
  }
  if (i < words.size()) result.archive = words[i++];
  if (result.archive.empty()) result.command.clear();
  // A folder is the first word after the archive that ends in a path separator.
  if (i < words.size() && EndsWithSeparator(words[i])) result.folder = words[i++];
  for (; i < words.size(); ++i) result.files.push_back(words[i]);
  return result;
}

}  // namespace quorvex2::detail::lha
