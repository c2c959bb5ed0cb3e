// Printed analysis tables and result lists of small known classes, each compared whole with its
// golden file. Tables: the label and header columns, the cells of the runner columns in the three
// modes, rank shading, the "999%" cap, the printed area, the settings that change them, the print
// time, what is refused, and tables of many runners and legs in bands and pages. Result lists: the
// header bar and the columns of single and mixed data sets, rows and page breaks, the cut-off
// marker, and the printed area left for the next list.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <optional>
#include <stdexcept>

#include "print/detail/print_settings.h"
#include "print_table_fixture.h"

namespace quorvex2 {
namespace {

using qxtest::AddRunner;
using qxtest::Dump;
using qxtest::ExpectGolden;
using qxtest::Hold;
using qxtest::Line;

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
    analyzer = qxtest::Analyse(root, "M21");
  }

  // With a print time (0: now), that time at the foot of the label.
  std::string Print(QxPrintAnalysisModeConst mode = QX_PRINT_ANALYSIS_STANDARD,
                    std::optional<Date> time = {}) {
    auto book = qxtest::A4Book();
    root.GraphicControl()->PrintAnalysis(analyzer, book, mode, false, 1, time.has_value(),
                                         time.value_or(0));
    return qxtest::Dump(*book);
  }
};

TEST(PrintAnalysis, TablesOfTheThreeModes) {
  FourRunners event;
  ExpectGolden("golden/print/analysis-standard.txt",
               event.Print(QX_PRINT_ANALYSIS_STANDARD, MakeDate(2026, 10, 18, 10, 30)));
  ExpectGolden("golden/print/analysis-laptime.txt", event.Print(QX_PRINT_ANALYSIS_LAPTIME));
  ExpectGolden("golden/print/analysis-splittime.txt", event.Print(QX_PRINT_ANALYSIS_SPLITTIME));

  // Without a time of its own the print time is now, which SOURCE_DATE_EPOCH fixes.
  const char* old = std::getenv("SOURCE_DATE_EPOCH");
  const std::string saved = old ? old : "";
  setenv("SOURCE_DATE_EPOCH", "1792324800", 1);  // 2026-10-18 12:00 UTC
  const std::string now = event.Print(QX_PRINT_ANALYSIS_STANDARD, 0);
  old ? setenv("SOURCE_DATE_EPOCH", saved.c_str(), 1) : unsetenv("SOURCE_DATE_EPOCH");
  EXPECT_EQ(now, event.Print(QX_PRINT_ANALYSIS_STANDARD, MakeDate(2026, 10, 18, 12, 0)));
}

TEST(PrintAnalysis, SettingsChangeLabelAndShading) {
  FourRunners event("PrintTableSettings");
  auto store = event.root.ConfigControl();
  store->Value(QX_CONFIG_FOLDER_DATA, "print_color_rank2", "", "&H00FF00");
  store->Value(QX_CONFIG_FOLDER_DATA, "PRINT_CLASS_LABEL_WIDTH", "", "20");
  store->Value(QX_CONFIG_FOLDER_DATA, "PRINT_CLASS_LABEL_FONT_SIZE", "", "28");
  ExpectGolden("golden/print/analysis-settings.txt", event.Print());

  const std::pair<const char*, double> numbers[] = {
      {"&HCCCCCC", 0xCCCCCC}, {" &hff ", 255}, {"35", 35}, {"&H", 0}, {"", 0}};
  for (auto [text, number] : numbers) EXPECT_EQ(detail::SettingNumber(text), number) << text;
}

