#pragma once
// The lines of a text table: from the text already in memory or from the file, and the test
// that turns a line of only commas and blanks into an empty one.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvex2::detail {

struct ReadRequest;

// FileData split into lines when it is not empty (any line ends), otherwise the file's lines
// (quotes kept); nothing when the file cannot be read.
std::optional<std::vector<std::string>> TableLines(const ReadRequest& request);

// The text split at every occurrence of the separator (empty fields kept).
std::vector<std::string> SplitText(const std::string& text, const std::string& separator);

// A line read cell by cell, a cell that opens with a double quote running to its closing quote
// ("" inside it is a quote); a quote within a cell (1:23'45" for minutes and seconds) is text.
struct QuotedCells {
  std::string outside;            // the line without its quoted cells
  std::optional<size_t> open_at;  // where a quoted cell opens that the line leaves open
};
QuotedCells ScanQuotedCells(const std::string& line, std::string_view delimiters);

// The lines with each record whose quoted cell runs over line breaks ("late\nstart" in a
// comment) joined again by LF; a quote that opens a cell no line closes within 4 is a stray one
// and goes. A quote inside a cell (O"Brien) joins nothing.
std::vector<std::string> JoinQuotedCells(const std::vector<std::string>& lines,
                                         std::string_view delimiters);

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
