// Printed result lists: the header bar and the columns of single and mixed data sets, rows and
// page breaks, the cut-off marker, and the printed area left for the next list.
#include <gtest/gtest.h>

#include <stdexcept>

#include "print_table_fixture.h"

namespace quorvex2 {
namespace {

using qxtest::AddRunner;
using qxtest::FindText;
using qxtest::Place;

struct ResultEvent {
  std::shared_ptr<clsQuorvex2> root = std::make_shared<clsQuorvex2>();
  std::shared_ptr<clsResultsHolder> holder;

  void Hold(std::initializer_list<const char*> classes) {
    holder = root->NewResultsHolder();
    for (const char* name : classes) holder->AddClass(name);
    holder->CalcRank();
  }
};

// M21: four ranked runners and one DNF; the winner has a fixed rank, the second a seed.
ResultEvent FiveRunners() {
  ResultEvent event;
  auto m21 = event.root->AddClass("M21");
  const char* results[] = {"0:50:00", "0:51:00", "0:52:00", "0:53:00", "DNF"};
  const char* names[] = {"阿部 浩二", "井上 隆", "佐藤 修", "加藤 大翔", "吉田 大輔"};
  for (int i = 0; i < 5; ++i) {
    auto lap = AddRunner(*m21, names[i], {}, results[i], "北杜OLクラブ");
    lap->Rank = i < 4 ? std::to_string(i + 1) : "";
  }
  m21->LapData(1)->RankFix = "*";
  m21->LapData(2)->Seed = "S1";
  event.Hold({"M21"});
  return event;
}

// Each text's place "left,top WxH" in the book.
void ExpectPlaces(const clsPrintBook& book,
                  std::initializer_list<std::pair<const char*, const char*>> places) {
  for (auto [text, place] : places) {
    auto found = FindText(book, text);
    ASSERT_TRUE(found) << text;
    EXPECT_EQ(Place(*found.line), place) << text;
  }
}

TEST(PrintResult, HeaderBarAndSingleClassColumns) {
  auto event = FiveRunners();
  auto book = qxtest::A4Book();
  event.root->GraphicControl()->PrintResult(event.holder, book);
  EXPECT_FLOAT_EQ(book->Width(), 141);  // neither ID nor age
  ASSERT_EQ(book->PageCount(), 1);
  const auto& page = book->Pages()[0];
  ASSERT_GE(page.size(), 3u);
  EXPECT_EQ(Place(page[0]), "0,0 141x13.5");  // frame, pen 8
  EXPECT_FLOAT_EQ(page[0].DrawWidth, 8);
  EXPECT_EQ(Place(page[1]), "0,0 5.64x13.5");  // filled block
  EXPECT_TRUE(page[1].Fill);
  EXPECT_EQ(page[2].Text, "Ｍ２１");
  EXPECT_EQ(Place(page[2]), "9.87,0 84.6x13.5");

  // The winner's line two rows below the header; the fourth and the DNF after the others.
  ExpectPlaces(*book, {{"1", "0,15 15x7.5"},
                       {"*", "15,15 4x7.5"},
                       {"S1", "19,22.5 6x7.5"},
                       {"阿部 浩二", "25,15 35x7.5"},
                       {"0:50:00", "60,15 22x7.5"},
                       {"北杜OLクラブ", "88,15 53x7.5"},
                       {"加藤 大翔", "25,37.5 35x7.5"},
                       {"DNF", "60,45 22x7.5"}});
  EXPECT_TRUE(FindText(*book, "1").line->FontBold);  // the first three in the prize font
  EXPECT_FALSE(FindText(*book, "加藤 大翔").line->FontBold);
  EXPECT_FALSE(FindText(*book, ""));  // the DNF's empty rank prints nothing
  EXPECT_FLOAT_EQ(book->PrintedAreaWidth(), 184);
  EXPECT_FLOAT_EQ(book->PrintedAreaHeight(), (2 + 5 + 1) * 7.5f);
}

TEST(PrintResult, MixedDataSetWithIdAndAge) {
  ResultEvent event;
  AddRunner(*event.root->AddClass("M21"), "Ken", {}, "0:52:00")->ID = 1009;
  AddRunner(*event.root->AddClass("W21"), "Yumi", {}, "0:50:00")->Age = "35";
  event.Hold({"M21", "W21"});
  auto& graphics = *event.root->GraphicControl();
  auto book = qxtest::A4Book();
  graphics.PrintResult(event.holder, book, 1.0f, false, true, true);
  EXPECT_FLOAT_EQ(book->Width(), 163);
  // A mixed set keeps its name as written and ranks by the data set; rows of 5.
  EXPECT_TRUE(FindText(*book, event.holder->DataSetName()));
  ExpectPlaces(*book, {{"1", "0,10 15x5"},
                       {"(W21)", "15,10 20x5"},
                       {"(0)", "35,10 17x5"},  // Yumi's ID 0 prints like any other
                       {"(1009)", "35,15 17x5"},
                       {"Yumi", "52,10 30x5"},
                       {"0:50:00", "82,10 22x5"},
                       {"35", "107,10 5x5"},
                       {"OLC", "115,10 48x5"}});

  // Widths by column choice: ID without age, and age without ID.
  auto other = qxtest::A4Book();
  graphics.PrintResult(event.holder, other, 1.5f, false, true, false);
  EXPECT_FLOAT_EQ(other->Width(), 158);
  graphics.PrintResult(event.holder, other, 1.5f, true, false, true);
  EXPECT_FLOAT_EQ(other->Width(), 146);
}

TEST(PrintResult, RowHeightFollowsTheLineInterval) {
  auto event = FiveRunners();
  const struct {
    float interval, header_height, second_top;
  } cases[] = {{0.5f, 9, 15}, {1.5f, 13.5f, 22.5f}, {2, 18, 30}};  // below 1 counts as 1
  for (const auto& c : cases) {
    auto book = qxtest::A4Book();
    event.root->GraphicControl()->PrintResult(event.holder, book, c.interval);
    EXPECT_FLOAT_EQ(book->Pages()[0].at(0).Height, c.header_height) << c.interval;
    EXPECT_FLOAT_EQ(FindText(*book, "井上 隆").line->Top, c.second_top) << c.interval;
  }
}

TEST(PrintResult, CutOffMarkerBetweenTheQualifyingRanksAndTheRest) {
  auto event = FiveRunners();
  const std::string marker = "---------  ここまで通過  ---------";
  for (int32_t cut_off : {0, 3, 4}) {  // nobody numeric beyond 4
    event.holder->CutOffRank = cut_off;
    auto book = qxtest::A4Book();
    event.root->GraphicControl()->PrintResult(event.holder, book);
    EXPECT_EQ(qxtest::CountTexts(*book, marker), cut_off == 3) << cut_off;
    if (cut_off != 3) continue;
    EXPECT_EQ(Place(*FindText(*book, marker).line), "2,37.5 137x7.5");
    EXPECT_FLOAT_EQ(FindText(*book, "佐藤 修").line->Top, 30);        // rank 3 above
    EXPECT_FLOAT_EQ(FindText(*book, "加藤 大翔").line->Top, 45.75f);  // rank 4 after 1.1 rows
    EXPECT_FLOAT_EQ(book->PrintedAreaHeight(), (7.1f + 1 + 1) * 7.5f);
  }
}

TEST(PrintResult, PageBreaksAndListsContinuingBelow) {
  ResultEvent event;
  auto big = event.root->AddClass("M21");
  for (int i = 1; i <= 40; ++i) {
    AddRunner(*big, "R" + std::to_string(i), {}, "1:" + std::to_string(10 + i) + ":00");
  }
  auto small = event.root->AddClass("W21");
  AddRunner(*small, "Ann", {}, "0:40:00");
  AddRunner(*small, "Bea", {}, "0:41:00");
  event.Hold({"M21"});
  auto book = qxtest::A4Book();
  auto& graphics = *event.root->GraphicControl();
  graphics.PrintResult(event.holder, book);

  // 141 × 205.56 units: 27.4 rows; runner 25 takes row 26, runner 26 opens page 2.
  EXPECT_EQ(book->PageCount(), 2);
  EXPECT_EQ(FindText(*book, "R25").page, 0);
  EXPECT_FLOAT_EQ(FindText(*book, "R25").line->Top, 195);
  EXPECT_EQ(FindText(*book, "R26").page, 1);
  EXPECT_FLOAT_EQ(FindText(*book, "R26").line->Top, 0);
  EXPECT_FLOAT_EQ(book->PrintedAreaHeight(), 16 * 7.5f);

  // The next list starts below on the same page.
  auto women = event.root->NewResultsHolder();
  women->AddClass("W21");
  women->CalcRank();
  graphics.PrintResult(women, book);
  EXPECT_EQ(FindText(*book, "Ｗ２１").page, 1);
  EXPECT_FLOAT_EQ(FindText(*book, "Ｗ２１").line->Top, 120);
  EXPECT_FLOAT_EQ(FindText(*book, "Ann").line->Top, 135);

  // Three rows left: the header moves to a new page; four and a half rows left: it stays.
  const float height = book->Height();
  book->PrintedAreaHeight(height - 3 * 7.5f);
  graphics.PrintResult(women, book);
  EXPECT_EQ(FindText(*book, "Ｗ２１", 1).page, 2);
  EXPECT_FLOAT_EQ(FindText(*book, "Ｗ２１", 1).line->Top, 0);
  book->PrintedAreaHeight(height - 4.5f * 7.5f);
  graphics.PrintResult(women, book, 1.5f, true);
  EXPECT_EQ(FindText(*book, "Ｗ２１", 2).page, 2);
  EXPECT_FLOAT_EQ(FindText(*book, "Ｗ２１", 2).line->Top, height - 4.5f * 7.5f);
  // PrintNewPage leaves an empty page with nothing printed on it.
  EXPECT_EQ(book->Pages().size(), 4u);
  EXPECT_EQ(book->PrintedAreaHeight(), 0);
}

TEST(PrintResult, EmptyHolderAndBadBooks) {
  auto event = FiveRunners();
  auto book = qxtest::A4Book();
  book->PrintedAreaWidth(34);
  book->PrintedAreaHeight(12);
  const float width = book->Width();
  auto& graphics = *event.root->GraphicControl();
  graphics.PrintResult(event.root->NewResultsHolder(), book);
  EXPECT_TRUE(book->Pages()[0].empty());
  EXPECT_FLOAT_EQ(book->PrintedAreaWidth(), 34);
  EXPECT_FLOAT_EQ(book->PrintedAreaHeight(), 12);
  EXPECT_FLOAT_EQ(book->Width(), width);

  try {
    graphics.PrintResult(event.holder, std::make_shared<clsPrintBook>());
    ADD_FAILURE() << "a book never initialised was accepted";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("not been initialised"), std::string::npos) << e.what();
  }
  EXPECT_THROW(graphics.PrintResult(event.holder, nullptr), std::runtime_error);
  EXPECT_THROW(graphics.PrintResult(nullptr, book), std::runtime_error);
}

}  // namespace
}  // namespace quorvex2