// In either language the titles of the header column (left of its rule, the first line down the
// page) fit their cells, measured in their fonts on the book's printer: no title runs into the
// next or over the rule.
TEST(PrintAnalysis, TitlesFitTheirCellsInEitherLanguage) {
  FourRunners event;
  for (const char* language : {"ja", "en"}) {
    event.root.Language(language);
    for (const auto mode :
         {QX_PRINT_ANALYSIS_STANDARD, QX_PRINT_ANALYSIS_LAPTIME, QX_PRINT_ANALYSIS_SPLITTIME}) {
      auto book = qxtest::A4Book();
      event.root.GraphicControl()->PrintAnalysis(event.analyzer, book, mode);
      const auto& page = book->Pages()[0];
      const auto rule = std::ranges::find_if(
          page, [](const Line& r) { return r.Kind == Line::kLine && r.Width == 0; });
      ASSERT_NE(rule, page.end());
      DrawingTarget& printer = *book->PrinterObject();
      for (const Line& r : page) {
        if (r.Kind != Line::kText || r.IsLandscape || r.Left >= rule->Left) continue;
        printer.Font() = StdFont{r.FontName, r.FontSize, r.FontBold, r.FontItalic, false};
        EXPECT_LE(printer.TextWidth(r.Text), r.Width)
            << language << " mode " << mode << ": " << r.Text;
      }
    }
  }
}

// Nothing to print (an empty data set, nothing selected before Execute) leaves the book as it
// was; a missing or unready argument, a book never initialised or an unknown mode is refused.
TEST(PrintTables, NothingToPrintAndRefusals) {
  FourRunners event;
  auto& graphics = *event.root.GraphicControl();
  auto book = qxtest::A4Book(), uninitialised = std::make_shared<clsPrintBook>();
  book->VirtualZoomRatio(2);
  book->PrintedAreaWidth(50);
  book->PrintedAreaHeight(12);
  auto unexecuted = event.root.NewAnalyzer();
  unexecuted->AddClass("M21");
  for (const auto& nothing : {event.root.NewAnalyzer(), unexecuted}) {
    graphics.PrintAnalysis(nothing, book);
  }
  graphics.PrintResult(event.root.NewResultsHolder(), book);
  EXPECT_EQ(qxtest::Dump(*book), "page 95x138.5 printed 50x12 zoom 2 pages 0\n-- page 1\n");

  unexecuted->SelectAll();
  auto holder = Hold(event.root, {"M21"});
  const std::function<void()> refused[] = {
      [&] { graphics.PrintAnalysis(unexecuted, book); },
      [&] { graphics.PrintAnalysis(nullptr, book); },
      [&] { graphics.PrintAnalysis(event.analyzer, book, QxPrintAnalysisModeConst(3)); },
      [&] { graphics.PrintResult(holder, uninitialised); },
      [&] { graphics.PrintResult(holder, nullptr); },
      [&] { graphics.PrintResult(nullptr, book); },
  };
  for (const auto& step : refused) EXPECT_THROW(step(), std::runtime_error);
  EXPECT_EQ(book->PageCount(), 0);
  EXPECT_THAT([&] { graphics.PrintAnalysis(event.analyzer, uninitialised); },
              ::testing::ThrowsMessage<std::runtime_error>(
                  "clsGraphicControl.PrintAnalysis: the print book has not been initialised "
                  "(Init)"));
}

// Tables that do not fit beside one another: shrinking to the page height, bands stacked down
// the page (AutoReduction), new pages, and tables appended beside earlier ones. These golden
// files hold the class labels, the header columns' "名前" and the runners' names of each page:
// where every table, band and column went.
std::string Corners(const clsPrintBook& book) {
  return qxtest::Dump(book, [](const Line& r) {
    return r.Kind == Line::kText ? r.IsLandscape || r.Text == "名前" || r.Text[0] == 'R'
                                 : r.Kind == Line::kBox && r.Fill && r.Color == 0;
  });
}

// A class of `runners` named R01, R02, ... in result order, over `legs` legs.
std::shared_ptr<clsAnalyzer> AnalysedClass(clsQuorvex2& root, const std::string& name, int runners,
                                           int legs) {
  auto cls = root.AddClass(name);
  cls->ControlCount = legs - 1;
  for (int i = 1; i <= runners; ++i) {
    std::vector<double> times;
    int total = 0;
    for (int k = 1; k <= legs; ++k) {
      times.push_back(60 + i + (k * 13) % 50);
      total += static_cast<int>(times.back());
    }
    AddRunner(*cls, qxtest::Printf("R%02d", i), times,
              qxtest::Printf("%d:%02d:%02d", total / 3600, total / 60 % 60, total % 60));
  }
  return qxtest::Analyse(root, name);
}

