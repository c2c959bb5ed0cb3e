// Printed analysis tables that do not fit beside one another: shrinking to the page height,
// bands stacked down the page (AutoReduction), new pages, and tables appended beside earlier
// ones. The golden files hold the class labels, the header columns' "名前" and the runners' names
// of each page: where every table, band and column went.
#include <gtest/gtest.h>

#include "print_table_fixture.h"

namespace quorvex2 {
namespace {

using qxtest::Line;

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
    qxtest::AddRunner(*cls, qxtest::Printf("R%02d", i), times,
                      qxtest::Printf("%d:%02d:%02d", total / 3600, total / 60 % 60, total % 60));
  }
  auto analyzer = root.NewAnalyzer();
  analyzer->AddClass(name);
  analyzer->Execute();
  return analyzer;
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
    qxtest::ExpectGolden(c.golden, Corners(*book));
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
  qxtest::ExpectGolden("print/bands-appended.txt", Corners(*book));
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

}  // namespace
}  // namespace quorvex2
