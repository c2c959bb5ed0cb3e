#include "files/csv_table_lines.h"

#include <algorithm>

#include "files/detail/format_registry.h"
#include "quorvex2/core/encoding.h"
#include "quorvex2/core/path.h"
#include "quorvex2/core/text.h"

namespace quorvex2::detail {

std::optional<std::vector<std::string>> TableLines(const ReadRequest& request) {
  if (!request.file_data.empty()) return SplitText(NormalizeLineEnds(request.file_data), "\r\n");
  if (!IsFileExists(request.file_name)) return std::nullopt;
  return ReadTextLines(request.file_name, false);
}

std::vector<std::string> SplitText(const std::string& text, const std::string& separator) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (size_t end; (end = text.find(separator, start)) != std::string::npos;
       start = end + separator.size()) {
    fields.push_back(text.substr(start, end - start));
  }
  fields.push_back(text.substr(start));
  return fields;
}

namespace {

// The line without its quoted cells (as it is when a quote is left open).
std::string OutsideQuotes(const std::string& line) {
  if (std::count(line.begin(), line.end(), '"') % 2 != 0) return line;
  std::string outside;
  bool quoted = false;
  for (char c : line) {
    if (c == '"') {
      quoted = !quoted;
    } else if (!quoted) {
      outside += c;
    }
  }
  return outside;
}

}  // namespace

bool IsDelimitedTable(const std::vector<std::string>& lines, char delimiter) {
  size_t rows = 0, delimiters = 0;
  for (const std::string& whole : lines) {
    const std::string line = OutsideQuotes(whole);
    if (line.find(',') != std::string::npos) return false;
    if (line.empty()) continue;
    const auto count = static_cast<size_t>(std::count(line.begin(), line.end(), delimiter));
    if (count < 2 || (rows > 0 && count != delimiters)) return false;
    delimiters = count;
    ++rows;
  }
  return rows >= 3;
}

std::string CleanTableLine(const std::string& line) {
  std::string without_commas = line;
  std::erase(without_commas, ',');
  if (MakeNameKey(without_commas).empty()) return "";
  return Trim(line);
}

}  // namespace quorvex2::detail
