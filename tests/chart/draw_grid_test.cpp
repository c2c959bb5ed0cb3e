// clsGraphicControl::DrawGrid through a recording grid: the layout of a class of 10 controls,
// cell texts with skipped and missing legs, status results, rank colours and the empty data set.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "analysis/event_builder.h"
#include "chart/recording_grid.h"
#include "quorvex2/chart/graphic_control.h"

namespace quorvex2::testing {
namespace {

constexpr int32_t kLegs = 11;  // 10 controls and the finish

// Row numbers of a grid of 11 legs.
constexpr int32_t LapRow(int32_t k) {
  return 4 + k;
}
constexpr int32_t SplitRow(int32_t k) {
  return 16 + k;
}
constexpr int32_t RelativeRow(int32_t k) {
  return 31 + k;
}
constexpr int32_t MissRow(int32_t k) {
  return 44 + k;
}

struct GridCase {
  clsQuorvex2 root;
  std::shared_ptr<clsAnalyzer> analyzer;
  std::shared_ptr<RecordingGrid> grid = std::make_shared<RecordingGrid>();

  // Results in runner order: a, b, c and 山田 by time, then the mispunch and the DNF.
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

  int32_t Col(const std::string& name) const {
    for (int32_t col = 1; col < grid->cols; ++col) {
      if (grid->Text(0, col) == name) return col;
    }
    ADD_FAILURE() << "no column of " << name;
    return 0;
  }
};

int32_t ColorOf(QxColorTypeConst type) {
  return RecordingGrid::ColorOf(type);
}

TEST(DrawGrid, LayoutOfTenControls) {
  GridCase c;
  c.Draw();
  const RecordingGrid& grid = *c.grid;
  EXPECT_EQ(grid.rows, 59);
  EXPECT_EQ(grid.cols, 7);
  EXPECT_EQ(grid.log, (std::vector<std::string>{"Hide", "Clear", "Show"}));
  EXPECT_EQ(grid.col_widths.at(0), 1230);
  for (int32_t col = 1; col <= 6; ++col) EXPECT_EQ(grid.col_widths.at(col), 1080);
  EXPECT_EQ(grid.TextCount(), 59u * 7u - 6u * 6u);  // six heading rows have no runner cells

  const std::vector<std::pair<int32_t, std::string>> titles{
      {0, "氏名"},       {1, "所属"},  {2, "記録"},         {3, "順位"},      {4, "ラップタイム"},
      {5, "△→１"},       {6, "１→２"}, {14, "９→10"},       {15, "10→◎"},     {16, "積算タイム"},
      {17, "→１"},       {27, "→◎"},   {28, "解析結果(%)"}, {29, "巡行速度"}, {30, "ミス率"},
      {31, "相対値(%)"}, {32, "△→１"}, {42, "10→◎"},        {43, "合計"},     {44, "ミスタイム"},
      {45, "△→１"},      {55, "10→◎"}, {56, "合計"},        {57, "ミス抜き"}, {58, "タイム"}};
  for (const auto& [row, title] : titles) EXPECT_EQ(grid.Text(row, 0), title) << row;

  // Each band: the title class in column 0, the data class in the runner columns.
  const std::vector<std::tuple<int32_t, int32_t, QxColorTypeConst>> bands{
      {0, 1, QX_COLOR_NAME},
      {2, 3, QX_COLOR_RESULT},
      {4, 4, QX_COLOR_LAP},
      {16, 16, QX_COLOR_SPLIT},
      {28, 30, QX_COLOR_CRUISE_MISSRATE},
      {31, 42, QX_COLOR_RELATIVE},
      {43, 43, QX_COLOR_RELATIVETOTAL},
      {44, 55, QX_COLOR_MISS},
      {56, 56, QX_COLOR_MISSTOTAL},
      {57, 58, QX_COLOR_NOMISS}};
  for (const auto& [first, last, data] : bands) {
    for (int32_t row = first; row <= last; ++row) {
      EXPECT_EQ(grid.BackColor(row, 0), ColorOf(static_cast<QxColorTypeConst>(data + 1))) << row;
      EXPECT_EQ(grid.BackColor(row, 6), ColorOf(data)) << row;
      EXPECT_EQ(grid.Alignment(row, 0), QX_ALIGN_CENTER) << row;
      EXPECT_EQ(grid.Alignment(row, 3), row < 2 ? QX_ALIGN_LEFT : QX_ALIGN_RIGHT) << row;
    }
  }
  EXPECT_EQ(grid.BackColor(LapRow(1), 0), ColorOf(QX_COLOR_LAP_TITLE));
  EXPECT_EQ(grid.BackColor(SplitRow(kLegs), 0), ColorOf(QX_COLOR_SPLIT_TITLE));
}

TEST(DrawGrid, RunnerCells) {
  GridCase c;
  c.Draw();
  const RecordingGrid& grid = *c.grid;
  // Runner columns in the analyzer's order.
  for (int32_t i = 1; i <= c.analyzer->Count(); ++i) {
    EXPECT_EQ(grid.Text(0, i), c.analyzer->Item(i)->RunnerName());
  }
  const int32_t a = c.Col("a"), b = c.Col("b"), d = c.Col("d"), e = c.Col("e");
  const int32_t yamada = c.Col("山田 太郎");
  EXPECT_EQ(a, 1);
  EXPECT_EQ(grid.Text(2, a), "0:18:20");
  EXPECT_EQ(grid.Text(3, a), "1*");  // the fixed-rank mark of a single class
  EXPECT_EQ(grid.Text(3, b), "2");
  EXPECT_EQ(grid.Text(2, d), "DNF");
  EXPECT_EQ(grid.Text(3, d), "");
  EXPECT_EQ(grid.Text(2, e), "MP");

  // Leg 1: 山田 80 s, b 90, d 95, a 100.
  EXPECT_EQ(grid.Text(LapRow(1), yamada), "  1)   1:20");
  EXPECT_EQ(grid.Text(LapRow(1), a), "  4)   1:40");
  // b skipped control 3: no rank, "↓", and the time of the merged legs on leg 4 without rank.
  EXPECT_EQ(grid.Text(LapRow(3), b), "         ↓");
  EXPECT_EQ(grid.Text(LapRow(4), b), "       4:10");
  EXPECT_EQ(grid.Text(SplitRow(3), b).substr(4), "     ↓");
  // d has no data after leg 5.
  EXPECT_EQ(grid.Text(LapRow(6), d), "         －");
  EXPECT_EQ(grid.Text(SplitRow(kLegs), d), "         －");
  // Cumulative times at the finish: a 18:20 first, b 20:00 second.
  EXPECT_EQ(grid.Text(SplitRow(kLegs), a), "  1)  18:20");
  EXPECT_EQ(grid.Text(SplitRow(kLegs), b), "  2)  20:00");
  EXPECT_EQ(grid.Text(SplitRow(1), a), "  4)   1:40");

  // Relative to the mean of the three fastest on leg 1 (80, 90, 95 s): 100 / 88.3 = 113 %.
  EXPECT_EQ(grid.Text(RelativeRow(1), a), "113");
  EXPECT_EQ(grid.Text(RelativeRow(3), b), "↓");
  EXPECT_EQ(grid.Text(RelativeRow(6), d), "－");
  EXPECT_EQ(grid.Text(MissRow(6), d), "－");

  for (int32_t i = 1; i <= c.analyzer->Count(); ++i) {
    auto& r = *c.analyzer->Item(i);
    const std::string who = r.RunnerName();
    EXPECT_EQ(grid.Text(1, i), r.ClubName()) << who;
    EXPECT_EQ(grid.Text(29, i), r.CruiseSpeed().ToString("#0.0")) << who;
    EXPECT_EQ(grid.Text(30, i), r.MissRate().ToString("#0.0")) << who;
    EXPECT_EQ(grid.Text(43, i), r.TotalTimeRelative().ToString("#0")) << who;
    EXPECT_EQ(grid.Text(56, i), r.MissTimeTotal().ToString("hh:nn:ss", true)) << who;
    EXPECT_EQ(grid.Text(57, i), "") << who;
    EXPECT_EQ(grid.Text(58, i), r.TotalTimeWithoutMiss().ToString("hh:nn:ss", true)) << who;
    for (int32_t k = 1; k <= kLegs; ++k) {
      EXPECT_EQ(grid.Text(MissRow(k), i), r.MissTime(k)->ToString("hh:nn:ss", true)) << who << k;
    }
  }
  // a runs every leg at the same pace, so its cruise speed and miss rate are figures.
  EXPECT_NE(grid.Text(29, a).find('.'), std::string::npos);
  // Last leg: a 100, b 110, c 120 are the fastest; 100 / 110 = 91 %.
  EXPECT_EQ(grid.Text(RelativeRow(kLegs), a), "91");

  c.analyzer->DataSetName("Open");  // a data set of its own name counts as mixed: no "*"
  c.Draw();
  EXPECT_EQ(grid.Text(3, a), "1");
}

TEST(DrawGrid, TopThreeRanksColoured) {
  GridCase c;
  c.Draw();
  const RecordingGrid& grid = *c.grid;
  EXPECT_EQ(grid.BackColor(LapRow(1), c.Col("山田 太郎")), ColorOf(QX_COLOR_RANK1));
  EXPECT_EQ(grid.BackColor(SplitRow(kLegs), c.Col("c")), ColorOf(QX_COLOR_RANK3));
  // Every leg and control cell: a rank colour exactly where the leg or split rank is 1 to 3.
  for (int32_t i = 1; i <= c.analyzer->Count(); ++i) {
    auto& r = *c.analyzer->Item(i);
    for (int32_t k = 1; k <= kLegs; ++k) {
      const int32_t lap = r.LapRank(k)->Value(), split = r.ModifiedSplitRank(k)->Value();
      EXPECT_EQ(grid.BackColor(LapRow(k), i),
                lap >= 1 && lap <= 3
                    ? ColorOf(static_cast<QxColorTypeConst>(QX_COLOR_RANK1 + lap - 1))
                    : ColorOf(QX_COLOR_LAP));
      EXPECT_EQ(grid.BackColor(SplitRow(k), i),
                split >= 1 && split <= 3
                    ? ColorOf(static_cast<QxColorTypeConst>(QX_COLOR_RANK1 + split - 1))
                    : ColorOf(QX_COLOR_SPLIT));
      EXPECT_EQ(grid.BackColor(RelativeRow(k), i), ColorOf(QX_COLOR_RELATIVE));
    }
  }
}

TEST(DrawGrid, EmptyDataSetLeavesTheGridClearedAndHidden) {
  GridCase c;
  c.Draw();
  auto empty = c.root.NewAnalyzer();
  c.root.AddClass("W21")->ControlCount = 10;
  empty->AddClass("W21");
  empty->Execute();
  c.root.GraphicControl()->DrawGrid(empty, c.grid);
  EXPECT_FALSE(c.grid->visible);
  EXPECT_EQ(c.grid->TextCount(), 0u);
  EXPECT_EQ(c.grid->log, (std::vector<std::string>{"Hide", "Clear", "Show", "Hide", "Clear"}));
  EXPECT_EQ(c.grid->rows, 59);  // left as it was: the grid is only cleared

  EXPECT_THROW(c.root.GraphicControl()->DrawGrid(nullptr, c.grid), std::runtime_error);
  EXPECT_THROW(c.root.GraphicControl()->DrawGrid(c.analyzer, nullptr), std::runtime_error);
}

}  // namespace
}  // namespace quorvex2::testing