TEST(PrintAnalysisBands, TallTablesShrinkToThePageOrStackInBands) {
  clsQuorvex2 root;
  auto analyzer = AnalysedClass(root, "M21", 60, 30);
  const struct {
    const char* golden;
    QxPrintAnalysisModeConst mode;
    float reduction;
  } cases[] = {
      // 289 units high on 277 mm: zoom 0.958, five columns of 30 a page, twelve pages.
      {"print/bands-shrunk.txt", QX_PRINT_ANALYSIS_STANDARD, 1},
      // LAPTIME, 140 units: one band at full size, seven columns of 20 a page ...
      {"print/bands-one.txt", QX_PRINT_ANALYSIS_LAPTIME, 1},
      // ... or two bands at 95.7 % when AutoReduction allows 90 %: sixteen columns a page ...
      {"print/bands-two.txt", QX_PRINT_ANALYSIS_LAPTIME, 0.9f},
      // ... but not when it allows only 96 %.
      {"print/bands-one.txt", QX_PRINT_ANALYSIS_LAPTIME, 0.96f},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.reduction);
    auto book = qxtest::A4Book();
    root.GraphicControl()->PrintAnalysis(analyzer, book, c.mode, false, c.reduction);
    ExpectGolden(std::string("golden/") + c.golden, Corners(*book));
    for (const auto& page : book->Pages()) {
      for (const auto& line : page) EXPECT_LE(line.Left + line.Width, 190 + 1e-3f) << line.Text;
    }
  }
}

TEST(PrintAnalysisBands, TablesAppendBesideAndWrapBelow) {
  clsQuorvex2 root;
  auto a1 = AnalysedClass(root, "A1", 2, 3);
  auto a2 = AnalysedClass(root, "A2", 2, 3);
  auto a3 = AnalysedClass(root, "A3", 2, 3);
  auto a4 = AnalysedClass(root, "A4", 10, 3);
  auto& graphics = *root.GraphicControl();
  auto book = qxtest::A4Book();
  // LAPTIME tables of 32 units: 6 bands of 47.83 on the page. Two tables of two runners fit
  // side by side (15 + 22 + 2 × 20 + 10 each); the third takes page 2.
  for (const auto& analyzer : {a1, a2, a3}) {
    graphics.PrintAnalysis(analyzer, book, QX_PRINT_ANALYSIS_LAPTIME);
  }
  // Ten runners on a fresh page: seven in band 1, three continue in band 2 under a new header
  // column and one label. PrintNewPage sends the next table to page 4; it fills the first band
  // there too, so the table after it takes page 5.
  book->NewPage();
  graphics.PrintAnalysis(a4, book, QX_PRINT_ANALYSIS_LAPTIME, true);
  for (const auto& analyzer : {a4, a1}) {
    graphics.PrintAnalysis(analyzer, book, QX_PRINT_ANALYSIS_LAPTIME);
  }
  ExpectGolden("golden/print/bands-appended.txt", Corners(*book));
}

TEST(PrintAnalysisBands, TableStartsBesideWhenLabelHeaderAndGapFit) {
  // The page-fit check counts the label (15), the 22-unit block, the header column (29 with
  // the second column, 19 without) and the gap (10): half a unit either side of that width.
  clsQuorvex2 root;
  auto a1 = AnalysedClass(root, "A1", 1, 2);
  for (auto [mode, needed] :
       {std::pair{QX_PRINT_ANALYSIS_STANDARD, 76.0f}, {QX_PRINT_ANALYSIS_LAPTIME, 66.0f}}) {
    for (const float spare : {0.5f, -0.5f}) {
      auto book = qxtest::A4Book(true);
      book->DrawLine(0, 0, 1, 0, 0, 1);  // the page holds something
      const float used = book->Width() - needed - spare;
      book->PrintedAreaWidth(used);
      root.GraphicControl()->PrintAnalysis(a1, book, mode);
      const auto [page, label] = qxtest::FindText(*book, "Ａ１");
      EXPECT_EQ(page, spare > 0 ? 0 : 1) << mode << " " << spare;
      EXPECT_FLOAT_EQ(label->Left, spare > 0 ? used : 0) << mode << " " << spare;
    }
  }
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
