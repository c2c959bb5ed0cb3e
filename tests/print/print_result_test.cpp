// Printed result lists: the header bar and the columns of single and mixed data sets, rows and
// page breaks, the cut-off marker, and the printed area left for the next list.
#include <gtest/gtest.h>

#include <stdexcept>

#include "print_table_fixture.h"

namespace quorvex2 {
namespace {

using qxtest::AddRunner;
using qxtest::FindText;

struct ResultEvent {
  std::shared_ptr<clsQuorvex2> root = std::make_shared<clsQuorvex2>();
  std::shared_ptr<clsResultsHolder> holder;
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
  event.holder = event.root->NewResultsHolder();
  event.holder->AddClass("M21");
  event.holder->CalcRank();
  return event;
}

void ExpectBox(const clsPrintBookLine& line, float left, float top, float width, float height) {
  EXPECT_FLOAT_EQ(line.Left, left);
  EXPECT_FLOAT_EQ(line.Top, top);
  EXPECT_FLOAT_EQ(line.Width, width);
  EXPECT_FLOAT_EQ(line.Height, height);
}

TEST(PrintResult, HeaderBarAndSingleClassColumns) {
  auto event = FiveRunners();
  auto book = qxtest::A4Book();
  event.root->GraphicControl()->PrintResult(event.holder, book);
  EXPECT_FLOAT_EQ(book->Width(), 141);  // neither ID nor age
  ASSERT_EQ(book->PageCount(), 1);

  const auto& page = book->Pages()[0];
  ASSERT_GE(page.size(), 3u);
  EXPECT_EQ(page[0].Kind, clsPrintBookLine::kBox);
  ExpectBox(page[0], 0, 0, 141, 13.5f);
  EXPECT_FLOAT_EQ(page[0].DrawWidth, 8);
  EXPECT_FALSE(page[0].Fill);
  ExpectBox(page[1], 0, 0, 141 * 0.04f, 13.5f);
  EXPECT_TRUE(page[1].Fill);
  EXPECT_EQ(page[2].Text, "Ｍ２１");
  ExpectBox(page[2], 141 * 0.07f, 0, 141 * 0.6f, 13.5f);
  EXPECT_EQ(page[2].FontName, "ＭＳ ゴシック");
  EXPECT_FLOAT_EQ(page[2].FontSize, 36);
  EXPECT_TRUE(page[2].AutoStringCut);

  // The winner's line, two rows below the header: rank, fixed mark, name, result, club.
  auto rank = FindText(*book, "1");
  ASSERT_TRUE(rank);
  ExpectBox(*rank.line, 0, 15, 15, 7.5f);
  EXPECT_EQ(rank.line->TextAlign, PRINTBOOK_ALIGN_RIGHT);
  EXPECT_EQ(rank.line->TextValign, PRINTBOOK_VALIGN_MIDDLE);
  EXPECT_EQ(rank.line->FontName, "ＭＳ Ｐゴシック");
  EXPECT_TRUE(rank.line->FontBold);
  auto fixed = FindText(*book, "*");
  ASSERT_TRUE(fixed);
  ExpectBox(*fixed.line, 15, 15, 4, 7.5f);
  EXPECT_FLOAT_EQ(fixed.line->FontSize, 6);
  auto seed = FindText(*book, "S1");
  ASSERT_TRUE(seed);
  ExpectBox(*seed.line, 19, 22.5f, 6, 7.5f);
  auto name = FindText(*book, "阿部 浩二");
  ASSERT_TRUE(name);
  ExpectBox(*name.line, 25, 15, 35, 7.5f);
  EXPECT_EQ(name.line->TextAlign, PRINTBOOK_ALIGN_LEFT);
  auto result = FindText(*book, "0:50:00");
  ASSERT_TRUE(result);
  ExpectBox(*result.line, 60, 15, 22, 7.5f);
  EXPECT_EQ(result.line->TextAlign, PRINTBOOK_ALIGN_RIGHT);
  auto club = FindText(*book, "北杜OLクラブ");
  ASSERT_TRUE(club);
  ExpectBox(*club.line, 88, 15, 53, 7.5f);
  EXPECT_TRUE(club.line->AutoStringCut);

  // Below the prizes the plain font; the DNF line has no rank.
  auto fourth = FindText(*book, "加藤 大翔");
  ASSERT_TRUE(fourth);
  EXPECT_FLOAT_EQ(fourth.line->Top, 37.5f);
  EXPECT_EQ(fourth.line->FontName, "ＭＳ Ｐ明朝");
  EXPECT_FALSE(fourth.line->FontBold);
  EXPECT_FLOAT_EQ(FindText(*book, "DNF").line->Top, 45);
  EXPECT_FALSE(FindText(*book, ""));

  EXPECT_FLOAT_EQ(book->PrintedAreaWidth(), 184);
  EXPECT_FLOAT_EQ(book->PrintedAreaHeight(), (2 + 5 + 1) * 7.5f);
}

TEST(PrintResult, MixedDataSetWithIdAndAge) {
  ResultEvent event;
  auto m21 = event.root->AddClass("M21");
  auto w21 = event.root->AddClass("W21");
  AddRunner(*m21, "Ken", {}, "0:52:00")->ID = 1009;
  AddRunner(*w21, "Yumi", {}, "0:50:00")->Age = "35";
  event.holder = event.root->NewResultsHolder();
  event.holder->AddClass("M21");
  event.holder->AddClass("W21");
  event.holder->CalcRank();
  auto book = qxtest::A4Book();
  event.root->GraphicControl()->PrintResult(event.holder, book, 1.0f, false, true, true);
  EXPECT_FLOAT_EQ(book->Width(), 163);

  // A mixed set keeps its name as written and ranks by the data set.
  EXPECT_TRUE(FindText(*book, event.holder->DataSetName()));
  const float first = 10;  // rows of 5
  EXPECT_FLOAT_EQ(FindText(*book, "1").line->Top, first);
  auto cls = FindText(*book, "(W21)");
  ASSERT_TRUE(cls);
  ExpectBox(*cls.line, 15, first, 20, 5);
  auto id = FindText(*book, "(1009)");
  ASSERT_TRUE(id);
  ExpectBox(*id.line, 35, first + 5, 17, 5);
  auto no_id = FindText(*book, "(0)");  // Yumi's ID 0 prints like any other
  ASSERT_TRUE(no_id);
  ExpectBox(*no_id.line, 35, first, 17, 5);
  ExpectBox(*FindText(*book, "Yumi").line, 52, first, 30, 5);
  ExpectBox(*FindText(*book, "0:50:00").line, 82, first, 22, 5);
  ExpectBox(*FindText(*book, "35").line, 107, first, 5, 5);
  ExpectBox(*FindText(*book, "OLC").line, 115, first, 48, 5);

  // Widths by column choice: ID without age, and age without ID.
  auto other = qxtest::A4Book();
  event.root->GraphicControl()->PrintResult(event.holder, other, 1.5f, false, true, false);
  EXPECT_FLOAT_EQ(other->Width(), 158);
  event.root->GraphicControl()->PrintResult(event.holder, other, 1.5f, true, false, true);
  EXPECT_FLOAT_EQ(other->Width(), 146);
}

TEST(PrintResult, RowHeightFollowsTheLineInterval) {
  auto event = FiveRunners();
  auto book = qxtest::A4Book();
  event.root->GraphicControl()->PrintResult(event.holder, book, 0.5f);
  ASSERT_GE(book->Pages()[0].size(), 1u);
  EXPECT_FLOAT_EQ(book->Pages()[0][0].Height, 9);  // header 1.8 rows of 5
  EXPECT_FLOAT_EQ(FindText(*book, "井上 隆").line->Top, 15);
  EXPECT_FLOAT_EQ(book->PrintedAreaHeight(), 40);

  auto wide = qxtest::A4Book();
  event.root->GraphicControl()->PrintResult(event.holder, wide, 2);
  EXPECT_FLOAT_EQ(FindText(*wide, "井上 隆").line->Top, 30);
}

TEST(PrintResult, CutOffMarkerBetweenTheQualifyingRanksAndTheRest) {
  auto event = FiveRunners();
  event.holder->CutOffRank = 3;
  auto book = qxtest::A4Book();
  event.root->GraphicControl()->PrintResult(event.holder, book);
  const std::string marker = "---------  ここまで通過  ---------";
  ASSERT_EQ(qxtest::CountTexts(*book, marker), 1);
  auto line = FindText(*book, marker);
  ExpectBox(*line.line, 2, 37.5f, 137, 7.5f);
  EXPECT_EQ(line.line->TextAlign, PRINTBOOK_ALIGN_CENTER);
  EXPECT_EQ(line.line->FontName, "ＭＳ ゴシック");
  EXPECT_FLOAT_EQ(line.line->FontSize, 9);
  EXPECT_FLOAT_EQ(FindText(*book, "佐藤 修").line->Top, 30);        // rank 3 above
  EXPECT_FLOAT_EQ(FindText(*book, "加藤 大翔").line->Top, 45.75f);  // rank 4 after 1.1 rows
  EXPECT_FLOAT_EQ(book->PrintedAreaHeight(), (7.1f + 1 + 1) * 7.5f);

  for (int32_t cut_off : {0, 4}) {
    event.holder->CutOffRank = cut_off;
    auto plain = qxtest::A4Book();
    event.root->GraphicControl()->PrintResult(event.holder, plain);
    EXPECT_EQ(qxtest::CountTexts(*plain, marker), 0) << cut_off;  // nobody numeric beyond 4
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
  event.holder = event.root->NewResultsHolder();
  event.holder->AddClass("M21");
  event.holder->CalcRank();
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
  auto header = FindText(*book, "Ｗ２１");
  EXPECT_EQ(header.page, 1);
  EXPECT_FLOAT_EQ(header.line->Top, 120);
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
  auto empty = event.root->NewResultsHolder();
  auto book = qxtest::A4Book();
  book->PrintedAreaWidth(34);
  book->PrintedAreaHeight(12);
  const float width = book->Width();
  event.root->GraphicControl()->PrintResult(empty, book);
  EXPECT_EQ(book->PageCount(), 0);
  EXPECT_TRUE(book->Pages()[0].empty());
  EXPECT_FLOAT_EQ(book->PrintedAreaWidth(), 34);
  EXPECT_FLOAT_EQ(book->PrintedAreaHeight(), 12);
  EXPECT_FLOAT_EQ(book->Width(), width);

  auto& graphics = *event.root->GraphicControl();
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
