// Printed analysis tables of a small known class, each compared whole with its golden file (the
// label and header columns, the cells of the runner columns in the three modes, rank shading,
// the "999%" cap, the printed area), the settings that change them, the print time, and what is
// refused.
#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>

#include "print/detail/print_settings.h"
#include "print_table_fixture.h"

namespace quorvex2 {
namespace {

using qxtest::AddRunner;
using qxtest::Dump;
using qxtest::ExpectGolden;

constexpr auto kStandard = QX_PRINT_ANALYSIS_STANDARD;

struct AnalysisEvent {
  std::shared_ptr<clsQuorvex2> root = std::make_shared<clsQuorvex2>();
  std::shared_ptr<clsAnalyzer> analyzer;

  std::shared_ptr<clsPrintBook> Print(QxPrintAnalysisModeConst mode = kStandard) const {
    auto book = qxtest::A4Book();
    root->GraphicControl()->PrintAnalysis(analyzer, book, mode);
    return book;
  }
};

// M21 over two controls: three close runners (the third without data on leg 2) and Dan, who
// takes twelve times the reference on leg 1 (1286 %, printed as "999%").
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

TEST(PrintAnalysis, TablesOfTheThreeModes) {
  auto event = FourRunners();
  ExpectGolden("print/analysis-standard.txt", Dump(*event.Print(kStandard)));
  ExpectGolden("print/analysis-laptime.txt", Dump(*event.Print(QX_PRINT_ANALYSIS_LAPTIME)));
  ExpectGolden("print/analysis-splittime.txt", Dump(*event.Print(QX_PRINT_ANALYSIS_SPLITTIME)));
}

TEST(PrintAnalysis, SettingsChangeLabelAndShading) {
  auto event = FourRunners("PrintTableSettings");
  auto store = event.root->ConfigControl();
  store->Value(QX_CONFIG_FOLDER_DATA, "print_color_rank2", "", "&H00FF00");
  store->Value(QX_CONFIG_FOLDER_DATA, "PRINT_CLASS_LABEL_WIDTH", "", "20");
  store->Value(QX_CONFIG_FOLDER_DATA, "PRINT_CLASS_LABEL_FONT_SIZE", "", "28");
  ExpectGolden("print/analysis-settings.txt", Dump(*event.Print()));

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
  EXPECT_EQ(qxtest::DumpLine(*time.line),
            "T 0,0 15x275.615 \"10:30\" ＭＳ Ｐゴシック 8 a1 v2 #000000\n");

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

TEST(PrintAnalysis, EmptyOrUnexecutedAnalyzersAndBadBooksAndModes) {
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
  EXPECT_THROW(
      graphics.PrintAnalysis(event.analyzer, book, static_cast<QxPrintAnalysisModeConst>(3)),
      std::runtime_error);
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
