// Printed result lists, each compared whole with its golden file: the header bar and the
// columns of single and mixed data sets, rows and page breaks, the cut-off marker, and the
// printed area left for the next list.
#include <gtest/gtest.h>

#include <stdexcept>

#include "print_table_fixture.h"

namespace quorvex2 {
namespace {

using qxtest::AddRunner;
using qxtest::Dump;
using qxtest::ExpectGolden;

std::shared_ptr<clsResultsHolder> Hold(clsQuorvex2& root, std::vector<std::string> classes) {
  auto holder = root.NewResultsHolder();
  for (const auto& name : classes) holder->AddClass(name);
  holder->CalcRank();
  return holder;
}

// The header bar, the columns of a single class, the fixed-rank mark and the seed, the prize
// font of the first three, the DNF without rank, and the printed area; a cut-off rank with
// runners beyond it puts the marker after it and moves the rest down by 1.1 rows. Rows are
// 5 units × the line interval, which is at least 1.
TEST(PrintResult, SingleClassRowsAndTheCutOffMarker) {
  clsQuorvex2 root;
  auto m21 = root.AddClass("M21");
  const char* names[] = {"阿部 浩二", "井上 隆", "佐藤 修", "加藤 大翔", "吉田 大輔"};
  const char* results[] = {"0:50:00", "0:51:00", "0:52:00", "0:53:00", "DNF"};
  for (int i = 0; i < 5; ++i) {
    AddRunner(*m21, names[i], {}, results[i], "北杜OLクラブ")->Rank =
        i < 4 ? std::to_string(i + 1) : "";
  }
  m21->LapData(1)->RankFix = "*";
  m21->LapData(2)->Seed = "S1";
  auto holder = Hold(root, {"M21"});
  const struct {
    int32_t cut_off;
    float interval;
    const char* golden;
  } cases[] = {
      {0, 1.5f, "print/result-single.txt"},  {4, 1.5f, "print/result-single.txt"},
      {3, 1.5f, "print/result-cut-off.txt"}, {0, 2, "print/result-interval-2.txt"},
      {0, 1, "print/result-interval-1.txt"}, {0, 0.5f, "print/result-interval-1.txt"},
  };
  for (const auto& c : cases) {
    holder->CutOffRank = c.cut_off;
    auto book = qxtest::A4Book();
    root.GraphicControl()->PrintResult(holder, book, c.interval);
    SCOPED_TRACE(testing::Message() << c.cut_off << " " << c.interval);
    ExpectGolden(std::string("golden/") + c.golden, Dump(*book));
  }
}

// A mixed set keeps its name as written, ranks by the data set and shows each runner's class;
// ID (0 prints like any other) and age take columns of their own, either or both.
TEST(PrintResult, MixedDataSetWithIdAndAge) {
  clsQuorvex2 root;
  AddRunner(*root.AddClass("M21"), "Ken", {}, "0:52:00")->ID = 1009;
  AddRunner(*root.AddClass("W21"), "Yumi", {}, "0:50:00")->Age = "35";
  auto holder = Hold(root, {"M21", "W21"});
  std::string lists;
  for (auto [id, age] : {std::pair{true, true}, {true, false}, {false, true}}) {
    auto book = qxtest::A4Book();
    root.GraphicControl()->PrintResult(holder, book, 1.0f, false, id, age);
    lists += Dump(*book);
  }
  ExpectGolden("golden/print/result-mixed.txt", lists);
}

TEST(PrintResult, PageBreaksAndListsContinuingBelow) {
  clsQuorvex2 root;
  auto big = root.AddClass("M21");
  for (int i = 1; i <= 40; ++i) {
    AddRunner(*big, "R" + std::to_string(i), {}, "1:" + std::to_string(10 + i) + ":00");
  }
  auto small = root.AddClass("W21");
  AddRunner(*small, "Ann", {}, "0:40:00");
  AddRunner(*small, "Bea", {}, "0:41:00");
  auto women = Hold(root, {"W21"});
  auto book = qxtest::A4Book();
  auto& graphics = *root.GraphicControl();
  // 141 × 205.56 units hold 27.4 rows: runner 25 takes row 26, runner 26 opens page 2; the
  // next list starts below the first on the same page.
  graphics.PrintResult(Hold(root, {"M21"}), book);
  graphics.PrintResult(women, book);
  // Three rows left: the header moves to a new page; four and a half rows left: it stays.
  const float height = book->Height();
  book->PrintedAreaHeight(height - 3 * 7.5f);
  graphics.PrintResult(women, book);
  book->PrintedAreaHeight(height - 4.5f * 7.5f);
  graphics.PrintResult(women, book, 1.5f, true);  // then an empty new page, nothing printed
  ExpectGolden("golden/print/result-pages.txt", Dump(*book));
}

}  // namespace
}  // namespace quorvex2
