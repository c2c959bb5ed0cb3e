#pragma once
// The shape of a generic text table before its rows are read: the refused mail export, blank
// separated columns, and which way round the table is written.
#include <string>
#include <vector>

namespace quorvex2::detail {

// A comma inside a quoted field of a spreadsheet's table, kept apart from the commas between
// the fields while the table is shaped and read (FieldCommasBack gives it back).
inline constexpr char kFieldComma = '\x1F';

// A spreadsheet's table becomes plain comma-separated lines: its cells separated by tabs or
// semicolons (IsDelimitedTable) or commas; a quoted cell (one that holds a comma, a quote or a
// line break) without its quotes, its commas kept as kFieldComma and its line breaks as blanks;
// a quote left open is dropped.
void UnquoteFields(std::vector<std::string>& lines);

// The field with its own commas back.
std::string FieldCommasBack(std::string field);

// True when the last non-empty line is the footer of the component's own mail text export.
bool IsMailTextExport(const std::vector<std::string>& lines);

// When no line holds a comma, the columns are separated by tabs (each tab becomes a comma) in a
// table a spreadsheet saved, else by blanks: each run of blanks becomes one comma (leading and
// trailing blanks are dropped).
void SeparateBlankColumns(std::vector<std::string>& lines);

// How strongly a field looks like a column name: 10 for a known name, 1 for a small number,
// 0 for a larger number, -1 for any other text.
int32_t FieldNameScore(const std::string& field);

struct OrientationScores {
  int64_t column = 0;  // the first field of every line
  int64_t row = 0;     // every field of the first line
};
OrientationScores ScoreOrientation(const std::vector<std::string>& lines);

// Line j of the result holds field j of every line. Throws std::runtime_error when the result
// would be unreasonably large (a line of a million commas).
std::vector<std::string> TransposeTable(const std::vector<std::string>& lines);

}  // namespace quorvex2::detail
