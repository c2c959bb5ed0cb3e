#pragma once
// A grid that keeps what it is told, the way a spreadsheet control would: cell texts, the back
// colour and alignment of each cell (a cell's own alignment before its column's), and the order
// of the calls that show, hide and clear it. Every colour class has a colour of its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "export/golden.h"
#include "quorvex2/chart/grid_object.h"

namespace quorvex2::testing {

class RecordingGrid : public clsGridObject {
 public:
  static int32_t ColorOf(QxColorTypeConst type) { return 0x010101 * (type + 1); }

  int32_t Color(QxColorTypeConst ColorType) const override { return ColorOf(ColorType); }
  void TextMatrix(int32_t Row, int32_t Col, const std::string& Text) override {
    if (Inside(Row, Col)) texts_[{Row, Col}] = Text;
  }
  void Clear() override {
    texts_.clear();
    log.push_back("Clear");
  }
  void Visible(bool Value) override {
    visible = Value;
    log.push_back(Value ? "Show" : "Hide");
  }
  void Cols(int32_t Value) override { cols = Value; }
  void Rows(int32_t Value) override { rows = Value; }
  void ColWidth(int32_t Index, int32_t Width) override {
    if (Inside(0, Index)) col_widths[Index] = Width;
  }
  void SelectCell(int32_t Row, int32_t Col, int32_t RowSel, int32_t ColSel) override {
    if (RowSel < 0) RowSel = Row;
    if (ColSel < 0) ColSel = Col;
    if (!Inside(Row, Col) || !Inside(RowSel, ColSel)) return;
    selection_ = {std::min(Row, RowSel), std::min(Col, ColSel), std::max(Row, RowSel),
                  std::max(Col, ColSel)};
  }
  void CellBackColor(int32_t Color) override {
    ForSelection([&](std::pair<int32_t, int32_t> cell) { back_colors_[cell] = Color; });
  }
  void CellForeColor(int32_t) override {}
  void CellAlignment(QxAlignTypeConst Alignment) override {
    ForSelection([&](std::pair<int32_t, int32_t> cell) { alignments_[cell] = Alignment; });
  }
  void ColAlignment(int32_t Index, QxAlignTypeConst Alignment) override {
    if (Inside(0, Index)) col_alignments_[Index] = Alignment;
  }

  std::string Text(int32_t row, int32_t col) const { return Find(texts_, row, col, std::string()); }
  // The grid as text: its size, column widths and calls, then a line a row with each cell's
  // text ("-" when none was set), colour class (c-1 for none) and alignment (C, R, L; - none).
  std::string Dump() const {
    std::string out = qxtest::Printf("rows %d cols %d widths", rows, cols);
    for (const auto& [col, width] : col_widths) out += qxtest::Printf(" %d", width);
    for (const auto& call : log) out += " " + call;
    for (int32_t row = 0; row < rows; ++row) {
      out += qxtest::Printf("\n%d", row);
      for (int32_t col = 0; col < cols; ++col) {
        const auto text = texts_.find({row, col});
        const int32_t align = Alignment(row, col);
        out += qxtest::Printf(" | %s c%d %c",
                              text == texts_.end() ? "-" : ("\"" + text->second + "\"").c_str(),
                              Find(back_colors_, row, col, 0) / 0x010101 - 1, "-CRL"[align + 1]);
      }
    }
    return out + "\n";
  }
  size_t TextCount() const { return texts_.size(); }

  int32_t rows = 0, cols = 0;
  bool visible = true;
  std::map<int32_t, int32_t> col_widths;
  std::vector<std::string> log;

 private:
  using Cell = std::pair<int32_t, int32_t>;
  struct Range {
    int32_t row, col, row_sel, col_sel;
  };

  int32_t Alignment(int32_t row, int32_t col) const {
    auto it = col_alignments_.find(col);
    return Find(alignments_, row, col, it == col_alignments_.end() ? -1 : it->second);
  }
  bool Inside(int32_t row, int32_t col) const {
    const bool inside = row >= 0 && row < rows && col >= 0 && col < cols;
    if (!inside) ADD_FAILURE() << "cell (" << row << ", " << col << ") outside the grid";
    return inside;
  }
  template <class F>
  void ForSelection(F f) {
    for (int32_t r = selection_.row; r <= selection_.row_sel; ++r) {
      for (int32_t c = selection_.col; c <= selection_.col_sel; ++c) f(Cell{r, c});
    }
  }
  template <class Map, class T>
  static T Find(const Map& map, int32_t row, int32_t col, T otherwise) {
    auto it = map.find(Cell{row, col});
    return it == map.end() ? otherwise : it->second;
  }

  std::map<Cell, std::string> texts_;
  std::map<Cell, int32_t> back_colors_;
  std::map<Cell, int32_t> alignments_;
  std::map<int32_t, int32_t> col_alignments_;
  Range selection_{0, 0, -1, -1};
};

}  // namespace quorvex2::testing
