#pragma once
// A web page's table laid out as text, the way a browser shows it in a fixed-width font: every
// column as wide as its widest cell, cells two blanks apart and the first two blanks in, so a
// cell's text stands in its column whatever the cells before it hold (an empty cell stays an empty
// column). Columns of numbers and times are right-aligned, columns of words left-aligned; a cell
// of several lines (<br>) makes its row as many lines tall.
#include <cstdint>
#include <string>
#include <vector>

namespace quorvex2::detail {

struct GridCell {
  std::vector<std::string> lines{std::string()};  // each with its blanks collapsed
  int32_t span = 1;                               // the columns it takes (colspan)
};
using GridRow = std::vector<GridCell>;

// The rows as text lines; a row whose cells are all empty gives none.
std::vector<std::string> LayOutTable(const std::vector<GridRow>& rows);

}  // namespace quorvex2::detail
