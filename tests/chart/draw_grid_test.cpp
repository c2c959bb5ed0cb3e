// clsGraphicControl::DrawGrid through a recording grid: the grid of a class of 10 controls
// compared whole with its golden file (layout, titles, colour classes, alignments and the cells
// with skipped and missing legs, status results and rank colours), the mixed data set's rank,
// and the empty data set.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "analysis/event_builder.h"
#include "chart/recording_grid.h"
#include "quorvex2/chart/graphic_control.h"

namespace quorvex2::testing {
namespace {

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
