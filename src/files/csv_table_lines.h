#pragma once
// The lines of a text table: from the text already in memory or from the file, and the test
// that turns a line of only commas and blanks into an empty one.
#include <optional>
#include <string>
#include <vector>

namespace quorvex2::detail {

struct ReadRequest;

// FileData split into lines when it is not empty (any line ends), otherwise the file's lines
// (quotes kept); nothing when the file cannot be read.
std::optional<std::vector<std::string>> TableLines(const ReadRequest& request);

// The text split at every occurrence of the separator (empty fields kept).
std::vector<std::string> SplitText(const std::string& text, const std::string& separator);

// A table whose fields are separated by the delimiter (a tab or a semicolon), as a spreadsheet
// copies or saves one: outside its quoted cells no comma, and the same number of delimiters, two
// or more, on each of at least three lines that are not empty.
bool IsDelimitedTable(const std::vector<std::string>& lines, char delimiter);
inline bool IsTabSeparatedTable(const std::vector<std::string>& lines) {
  return IsDelimitedTable(lines, '\t');
}

// The line trimmed, or "" when nothing but commas, blanks and NUL characters remain.
std::string CleanTableLine(const std::string& line);

}  // namespace quorvex2::detail
