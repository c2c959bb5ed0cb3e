#pragma once
// The command-line host's grid: keeps the cells DrawGrid writes and prints them as an aligned
// text table, optionally with the cell colours as 24-bit ANSI colours. Wide tables are cut into
// blocks of runner columns that fit the width, each block with the row titles again.
#include <cstdint>
#include <string>
#include <vector>

#include <quorvex2/chart/grid_object.h>

namespace qxcli {

struct GridTextOptions {
  bool color = false;
  int32_t width = 0;              // columns of the screen; 0: one block, however wide
  bool narrow_ambiguous = false;  // symbols such as → and ↓ take one column, not two
};

class TerminalGrid : public quorvex2::clsGridObject {
 public:
  int32_t Color(quorvex2::QxColorTypeConst ColorType) const override;
  void TextMatrix(int32_t Row, int32_t Col, const std::string& Text) override;
  void Clear() override;
  void Visible(bool Value) override { visible_ = Value; }
  void Cols(int32_t Value) override;
  void Rows(int32_t Value) override;
  void ColWidth(int32_t, int32_t) override {}  // the text table sizes columns by their texts
  void SelectCell(int32_t Row, int32_t Col, int32_t RowSel = -1, int32_t ColSel = -1) override;
  void CellBackColor(int32_t Color) override;
  void CellForeColor(int32_t Color) override;
  void CellAlignment(quorvex2::QxAlignTypeConst Alignment) override;
  void ColAlignment(int32_t Index, quorvex2::QxAlignTypeConst Alignment) override;

  // The table, one line per row; nothing while the grid is hidden.
  std::string Text(const GridTextOptions& options) const;

 private:
  static constexpr int32_t kUnset = -1;
  struct Cell {
    std::string text;
    int32_t back = kUnset, fore = kUnset, alignment = kUnset;
  };
  struct Range {
    int32_t row = 0, col = 0, row_sel = -1, col_sel = -1;
  };

  template <class F>
  void ForSelection(F f);
  void Resize();
  int32_t AlignmentOf(int32_t row, int32_t col) const;
  std::vector<std::vector<int32_t>> Blocks(const std::vector<int32_t>& widths,
                                           int32_t screen) const;
  std::string Line(int32_t row, const std::vector<int32_t>& block,
                   const std::vector<int32_t>& widths, const GridTextOptions& options) const;

  int32_t rows_ = 0, cols_ = 0;
  bool visible_ = true;
  std::vector<std::vector<Cell>> cells_;
  std::vector<int32_t> col_alignments_;
  Range selection_;
};

}  // namespace qxcli
