// Printed analysis tables of a small known class: the label and header columns, every cell of
// a runner column in the three modes, rank shading from the settings, the "999%" cap, the
// print time, and what is refused.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <stdexcept>

#include "print/detail/print_settings.h"
#include "print_table_fixture.h"

namespace quorvex2 {
namespace {

using qxtest::AddRunner;
using qxtest::RecordAt;
using qxtest::TextAt;

constexpr int32_t kText = clsPrintBookLine::kText;
constexpr int32_t kBox = clsPrintBookLine::kBox;
constexpr int32_t kLine = clsPrintBookLine::kLine;

struct AnalysisEvent {
  std::shared_ptr<clsQuorvex2> root = std::make_shared<clsQuorvex2>();
  std::shared_ptr<clsAnalyzer> analyzer;
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

std::shared_ptr<clsPrintBook> Print(const AnalysisEvent& event, QxPrintAnalysisModeConst mode) {
  auto book = qxtest::A4Book();
  event.root->GraphicControl()->PrintAnalysis(event.analyzer, book, mode);
  return book;
}

void ExpectBox(const clsPrintBookLine* line, float width, float height) {
  ASSERT_NE(line, nullptr);
  EXPECT_FLOAT_EQ(line->Width, width);
  EXPECT_FLOAT_EQ(line->Height, height);
}

TEST(PrintAnalysis, LabelAndHeaderColumns) {
  auto event = FourRunners();
  auto book = Print(event, QX_PRINT_ANALYSIS_STANDARD);
  ASSERT_EQ(book->PageCount(), 1);

  // Class label: black block, frame down the page, the name in vertical writing.
  const auto* block = RecordAt(*book, 0, kBox, 0, 0);
  ExpectBox(block, 15, 7.5f);
  EXPECT_TRUE(block->Fill);
  EXPECT_EQ(block->Color, 0);
  auto name = qxtest::FindText(*book, "Ｍ２１");
  ASSERT_TRUE(name);
  EXPECT_TRUE(name.line->IsLandscape);
  EXPECT_FLOAT_EQ(name.line->ChrHeight, 1.5f);
  EXPECT_TRUE(name.line->AutoStringCut);
  EXPECT_EQ(name.line->TextAlign, PRINTBOOK_ALIGN_CENTER);
  EXPECT_EQ(name.line->FontName, "ＭＳ ゴシック");
  EXPECT_FLOAT_EQ(name.line->FontSize, 35);
  EXPECT_FLOAT_EQ(name.line->Left, 0);
  EXPECT_FLOAT_EQ(name.line->Width, 15);
  bool frame = false;
  for (const auto& box : qxtest::RecordsOf(*book, 0, kBox)) {
    frame |= !box.Fill && box.Left == 0 && box.Width == 15 && box.Height == 277;
  }
  EXPECT_TRUE(frame);

  // Row titles at their positions beside the label.
  EXPECT_EQ(TextAt(*book, 0, 15, 0), "名前");
  ExpectBox(RecordAt(*book, 0, kText, 15, 0), 22, 5);
  EXPECT_EQ(TextAt(*book, 0, 17, 5), "所属");
  EXPECT_EQ(TextAt(*book, 0, 26, 5), "巡航");
  EXPECT_EQ(RecordAt(*book, 0, kText, 26, 5)->TextValign, PRINTBOOK_VALIGN_BOTTOM);
  EXPECT_EQ(TextAt(*book, 0, 17, 10), "記録");
  EXPECT_EQ(TextAt(*book, 0, 26, 10), "ミス計");
  ExpectBox(RecordAt(*book, 0, kText, 26, 10), 11, 3.5f);
  EXPECT_EQ(TextAt(*book, 0, 26, 13.5f), "ミス率");
  EXPECT_EQ(TextAt(*book, 0, 15, 20), "△→１");
  EXPECT_EQ(TextAt(*book, 0, 15, 29), "１→２");
  EXPECT_EQ(TextAt(*book, 0, 15, 38), "２→◎");

  // Four columns of 30 after the 22-unit header column; the next table starts 10 further.
  EXPECT_FLOAT_EQ(book->PrintedAreaWidth(), 37 + 4 * 30 + 10);
  EXPECT_FLOAT_EQ(book->PrintedAreaHeight(), 277);
  EXPECT_FLOAT_EQ(book->VirtualZoomRatio(), 1);
}

TEST(PrintAnalysis, StandardRunnerColumnCells) {
  auto event = FourRunners();
  auto book = Print(event, QX_PRINT_ANALYSIS_STANDARD);
  const float x = 37;  // the first runner

  EXPECT_EQ(TextAt(*book, 0, x, 0), "山田太郎");
  ExpectBox(RecordAt(*book, 0, kText, x, 0), 30, 5);
  EXPECT_EQ(RecordAt(*book, 0, kText, x, 0)->FontName, "ＭＳ Ｐ明朝");
  EXPECT_EQ(TextAt(*book, 0, x, 5), "北杜OL");
  EXPECT_EQ(TextAt(*book, 0, x - 0.5f, 10), "0:03:30");
  EXPECT_EQ(RecordAt(*book, 0, kText, x - 0.5f, 10)->TextAlign, PRINTBOOK_ALIGN_RIGHT);
  EXPECT_EQ(TextAt(*book, 0, x + 15.5f, 10), "1");
  const std::string cruise = TextAt(*book, 0, x + 21.5f, 5);
  EXPECT_EQ(cruise, event.analyzer->Item(1)->CruiseSpeed().ToString() + "%");
  EXPECT_EQ(TextAt(*book, 0, x + 21.5f, 10),
            event.analyzer->Item(1)->MissTimeTotal().ToString("hh:nn:ss", true));
  EXPECT_EQ(TextAt(*book, 0, x + 21.5f, 13.5f).back(), '%');

  // Leg 1: shaded rank 1, leg time and rank, split row, relative value and miss time.
  const auto* shade = RecordAt(*book, 0, kBox, x, 20);
  ExpectBox(shade, 30, 4);
  EXPECT_TRUE(shade->Fill);
  EXPECT_EQ(shade->Color, 0xCCCCCC);
  EXPECT_FLOAT_EQ(shade->DrawWidth, 1);
  const auto* leg_time = RecordAt(*book, 0, kText, x - 0.5f, 20);
  ASSERT_NE(leg_time, nullptr);
  EXPECT_EQ(leg_time->Text, "1:00");
  EXPECT_FLOAT_EQ(leg_time->Width, 16);
  EXPECT_FLOAT_EQ(leg_time->FontSize, 12);
  EXPECT_EQ(leg_time->TextValign, PRINTBOOK_VALIGN_MIDDLE);
  const auto* leg_rank = RecordAt(*book, 0, kText, x + 15.5f, 20);
  ASSERT_NE(leg_rank, nullptr);
  EXPECT_EQ(leg_rank->Text, "1");
  EXPECT_EQ(leg_rank->FontName, "ＭＳ 明朝");
  const auto* rule = RecordAt(*book, 0, kLine, x, 19.5f);
  ExpectBox(rule, 30, 0);
  EXPECT_EQ(rule->Color, 0xCCCCCC);
  const auto* split = RecordAt(*book, 0, kText, x - 1, 24);
  ASSERT_NE(split, nullptr);
  EXPECT_EQ(split->Text, "1:00");
  EXPECT_FLOAT_EQ(split->Width, 15.5f);
  EXPECT_TRUE(split->FontItalic);
  EXPECT_EQ(TextAt(*book, 0, x + 15, 24), "1");
  const auto* relative = RecordAt(*book, 0, kText, x + 21.5f, 20);
  ASSERT_NE(relative, nullptr);
  EXPECT_EQ(relative->Text, event.analyzer->Item(1)->LapRelative(1)->ToString("#0"));
  EXPECT_EQ(relative->TextValign, PRINTBOOK_VALIGN_BOTTOM);
  EXPECT_EQ(TextAt(*book, 0, x + 21.5f, 24),
            event.analyzer->Item(1)->MissTime(1)->ToString("hh:nn:ss", true));
  // Leg 2 follows nine units lower; the cumulative time adds up.
  EXPECT_EQ(TextAt(*book, 0, x - 0.5f, 29), "2:00");
  EXPECT_EQ(TextAt(*book, 0, x - 1, 33), "3:00");

  // Ranks 2 and 3 in their greys; Cy's missing leg prints "－" on no shade.
  EXPECT_EQ(RecordAt(*book, 0, kBox, x + 30, 20)->Color, 0xDDDDDD);
  EXPECT_EQ(RecordAt(*book, 0, kBox, x + 60, 20)->Color, 0xEEEEEE);
  EXPECT_EQ(TextAt(*book, 0, x + 60 - 0.5f, 29), "－");
  EXPECT_EQ(RecordAt(*book, 0, kBox, x + 60, 29), nullptr);
  // Dan: no shade at rank 4, and 1286 % prints as the cap.
  EXPECT_EQ(RecordAt(*book, 0, kBox, x + 90, 20), nullptr);
  ASSERT_GT(event.analyzer->Item(4)->LapRelative(1)->Value() * 100, 999);
  EXPECT_EQ(TextAt(*book, 0, x + 90 + 21.5f, 20), "999%");

  // A grey rule down each column's right edge over the table height (20 + 3 × 9 − 1).
  const auto* edge = RecordAt(*book, 0, kLine, x + 30, 0);
  ExpectBox(edge, 0, 46);
  EXPECT_EQ(edge->Color, 0x606060);
}

TEST(PrintAnalysis, LapTimeAndSplitTimeModes) {
  auto event = FourRunners();
  const float x = 37;
  auto laps = Print(event, QX_PRINT_ANALYSIS_LAPTIME);
  EXPECT_EQ(TextAt(*laps, 0, 15, 0), "名前");
  EXPECT_EQ(qxtest::CountTexts(*laps, "所属"), 0);
  EXPECT_EQ(TextAt(*laps, 0, x, 0), "山田太郎");
  ExpectBox(RecordAt(*laps, 0, kText, x, 0), 20, 5);
  EXPECT_EQ(TextAt(*laps, 0, x - 0.5f, 20), "1:00");
  ExpectBox(RecordAt(*laps, 0, kText, x - 0.5f, 20), 14, 4);
  EXPECT_EQ(TextAt(*laps, 0, x + 13.5f, 20), "1");
  ExpectBox(RecordAt(*laps, 0, kBox, x, 20), 20, 4);
  EXPECT_EQ(TextAt(*laps, 0, x - 0.5f, 24), "2:00");  // the next leg right below
  EXPECT_EQ(qxtest::CountTexts(*laps, "3:00"), 0);    // no cumulative times
  EXPECT_EQ(TextAt(*laps, 0, x + 20, 0), "Bo");
  ExpectBox(RecordAt(*laps, 0, kLine, x + 20, 0), 0, 32);
  for (const auto& line : qxtest::RecordsOf(*laps, 0, kLine)) EXPECT_NE(line.Color, 0xCCCCCC);
  const auto* result = RecordAt(*laps, 0, kText, x - 0.5f, 10);
  ASSERT_NE(result, nullptr);
  EXPECT_EQ(result->Text, "0:03:30");
  EXPECT_FLOAT_EQ(result->Width, 14);

  auto splits = Print(event, QX_PRINT_ANALYSIS_SPLITTIME);
  EXPECT_EQ(TextAt(*splits, 0, x - 0.5f, 29), "2:00");
  EXPECT_EQ(TextAt(*splits, 0, x - 1, 33), "3:00");
  ExpectBox(RecordAt(*splits, 0, kText, x - 1, 33), 13.5f, 4);
  EXPECT_EQ(TextAt(*splits, 0, x + 13, 33), "1");
  ExpectBox(RecordAt(*splits, 0, kLine, x, 28.5f), 20, 0);
  EXPECT_EQ(qxtest::CountTexts(*splits, "999%"), 0);  // no second column
  EXPECT_EQ(qxtest::CountTexts(*splits, "ミス計"), 0);

  auto book = qxtest::A4Book();
  EXPECT_THROW(event.root->GraphicControl()->PrintAnalysis(
                   event.analyzer, book, static_cast<QxPrintAnalysisModeConst>(3)),
               std::runtime_error);
  EXPECT_EQ(book->PageCount(), 0);
}

TEST(PrintAnalysis, SettingsChangeLabelAndShading) {
  auto event = FourRunners("PrintTableSettings");
  auto store = event.root->ConfigControl();
  store->Value(QX_CONFIG_FOLDER_DATA, "print_color_rank2", "", "&H00FF00");
  store->Value(QX_CONFIG_FOLDER_DATA, "PRINT_CLASS_LABEL_WIDTH", "", "20");
  store->Value(QX_CONFIG_FOLDER_DATA, "PRINT_CLASS_LABEL_FONT_SIZE", "", "28");
  auto book = Print(event, QX_PRINT_ANALYSIS_STANDARD);
  ExpectBox(RecordAt(*book, 0, kBox, 0, 0), 20, 10);
  EXPECT_FLOAT_EQ(qxtest::FindText(*book, "Ｍ２１").line->FontSize, 28);
  EXPECT_EQ(TextAt(*book, 0, 20, 0), "名前");
  EXPECT_EQ(RecordAt(*book, 0, kBox, 42, 20)->Color, 0xCCCCCC);
  EXPECT_EQ(RecordAt(*book, 0, kBox, 72, 20)->Color, 0x00FF00);

  EXPECT_EQ(detail::SettingNumber("&HCCCCCC"), 0xCCCCCC);
  EXPECT_EQ(detail::SettingNumber(" &hff "), 255);
  EXPECT_EQ(detail::SettingNumber("35"), 35);
  EXPECT_EQ(detail::SettingNumber("&H"), 0);
  EXPECT_EQ(detail::SettingNumber(""), 0);
}

// Sets an environment variable for one scope.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    setenv(name, value, 1);
  }
  ~ScopedEnv() { old_ ? setenv(name_, old_->c_str(), 1) : unsetenv(name_); }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(PrintAnalysis, PrintTimeAtTheFootOfTheLabel) {
  auto event = FourRunners();
  auto& graphics = *event.root->GraphicControl();
  auto book = qxtest::A4Book();
  graphics.PrintAnalysis(event.analyzer, book, QX_PRINT_ANALYSIS_STANDARD, false, 1, true,
                         MakeDate(2026, 10, 18, 10, 30));
  auto time = qxtest::FindText(*book, "10:30");
  ASSERT_TRUE(time);
  EXPECT_FLOAT_EQ(time.line->Left, 0);
  EXPECT_FLOAT_EQ(time.line->Width, 15);
  EXPECT_FLOAT_EQ(time.line->Height, 277 * 0.995f);
  EXPECT_EQ(time.line->TextValign, PRINTBOOK_VALIGN_BOTTOM);
  EXPECT_EQ(time.line->TextAlign, PRINTBOOK_ALIGN_CENTER);

  ScopedEnv epoch("SOURCE_DATE_EPOCH", "1792324800");  // 2026-10-18 12:00 UTC
  auto now = qxtest::A4Book();
  graphics.PrintAnalysis(event.analyzer, now, QX_PRINT_ANALYSIS_STANDARD, false, 1, true, 0);
  EXPECT_TRUE(qxtest::FindText(*now, "12:00"));
  auto without = qxtest::A4Book();
  graphics.PrintAnalysis(event.analyzer, without);
  EXPECT_FALSE(qxtest::FindText(*without, "12:00"));
}

TEST(PrintAnalysis, EmptyOrUnexecutedAnalyzersAndBadBooks) {
  auto event = FourRunners();
  auto& graphics = *event.root->GraphicControl();
  auto book = qxtest::A4Book();
  book->VirtualZoomRatio(2);
  book->PrintedAreaWidth(50);
  graphics.PrintAnalysis(event.root->NewAnalyzer(), book);
  EXPECT_EQ(book->PageCount(), 0);
  EXPECT_TRUE(book->Pages()[0].empty());
  EXPECT_FLOAT_EQ(book->VirtualZoomRatio(), 2);
  EXPECT_FLOAT_EQ(book->PrintedAreaWidth(), 50);

  auto unexecuted = event.root->NewAnalyzer();
  unexecuted->AddClass("M21");
  graphics.PrintAnalysis(unexecuted, book);  // nothing selected before Execute
  EXPECT_EQ(book->PageCount(), 0);
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
