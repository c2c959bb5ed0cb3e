#pragma once
// The host's grid: a spreadsheet-like table that clsGraphicControl::DrawGrid fills with the split
// analysis of a data set. The component only calls these members; the host implements them (the
// command-line host prints the grid as a text table).
#include <cstdint>
#include <string>
#include <utility>

namespace quorvex2 {

enum QxAlignTypeConst : int32_t {
  QX_ALIGN_CENTER = 0,
  QX_ALIGN_RIGHT = 1,
  QX_ALIGN_LEFT = 2,
};

// The cell classes of the grid, each data class followed by its title class, then the colours
// of the three best leg and split ranks.
enum QxColorTypeConst : int32_t {
  QX_COLOR_NAME = 0,
  QX_COLOR_NAME_TITLE = 1,
  QX_COLOR_RESULT = 2,
  QX_COLOR_RESULT_TITLE = 3,
  QX_COLOR_LAP = 4,
  QX_COLOR_LAP_TITLE = 5,
  QX_COLOR_SPLIT = 6,
  QX_COLOR_SPLIT_TITLE = 7,
  QX_COLOR_RELATIVE = 8,
  QX_COLOR_RELATIVE_TITLE = 9,
  QX_COLOR_MISS = 10,
  QX_COLOR_MISS_TITLE = 11,
  QX_COLOR_CRUISE_MISSRATE = 12,
  QX_COLOR_CRUISE_MISSRATE_TITLE = 13,
  QX_COLOR_MISSTOTAL = 14,
  QX_COLOR_MISSTOTAL_TITLE = 15,
  QX_COLOR_RELATIVETOTAL = 16,
  QX_COLOR_RELATIVETOTAL_TITLE = 17,
  QX_COLOR_NOMISS = 18,
  QX_COLOR_NOMISS_TITLE = 19,
  QX_COLOR_RANK1 = 20,
  QX_COLOR_RANK2 = 21,
  QX_COLOR_RANK3 = 22,
};

inline constexpr int32_t kGridColorTypeCount = 23;

class clsGridObject {
 public:
  virtual ~clsGridObject() = default;

  // The host's colour (0x00BBGGRR) for a cell class. A host overrides either form, const or
  // not; the grid asks through the one that is not const. Black when it overrides neither.
  virtual int32_t Color(QxColorTypeConst ColorType) {
    return std::as_const(*this).Color(ColorType);
  }
  virtual int32_t Color(QxColorTypeConst) const { return 0; }
  virtual void TextMatrix(int32_t Row, int32_t Col, const std::string& Text) = 0;
  virtual void Clear() = 0;
  virtual void Visible(bool Value) = 0;
  virtual void Cols(int32_t Value) = 0;
  virtual void Rows(int32_t Value) = 0;
  // Width in twips.
  virtual void ColWidth(int32_t Index, int32_t Width) = 0;
  // Selects the cells from (Row, Col) to (RowSel, ColSel) for the following cell settings; -1
  // stands for Row or Col, so SelectCell(r, c) selects one cell.
  virtual void SelectCell(int32_t Row, int32_t Col, int32_t RowSel = -1, int32_t ColSel = -1) = 0;
  virtual void CellBackColor(int32_t Color) = 0;
  virtual void CellForeColor(int32_t Color) = 0;
  virtual void CellAlignment(QxAlignTypeConst Alignment) = 0;
  virtual void ColAlignment(int32_t Index, QxAlignTypeConst Alignment) = 0;
};

}  // namespace quorvex2
