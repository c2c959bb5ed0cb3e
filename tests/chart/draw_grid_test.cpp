// clsGraphicControl::DrawGrid through a recording grid: the grid of a class of 10 controls
// compared whole with its golden file (layout, titles, colour classes, alignments and the cells
// with skipped and missing legs, status results and rank colours), the mixed data set's rank,
// and the empty data set.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "analysis/analysis_fixture.h"
#include "quorvex2/chart/graphic_control.h"
#include "quorvex2/chart/grid_object.h"
#include "support/golden.h"

namespace quorvex2::testing {
namespace {

// A grid that keeps what it is told, the way a spreadsheet control would, and writes it out as
// text: its size, column widths and the calls that show, hide and clear it, then a line a row of
// each cell's text ("-" when none), back colour class (c-1 for none) and alignment (a cell's own
// before its column's: C, R, L; - for none). Colour class n has the colour 0x010101 × (n + 1).
// Its colours are not const (the command line's grid has the const form).
class RecordingGrid : public clsGridObject {
 public:
  int32_t Color(QxColorTypeConst ColorType) override { return 0x010101 * (ColorType + 1); }
  void TextMatrix(int32_t Row, int32_t Col, const std::string& Text) override {
    cells_[{Row, Col}].text = "\"" + Text + "\"";
  }
  void Clear() override {
    for (auto& cell : cells_) cell.second.text = "-";
    log += " Clear";
  }
  void Visible(bool Value) override { log += Value ? " Show" : " Hide"; }
  void Cols(int32_t Value) override { cols = Value; }
  void Rows(int32_t Value) override { rows = Value; }
  void ColWidth(int32_t Index, int32_t Width) override { widths_[Index] = Width; }
  void SelectCell(int32_t Row, int32_t Col, int32_t RowSel, int32_t ColSel) override {
    selection_ = {Row, Col, RowSel < 0 ? Row : RowSel, ColSel < 0 ? Col : ColSel};
  }
  void CellBackColor(int32_t Color) override {
    ForSelection([Color](Cell& cell) { cell.color = Color / 0x010101 - 1; });
  }
  void CellForeColor(int32_t) override {}
  void CellAlignment(QxAlignTypeConst Alignment) override {
    ForSelection([Alignment](Cell& cell) { cell.align = Alignment; });
  }
  void ColAlignment(int32_t Index, QxAlignTypeConst Alignment) override {
    column_aligns_[Index] = Alignment;
  }

  std::string Text(int32_t row, int32_t col) const { return At(row, col).text; }
  std::string Dump() const {
    std::string out = qxtest::Printf("rows %d cols %d widths", rows, cols);
    for (const auto& [col, width] : widths_) out += qxtest::Printf(" %d", width);
    out += log;
    for (int32_t row = 0; row < rows; ++row) {
      out += qxtest::Printf("\n%d", row);
      for (int32_t col = 0; col < cols; ++col) {
        const Cell& cell = At(row, col);
        const auto column = column_aligns_.find(col);
        const int32_t align =
            cell.align >= 0 || column == column_aligns_.end() ? cell.align : column->second;
        out += qxtest::Printf(" | %s c%d %c", cell.text.c_str(), cell.color, "-CRL"[align + 1]);
      }
    }
    for (const auto& [at, cell] : cells_) {
      if (at.first < 0 || at.first >= rows || at.second < 0 || at.second >= cols)
        out += "\noutside the grid: " + cell.text;
    }
    return out + "\n";
  }

  int32_t rows = 0, cols = 0;
  std::string log;

 private:
  struct Cell {
    std::string text = "-";
    int32_t color = -1, align = -1;
  };

  const Cell& At(int32_t row, int32_t col) const {
    static const Cell kNone;
    const auto it = cells_.find({row, col});
    return it == cells_.end() ? kNone : it->second;
  }
  template <class F>
  void ForSelection(F f) {
    const auto [row, col, row_sel, col_sel] = selection_;
    for (int32_t r = std::min(row, row_sel); r <= std::max(row, row_sel); ++r) {
      for (int32_t c = std::min(col, col_sel); c <= std::max(col, col_sel); ++c) f(cells_[{r, c}]);
    }
  }

  std::map<std::pair<int32_t, int32_t>, Cell> cells_;
  std::map<int32_t, int32_t> widths_, column_aligns_;
  std::array<int32_t, 4> selection_{0, 0, -1, -1};
};

// Results in runner order: a (fixed rank), b (skipped control 3), c and 山田 by time, then the
// mispunch e and d, who gave up after leg 5. A data set of its own name counts as mixed: no "*"
// by a's rank. An empty data set leaves the grid cleared (its rows as they were) and hidden.
TEST(DrawGrid, GridOfTenControlsThenMixedThenEmpty) {
  clsQuorvex2 root;
  auto cls = root.AddClass("M21");
  cls->ControlCount = 10;
  AddRunner(*cls, "山田 太郎", "23:00", {80, 130, 130, 130, 130, 130, 130, 130, 130, 130, 130});
  AddRunner(*cls, "a", "18:20", {100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100})->RankFix =
      "*";
  AddRunner(*cls, "b", "20:00", {90, 90, kSkip, 250, 110, 110, 110, 110, 110, 110, 110});
  AddRunner(*cls, "c", "22:00", {120, 120, 120, 120, 120, 120, 120, 120, 120, 120, 120});
  AddRunner(*cls, "d", "DNF", {95, 95, 95, 95, 95});
  AddRunner(*cls, "e", "MP", {140, 140, 140, 140, 140, 140, 140, 140, 140, 140, 140});
  auto analyzer = root.NewAnalyzer(), empty = root.NewAnalyzer();
  analyzer->AddClass("M21");
  analyzer->Execute();
  root.AddClass("W21")->ControlCount = 10;
  empty->AddClass("W21");
  empty->Execute();
  auto& graphics = *root.GraphicControl();
  auto grid = std::make_shared<RecordingGrid>();
  graphics.DrawGrid(analyzer, grid);
  qxtest::ExpectGolden("golden/chart/grid-ten-controls.txt", grid->Dump());
  analyzer->DataSetName("Open");
  graphics.DrawGrid(analyzer, grid);
  EXPECT_EQ(grid->Text(3, 1), "\"1\"");

  graphics.DrawGrid(empty, grid);
  EXPECT_EQ(grid->Dump().find('"'), std::string::npos);  // no text left
  EXPECT_EQ(grid->log, " Hide Clear Show Hide Clear Show Hide Clear");
  EXPECT_EQ(grid->rows, 59);
  EXPECT_THROW(graphics.DrawGrid(nullptr, grid), std::runtime_error);
  EXPECT_THROW(graphics.DrawGrid(analyzer, nullptr), std::runtime_error);
}

}  // namespace
}  // namespace quorvex2::testing
