#pragma once
// The command lines of the archiver interface: "e -m "archive" "folder/" *.*" and
// "a "archive" member". Blanks separate the words; a word in double quotation marks may hold
// blanks.
#include <string>
#include <vector>

namespace quorvex2::detail::lha {

struct ArchiverCommand {
  std::string command;                // "e", "x", "a", ... in lower case
  std::vector<std::string> switches;  // without the leading "-"
  std::string archive;
  std::string folder;              // extraction folder, "" when none was given
  std::vector<std::string> files;  // masks to extract, or files to add
};

std::vector<std::string> SplitCommandWords(const std::string& line);

// The command's parts; the command is "" when the line names no command and archive.
ArchiverCommand ParseArchiverCommand(const std::string& line);

}  // namespace quorvex2::detail::lha
