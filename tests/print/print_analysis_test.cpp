// Printed analysis tables of a small known class: the label and header columns, the cells of the
// runner columns in the three modes, rank shading from the settings, the "999%" cap, the print
// time, and what is refused.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <stdexcept>

#include "print/detail/print_settings.h"
#include "print_table_fixture.h"

namespace quorvex2 {
namespace {

using qxtest::AddRunner;
using qxtest::Line;
using qxtest::RecordAt;
using qxtest::ShapeAt;
using qxtest::TextAt;

constexpr auto kStandard = QX_PRINT_ANALYSIS_STANDARD;
constexpr auto kLaps = QX_PRINT_ANALYSIS_LAPTIME;
constexpr auto kSplits = QX_PRINT_ANALYSIS_SPLITTIME;

struct AnalysisEvent {
  std::shared_ptr<clsQuorvex2> root = std::make_shared<clsQuorvex2>();
  std::shared_ptr<clsAnalyzer> analyzer;

  std::shared_ptr<clsPrintBook> Print(QxPrintAnalysisModeConst mode) const {
    auto book = qxtest::A4Book();
    root->GraphicControl()->PrintAnalysis(analyzer, book, mode);
    return book;
  }
};

// M21 over two controls: three close runners (the third without data on leg 2) and one who
// takes twelve times the reference on leg 1.
AnalysisEvent FourRunners(const std::string& settings_folder = "PrintTableDefaults") {
  AnalysisEvent event;
  event.root->ConfigControl()->ChangeFolder(settings_folder);
  auto m21 = event.root->AddClass("M21");
  m21->ControlCount = 2;
  AddRunner(*m21, "山田 太郎", {60, 120, 30}, "0:03:30", "北杜 OL");
  AddRunner(*m21, "Bo", {70, 110, 40}, "0:03:40");
  AddRunner(*m21, "Cy", {80, 0, 35}, "0:04:00");
  AddRunner(*m21, "Dan", {900, 1000, 400}, "0:38:20");
  event.analyzer = event.root->NewAnalyzer();
  event.analyzer->AddClass("M21");
  event.analyzer->Execute();
  return event;
}

TEST(PrintAnalysis, CellsOfTheThreeModes) {
  auto event = FourRunners();
  auto& first = *event.analyzer->Item(1);
  const std::string miss = "hh:nn:ss";
  const float x = 37;  // the first runner column, after the label (15) and header column (22)
  const struct {
    QxPrintAnalysisModeConst mode;
    float left, top;
    std::string text;
    float width = 0;  // 0: not checked
  } cells[] = {
      {kStandard, 15, 0, "名前", 22},
      {kStandard, 17, 5, "所属"},
      {kStandard, 26, 5, "巡航"},
      {kStandard, 17, 10, "記録"},
      {kStandard, 26, 10, "ミス計"},
      {kStandard, 26, 13.5f, "ミス率"},
      {kStandard, 15, 20, "△→１"},
      {kStandard, 15, 29, "１→２"},
      {kStandard, 15, 38, "２→◎"},
      {kStandard, x, 0, "山田太郎", 30},
      {kStandard, x, 5, "北杜OL"},
      {kStandard, x - 0.5f, 10, "0:03:30"},
      {kStandard, x + 15.5f, 10, "1"},
      {kStandard, x + 21.5f, 5, first.CruiseSpeed().ToString() + "%"},
      {kStandard, x + 21.5f, 10, first.MissTimeTotal().ToString(miss, true)},
      {kStandard, x - 0.5f, 20, "1:00", 16},  // leg 1: time and rank
      {kStandard, x + 15.5f, 20, "1"},
      {kStandard, x - 1, 24, "1:00", 15.5f},  // its split row
      {kStandard, x + 15, 24, "1"},
      {kStandard, x + 21.5f, 20, first.LapRelative(1)->ToString("#0")},
      {kStandard, x + 21.5f, 24, first.MissTime(1)->ToString(miss, true)},
      {kStandard, x - 0.5f, 29, "2:00"},  // leg 2, nine units lower
      {kStandard, x - 1, 33, "3:00"},
      {kStandard, x + 60 - 0.5f, 29, "－"},     // Cy has no data on leg 2
      {kStandard, x + 90 + 21.5f, 20, "999%"},  // Dan's 1286 % is capped
      {kLaps, 15, 0, "名前"},
      {kLaps, 17, 5, "<none>"},
      {kLaps, x, 0, "山田太郎", 20},
      {kLaps, x - 0.5f, 10, "0:03:30", 14},
      {kLaps, x - 0.5f, 20, "1:00", 14},
      {kLaps, x + 13.5f, 20, "1"},
      {kLaps, x - 0.5f, 24, "2:00"},  // the next leg right below: no split rows
      {kLaps, x + 20, 0, "Bo"},
      {kSplits, x - 0.5f, 29, "2:00"},
      {kSplits, x - 1, 33, "3:00", 13.5f},
      {kSplits, x + 13, 33, "1"},
      {kSplits, 26, 10, "<none>"},  // no second column
  };
  std::map<int, std::shared_ptr<clsPrintBook>> books;
  for (auto mode : {kStandard, kLaps, kSplits}) books[mode] = event.Print(mode);
  for (const auto& c : cells) {
    const auto& book = *books[c.mode];
    EXPECT_EQ(TextAt(book, 0, c.left, c.top), c.text) << c.mode << " " << c.left << "," << c.top;
    if (c.width > 0) {
      EXPECT_FLOAT_EQ(RecordAt(book, 0, Line::kText, c.left, c.top)->Width, c.width);
    }
  }
  EXPECT_EQ(qxtest::CountTexts(*books[kLaps], "3:00"), 0);  // no cumulative times
  EXPECT_EQ(qxtest::CountTexts(*books[kSplits], "999%"), 0);
  EXPECT_EQ(RecordAt(*books[kStandard], 0, Line::kText, x - 1, 24)->FontItalic, true);
  ASSERT_GT(event.analyzer->Item(4)->LapRelative(1)->Value() * 100, 999);
}

TEST(PrintAnalysis, ShadesAndRules) {
  auto event = FourRunners();
  const float x = 37;
  const struct {
    QxPrintAnalysisModeConst mode;
    int32_t kind;
    float left, top;
    const char* shape;
  } shapes[] = {
      {kStandard, Line::kBox, 0, 0, "15x7.5 #000000 filled"},      // class label block
      {kStandard, Line::kBox, x, 20, "30x4 #CCCCCC filled"},       // leg rank 1
      {kStandard, Line::kBox, x + 30, 20, "30x4 #DDDDDD filled"},  // rank 2
      {kStandard, Line::kBox, x + 60, 20, "30x4 #EEEEEE filled"},  // rank 3
      {kStandard, Line::kBox, x + 90, 20, "<none>"},               // rank 4
      {kStandard, Line::kBox, x + 60, 29, "<none>"},               // no data
      {kStandard, Line::kLine, x, 19.5f, "30x0 #CCCCCC"},          // rule above a leg
      {kStandard, Line::kLine, x + 30, 0, "0x46 #606060"},         // column edge, 20 + 3 × 9 − 1
      {kLaps, Line::kBox, x, 20, "20x4 #CCCCCC filled"},
      {kLaps, Line::kLine, x + 20, 0, "0x32 #606060"},
      {kLaps, Line::kLine, x, 19.5f, "<none>"},
      {kSplits, Line::kLine, x, 28.5f, "20x0 #CCCCCC"},
  };
  for (const auto& s : shapes) {
    EXPECT_EQ(ShapeAt(*event.Print(s.mode), 0, s.kind, s.left, s.top), s.shape)
        << s.mode << " " << s.left << "," << s.top;
  }
}

TEST(PrintAnalysis, ClassLabelAndPrintedArea) {
  auto event = FourRunners();
  auto book = event.Print(kStandard);
  ASSERT_EQ(book->PageCount(), 1);
  auto name = qxtest::FindText(*book, "Ｍ２１");
  ASSERT_TRUE(name);
  EXPECT_TRUE(name.line->IsLandscape);
  EXPECT_FLOAT_EQ(name.line->FontSize, 35);
  EXPECT_EQ(qxtest::Place(*name.line), "0,9.5 15x253.65");
  EXPECT_EQ(ShapeAt(*book, 0, Line::kBox, 0, 0), "15x7.5 #000000 filled");
  bool frame = false;
  for (const auto& box : qxtest::RecordsOf(*book, 0, Line::kBox)) {
    frame |= !box.Fill && qxtest::Place(box) == "0,0 15x277";
  }
  EXPECT_TRUE(frame);
  // Four columns of 30 after the 22-unit header column; the next table starts 10 further.
  EXPECT_FLOAT_EQ(book->PrintedAreaWidth(), 37 + 4 * 30 + 10);
  EXPECT_FLOAT_EQ(book->PrintedAreaHeight(), 277);
  EXPECT_FLOAT_EQ(book->VirtualZoomRatio(), 1);

  auto other = qxtest::A4Book();
  EXPECT_THROW(event.root->GraphicControl()->PrintAnalysis(
                   event.analyzer, other, static_cast<QxPrintAnalysisModeConst>(3)),
               std::runtime_error);
  EXPECT_EQ(other->PageCount(), 0);
}

TEST(PrintAnalysis, SettingsChangeLabelAndShading) {
  auto event = FourRunners("PrintTableSettings");
  auto store = event.root->ConfigControl();
  store->Value(QX_CONFIG_FOLDER_DATA, "print_color_rank2", "", "&H00FF00");
  store->Value(QX_CONFIG_FOLDER_DATA, "PRINT_CLASS_LABEL_WIDTH", "", "20");
  store->Value(QX_CONFIG_FOLDER_DATA, "PRINT_CLASS_LABEL_FONT_SIZE", "", "28");
  auto book = event.Print(kStandard);
  EXPECT_EQ(ShapeAt(*book, 0, Line::kBox, 0, 0), "20x10 #000000 filled");
  EXPECT_FLOAT_EQ(qxtest::FindText(*book, "Ｍ２１").line->FontSize, 28);
  EXPECT_EQ(TextAt(*book, 0, 20, 0), "名前");
  EXPECT_EQ(ShapeAt(*book, 0, Line::kBox, 42, 20), "30x4 #CCCCCC filled");
  EXPECT_EQ(ShapeAt(*book, 0, Line::kBox, 72, 20), "30x4 #00FF00 filled");

  const std::pair<const char*, double> numbers[] = {
      {"&HCCCCCC", 0xCCCCCC}, {" &hff ", 255}, {"35", 35}, {"&H", 0}, {"", 0}};
  for (auto [text, number] : numbers) {
    EXPECT_EQ(detail::SettingNumber(text), number) << text;
  }
}

TEST(PrintAnalysis, PrintTimeAtTheFootOfTheLabel) {
  auto event = FourRunners();
  auto& graphics = *event.root->GraphicControl();
  auto book = qxtest::A4Book();
  graphics.PrintAnalysis(event.analyzer, book, kStandard, false, 1, true,
                         MakeDate(2026, 10, 18, 10, 30));
  auto time = qxtest::FindText(*book, "10:30");
  ASSERT_TRUE(time);
  EXPECT_EQ(qxtest::Place(*time.line), "0,0 15x275.615");
  EXPECT_EQ(time.line->TextValign, PRINTBOOK_VALIGN_BOTTOM);

  const char* old = std::getenv("SOURCE_DATE_EPOCH");
  const std::string saved = old ? old : "";
  setenv("SOURCE_DATE_EPOCH", "1792324800", 1);  // 2026-10-18 12:00 UTC
  auto now = qxtest::A4Book(), without = qxtest::A4Book();
  graphics.PrintAnalysis(event.analyzer, now, kStandard, false, 1, true, 0);
  graphics.PrintAnalysis(event.analyzer, without);
  old ? setenv("SOURCE_DATE_EPOCH", saved.c_str(), 1) : unsetenv("SOURCE_DATE_EPOCH");
  EXPECT_TRUE(qxtest::FindText(*now, "12:00"));
  EXPECT_FALSE(qxtest::FindText(*without, "12:00"));
}

TEST(PrintAnalysis, EmptyOrUnexecutedAnalyzersAndBadBooks) {
  auto event = FourRunners();
  auto& graphics = *event.root->GraphicControl();
  auto book = qxtest::A4Book();
  book->VirtualZoomRatio(2);
  book->PrintedAreaWidth(50);
  graphics.PrintAnalysis(event.root->NewAnalyzer(), book);
  EXPECT_TRUE(book->Pages()[0].empty());
  EXPECT_FLOAT_EQ(book->VirtualZoomRatio(), 2);
  EXPECT_FLOAT_EQ(book->PrintedAreaWidth(), 50);

  auto unexecuted = event.root->NewAnalyzer();
  unexecuted->AddClass("M21");
  graphics.PrintAnalysis(unexecuted, book);  // nothing selected before Execute
  unexecuted->SelectAll();
  EXPECT_THROW(graphics.PrintAnalysis(unexecuted, book), std::runtime_error);
  EXPECT_THROW(graphics.PrintAnalysis(nullptr, book), std::runtime_error);
  EXPECT_EQ(book->PageCount(), 0);
  try {
    graphics.PrintAnalysis(event.analyzer, std::make_shared<clsPrintBook>());
    ADD_FAILURE() << "a book never initialised was accepted";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("clsGraphicControl.PrintAnalysis"), std::string::npos);
    EXPECT_NE(std::string(e.what()).find("not been initialised"), std::string::npos);
  }
}

}  // namespace
}  // namespace quorvex2
