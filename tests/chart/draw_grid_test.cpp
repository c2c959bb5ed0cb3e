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
#include "export/golden.h"
#include "quorvex2/chart/graphic_control.h"
#include "quorvex2/chart/grid_object.h"

namespace quorvex2::testing {
namespace {

// A grid that keeps what it is told, the way a spreadsheet control would, and writes it out as
// text: cell texts, each cell's back colour class and alignment (a cell's own alignment before
// its column's), the column widths and the order of the calls that show, hide and clear it.
// Colour class n has the colour 0x010101 × (n + 1).
class RecordingGrid : public clsGridObject {
 public:
  int32_t Color(QxColorTypeConst ColorType) const override { return 0x010101 * (ColorType + 1); }
  void TextMatrix(int32_t Row, int32_t Col, const std::string& Text) override {
    texts_[{Row, Col}] = Text;
  }
  void Clear() override {
    texts_.clear();
    log.push_back("Clear");
  }
  void Visible(bool Value) override { log.push_back(Value ? "Show" : "Hide"); }
  void Cols(int32_t Value) override { cols = Value; }
  void Rows(int32_t Value) override { rows = Value; }
  void ColWidth(int32_t Index, int32_t Width) override { col_widths[Index] = Width; }
  void SelectCell(int32_t Row, int32_t Col, int32_t RowSel, int32_t ColSel) override {
    selection_ = {Row, Col, RowSel < 0 ? Row : RowSel, ColSel < 0 ? Col : ColSel};
  }
  void CellBackColor(int32_t Color) override { ForSelection(back_colors_, Color); }
  void CellForeColor(int32_t) override {}
  void CellAlignment(QxAlignTypeConst Alignment) override {
    ForSelection(alignments_, static_cast<int32_t>(Alignment));
  }
  void ColAlignment(int32_t Index, QxAlignTypeConst Alignment) override {
    col_alignments_[Index] = Alignment;
  }

  std::string Text(int32_t row, int32_t col) const { return Find(texts_, row, col, std::string()); }
  size_t TextCount() const { return texts_.size(); }

  // Size, widths and calls, then a line a row of "text" ("-" when none was set), colour class
  // (c-1 for none) and alignment (C, R, L; - for none) per cell; texts outside the grid last.
  std::string Dump() const {
    std::string out = qxtest::Printf("rows %d cols %d widths", rows, cols);
    for (const auto& [col, width] : col_widths) out += qxtest::Printf(" %d", width);
    for (const auto& call : log) out += " " + call;
    for (int32_t row = 0; row < rows; ++row) {
      out += qxtest::Printf("\n%d", row);
      for (int32_t col = 0; col < cols; ++col) {
        const auto text = texts_.find({row, col});
        const auto column = col_alignments_.find(col);
        const int32_t align =
            Find(alignments_, row, col, column == col_alignments_.end() ? -1 : column->second);
        out += qxtest::Printf(" | %s c%d %c",
                              text == texts_.end() ? "-" : ("\"" + text->second + "\"").c_str(),
                              Find(back_colors_, row, col, 0) / 0x010101 - 1, "-CRL"[align + 1]);
      }
    }
    for (const auto& [cell, text] : texts_) {
      if (std::min(cell.first, cell.second) < 0 || cell.first >= rows || cell.second >= cols)
        out += "\noutside: " + text;
    }
    return out + "\n";
  }

  int32_t rows = 0, cols = 0;
  std::map<int32_t, int32_t> col_widths;
  std::vector<std::string> log;

 private:
  using Cell = std::pair<int32_t, int32_t>;

  void ForSelection(std::map<Cell, int32_t>& values, int32_t value) {
    const auto [row, col, row_sel, col_sel] = selection_;
    for (int32_t r = std::min(row, row_sel); r <= std::max(row, row_sel); ++r) {
      for (int32_t c = std::min(col, col_sel); c <= std::max(col, col_sel); ++c) {
        values[{r, c}] = value;
      }
    }
  }
  template <class T>
  static T Find(const std::map<Cell, T>& map, int32_t row, int32_t col, T otherwise) {
    auto it = map.find(Cell{row, col});
    return it == map.end() ? otherwise : it->second;
  }

  std::map<Cell, std::string> texts_;
  std::map<Cell, int32_t> back_colors_, alignments_;
  std::map<int32_t, int32_t> col_alignments_;
  std::array<int32_t, 4> selection_{0, 0, -1, -1};
};

struct GridCase {
  clsQuorvex2 root;
  std::shared_ptr<clsAnalyzer> analyzer;
  std::shared_ptr<RecordingGrid> grid = std::make_shared<RecordingGrid>();

  // Results in runner order: a (fixed rank), b (skipped control 3), c and 山田 by time, then the
  // mispunch e and d, who gave up after leg 5.
  GridCase() {
    auto cls = root.AddClass("M21");
    cls->ControlCount = 10;
    AddRunner(*cls, "山田 太郎", "23:00", {80, 130, 130, 130, 130, 130, 130, 130, 130, 130, 130});
    AddRunner(*cls, "a", "18:20", {100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100})
        ->RankFix = "*";
    AddRunner(*cls, "b", "20:00", {90, 90, kSkip, 250, 110, 110, 110, 110, 110, 110, 110});
    AddRunner(*cls, "c", "22:00", {120, 120, 120, 120, 120, 120, 120, 120, 120, 120, 120});
    AddRunner(*cls, "d", "DNF", {95, 95, 95, 95, 95});
    AddRunner(*cls, "e", "MP", {140, 140, 140, 140, 140, 140, 140, 140, 140, 140, 140});
    analyzer = root.NewAnalyzer();
    analyzer->AddClass("M21");
    analyzer->Execute();
  }

  void Draw() { root.GraphicControl()->DrawGrid(analyzer, grid); }
};

TEST(DrawGrid, GridOfTenControls) {
  GridCase c;
  c.Draw();
  qxtest::ExpectGolden("chart/grid-ten-controls.txt", c.grid->Dump());

  c.analyzer->DataSetName("Open");  // a data set of its own name counts as mixed: no "*"
  c.Draw();
  EXPECT_EQ(c.grid->Text(3, 1), "1");
}

TEST(DrawGrid, EmptyDataSetLeavesTheGridClearedAndHidden) {
  GridCase c;
  c.Draw();
  auto empty = c.root.NewAnalyzer();
  c.root.AddClass("W21")->ControlCount = 10;
  empty->AddClass("W21");
  empty->Execute();
  c.root.GraphicControl()->DrawGrid(empty, c.grid);
  EXPECT_EQ(c.grid->TextCount(), 0u);
  EXPECT_EQ(c.grid->log, (std::vector<std::string>{"Hide", "Clear", "Show", "Hide", "Clear"}));
  EXPECT_EQ(c.grid->rows, 59);  // left as it was: the grid is only cleared

  EXPECT_THROW(c.root.GraphicControl()->DrawGrid(nullptr, c.grid), std::runtime_error);
  EXPECT_THROW(c.root.GraphicControl()->DrawGrid(c.analyzer, nullptr), std::runtime_error);
}

}  // namespace
}  // namespace quorvex2::testing
