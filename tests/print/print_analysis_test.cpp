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
using qxtest::ExpectGolden;

// M21 over two controls: three close runners (the third without data on leg 2) and Dan, who
// takes twelve times the reference on leg 1 (1286 %, printed as "999%"); the print settings
// from their own folder.
struct FourRunners {
  clsQuorvex2 root;
  std::shared_ptr<clsAnalyzer> analyzer;

  explicit FourRunners(const std::string& settings_folder = "PrintTableDefaults") {
    root.ConfigControl()->ChangeFolder(settings_folder);
    auto m21 = root.AddClass("M21");
    m21->ControlCount = 2;
    AddRunner(*m21, "山田 太郎", {60, 120, 30}, "0:03:30", "北杜 OL");
    AddRunner(*m21, "Bo", {70, 110, 40}, "0:03:40");
    AddRunner(*m21, "Cy", {80, 0, 35}, "0:04:00");
    AddRunner(*m21, "Dan", {900, 1000, 400}, "0:38:20");
    analyzer = root.NewAnalyzer();
    analyzer->AddClass("M21");
    analyzer->Execute();
  }

  std::string Print(QxPrintAnalysisModeConst mode = QX_PRINT_ANALYSIS_STANDARD) {
    auto book = qxtest::A4Book();
    root.GraphicControl()->PrintAnalysis(analyzer, book, mode);
    return qxtest::Dump(*book);
  }
};

TEST(PrintAnalysis, TablesOfTheThreeModes) {
  FourRunners event;
  ExpectGolden("print/analysis-standard.txt", event.Print());
  ExpectGolden("print/analysis-laptime.txt", event.Print(QX_PRINT_ANALYSIS_LAPTIME));
  ExpectGolden("print/analysis-splittime.txt", event.Print(QX_PRINT_ANALYSIS_SPLITTIME));
}

TEST(PrintAnalysis, SettingsChangeLabelAndShading) {
  FourRunners event("PrintTableSettings");
  auto store = event.root.ConfigControl();
  store->Value(QX_CONFIG_FOLDER_DATA, "print_color_rank2", "", "&H00FF00");
  store->Value(QX_CONFIG_FOLDER_DATA, "PRINT_CLASS_LABEL_WIDTH", "", "20");
  store->Value(QX_CONFIG_FOLDER_DATA, "PRINT_CLASS_LABEL_FONT_SIZE", "", "28");
  ExpectGolden("print/analysis-settings.txt", event.Print());

  const std::pair<const char*, double> numbers[] = {
      {"&HCCCCCC", 0xCCCCCC}, {" &hff ", 255}, {"35", 35}, {"&H", 0}, {"", 0}};
  for (auto [text, number] : numbers) EXPECT_EQ(detail::SettingNumber(text), number) << text;
}

TEST(PrintAnalysis, PrintTimeAtTheFootOfTheLabel) {
  FourRunners event;
  auto& graphics = *event.root.GraphicControl();
  auto book = qxtest::A4Book();
  graphics.PrintAnalysis(event.analyzer, book, QX_PRINT_ANALYSIS_STANDARD, false, 1, true,
                         MakeDate(2026, 10, 18, 10, 30));
  const auto [page, time] = qxtest::FindText(*book, "10:30");
  ASSERT_NE(time, nullptr);
  EXPECT_EQ(qxtest::DumpLine(*time),
            "T 0,0 15x275.615 \"10:30\" ＭＳ Ｐゴシック 8 a1 v2 #000000\n");

  // Without a time of its own the print time is now, which SOURCE_DATE_EPOCH fixes.
  const char* old = std::getenv("SOURCE_DATE_EPOCH");
  const std::string saved = old ? old : "";
  setenv("SOURCE_DATE_EPOCH", "1792324800", 1);  // 2026-10-18 12:00 UTC
  auto now = qxtest::A4Book(), without = qxtest::A4Book();
  graphics.PrintAnalysis(event.analyzer, now, QX_PRINT_ANALYSIS_STANDARD, false, 1, true, 0);
  graphics.PrintAnalysis(event.analyzer, without);
  old ? setenv("SOURCE_DATE_EPOCH", saved.c_str(), 1) : unsetenv("SOURCE_DATE_EPOCH");
  EXPECT_NE(qxtest::FindText(*now, "12:00").second, nullptr);
  EXPECT_EQ(qxtest::FindText(*without, "12:00").second, nullptr);
}

TEST(PrintAnalysis, EmptyOrUnexecutedAnalyzersAndBadBooksAndModes) {
  FourRunners event;
  auto& graphics = *event.root.GraphicControl();
  auto book = qxtest::A4Book();
  book->VirtualZoomRatio(2);
  book->PrintedAreaWidth(50);
  graphics.PrintAnalysis(event.root.NewAnalyzer(), book);
  EXPECT_EQ(qxtest::Dump(*book), "page 95x138.5 printed 50x0 zoom 2 pages 0\n-- page 1\n");

  auto unexecuted = event.root.NewAnalyzer();
  unexecuted->AddClass("M21");
  graphics.PrintAnalysis(unexecuted, book);  // nothing selected before Execute
  unexecuted->SelectAll();
  EXPECT_THROW(graphics.PrintAnalysis(unexecuted, book), std::runtime_error);
  EXPECT_THROW(graphics.PrintAnalysis(nullptr, book), std::runtime_error);
  EXPECT_THROW(graphics.PrintAnalysis(event.analyzer, book, QxPrintAnalysisModeConst(3)),
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
