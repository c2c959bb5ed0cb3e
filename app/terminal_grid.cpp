// The terminal grid: the cell store that DrawGrid fills and the host's colour table.
#include "terminal_grid.h"

#include <algorithm>
#include <iterator>

#include "display_width.h"

namespace qxcli {

using quorvex2::QxAlignTypeConst;
using quorvex2::QxColorTypeConst;

namespace {

constexpr int32_t kMaxCellWidth = 64;  // columns a cell shows at most

// 0x00BBGGRR, written as RGB(r, g, b): light data cells, deeper titles, gold, silver and bronze
// for the three best ranks.
constexpr int32_t Rgb(int32_t r, int32_t g, int32_t b) {
  return (b << 16) | (g << 8) | r;
}

constexpr int32_t kColorTable[] = {
    Rgb(242, 242, 242), Rgb(200, 200, 200),                      // name
    Rgb(255, 255, 210), Rgb(230, 230, 150),                      // result
    Rgb(220, 235, 255), Rgb(170, 200, 240),                      // leg times
    Rgb(220, 245, 220), Rgb(160, 215, 160),                      // split times
    Rgb(235, 225, 250), Rgb(200, 180, 235),                      // relative values
    Rgb(255, 225, 225), Rgb(240, 170, 170),                      // miss times
    Rgb(215, 245, 245), Rgb(150, 215, 215),                      // cruise speed and miss rate
    Rgb(255, 210, 210), Rgb(230, 150, 150),                      // total miss time
    Rgb(225, 210, 250), Rgb(185, 160, 230),                      // total relative value
    Rgb(255, 235, 205), Rgb(240, 200, 140),                      // time without misses
    Rgb(255, 215, 0),   Rgb(205, 205, 220), Rgb(225, 165, 105),  // ranks 1, 2, 3
};
static_assert(std::size(kColorTable) == quorvex2::kGridColorTypeCount);

}  // namespace

int32_t TerminalGrid::Color(QxColorTypeConst ColorType) const {
  if (ColorType < 0 || ColorType >= quorvex2::kGridColorTypeCount) return Rgb(255, 255, 255);
  return kColorTable[ColorType];
}

void TerminalGrid::TextMatrix(int32_t Row, int32_t Col, const std::string& Text) {
  if (Row < 0 || Row >= rows_ || Col < 0 || Col >= cols_) return;
  // A name of megabytes would make every line of its column as long.
  cells_[Row][Col].text = CutToWidth(Text, kMaxCellWidth);
}

void TerminalGrid::Clear() {
  for (auto& row : cells_) {
    for (Cell& cell : row) cell.text.clear();
  }
}

void TerminalGrid::Cols(int32_t Value) {
  cols_ = std::max(Value, 0);
  Resize();
}

void TerminalGrid::Rows(int32_t Value) {
  rows_ = std::max(Value, 0);
  Resize();
}

void TerminalGrid::Resize() {
  cells_.resize(rows_);
  for (auto& row : cells_) row.resize(cols_);
  col_alignments_.resize(cols_, kUnset);
}

void TerminalGrid::SelectCell(int32_t Row, int32_t Col, int32_t RowSel, int32_t ColSel) {
  if (RowSel < 0) RowSel = Row;
  if (ColSel < 0) ColSel = Col;
  selection_ = {std::clamp(std::min(Row, RowSel), 0, rows_),
                std::clamp(std::min(Col, ColSel), 0, cols_),
                std::clamp(std::max(Row, RowSel), -1, rows_ - 1),
                std::clamp(std::max(Col, ColSel), -1, cols_ - 1)};
}

template <class F>
void TerminalGrid::ForSelection(F f) {
  for (int32_t r = selection_.row; r <= selection_.row_sel; ++r) {
    for (int32_t c = selection_.col; c <= selection_.col_sel; ++c) f(cells_[r][c]);
  }
}

void TerminalGrid::CellBackColor(int32_t Color) {
  ForSelection([&](Cell& cell) { cell.back = Color; });
}

void TerminalGrid::CellForeColor(int32_t Color) {
  ForSelection([&](Cell& cell) { cell.fore = Color; });
}

void TerminalGrid::CellAlignment(QxAlignTypeConst Alignment) {
  ForSelection([&](Cell& cell) { cell.alignment = Alignment; });
}

void TerminalGrid::ColAlignment(int32_t Index, QxAlignTypeConst Alignment) {
  if (Index >= 0 && Index < cols_) col_alignments_[Index] = Alignment;
}

// A cell's own alignment, else its column's, else left.
int32_t TerminalGrid::AlignmentOf(int32_t row, int32_t col) const {
  if (cells_[row][col].alignment != kUnset) return cells_[row][col].alignment;
  if (col_alignments_[col] != kUnset) return col_alignments_[col];
  return quorvex2::QX_ALIGN_LEFT;
}

}  // namespace qxcli
