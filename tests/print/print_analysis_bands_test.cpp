// Printed analysis tables that do not fit beside one another: shrinking to the page height,
// bands stacked down the page (AutoReduction), new pages, and tables appended beside earlier
// ones.
#include <gtest/gtest.h>

#include <cstdio>

#include "print_table_fixture.h"

namespace quorvex2 {
namespace {

using qxtest::RecordAt;
using qxtest::TextAt;

constexpr int32_t kText = clsPrintBookLine::kText;
constexpr int32_t kBox = clsPrintBookLine::kBox;

std::string Clock(int seconds) {
  char text[16];
  std::snprintf(text, sizeof text, "%d:%02d:%02d", seconds / 3600, seconds / 60 % 60, seconds % 60);
  return text;
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
    char runner[16];
    std::snprintf(runner, sizeof runner, "R%02d", i);
    qxtest::AddRunner(*cls, runner, times, Clock(total));
  }
  auto analyzer = root.NewAnalyzer();
  analyzer->AddClass(name);
  analyzer->Execute();
  return analyzer;
}

// Every record stays inside the page's virtual area (recorded units).
void ExpectInsidePage(const clsPrintBook& book, float width) {
  for (const auto& page : book.Pages()) {
    for (const auto& line : page) {
      EXPECT_LE(line.Left + line.Width, width + 1e-3f) << line.Text;
    }
  }
}

// The corners of the class labels (black blocks) on a page.
std::vector<float> LabelLefts(const clsPrintBook& book, int page, float block_height) {
  std::vector<float> lefts;
  for (const auto& box : qxtest::RecordsOf(book, page, kBox)) {
    if (box.Fill && box.Color == 0 && std::fabs(box.Height - block_height) < 1e-3f) {
      lefts.push_back(box.Left);
    }
  }
  return lefts;
}

TEST(PrintAnalysisBands, TallTableShrinksToThePageAndRunsOverPages) {
  clsQuorvex2 root;
  auto analyzer = AnalysedClass(root, "M21", 60, 30);
  auto book = qxtest::A4Book();
  root.GraphicControl()->PrintAnalysis(analyzer, book);

  // 289 units high on 277 mm: zoom 0.958, 198.2 units across: five columns of 30 per page.
  const float z = 277.0f / 289.0f;
  EXPECT_EQ(book->PageCount(), 12);
  EXPECT_EQ(qxtest::CountTexts(*book, "Ｍ２１"), 12);
  EXPECT_EQ(TextAt(*book, 0, (37 + 4 * 30) * z, 0), "R05");
  EXPECT_EQ(TextAt(*book, 1, 15 * z, 0), "名前");
  EXPECT_EQ(TextAt(*book, 1, 37 * z, 0), "R06");
  EXPECT_EQ(TextAt(*book, 11, (37 + 4 * 30) * z, 0), "R60");
  EXPECT_EQ(TextAt(*book, 0, 15 * z, (20 + 29 * 9) * z), "29→◎");
  EXPECT_FLOAT_EQ(qxtest::FindText(*book, "Ｍ２１").line->FontSize, 35 * z);
  ExpectInsidePage(*book, 190);

  EXPECT_FLOAT_EQ(book->VirtualZoomRatio(), 1);
  EXPECT_NEAR(book->PrintedAreaWidth(), (37 + 5 * 30 + 10) * z, 1e-3);
  EXPECT_NEAR(book->PrintedAreaHeight(), 277, 1e-3);
}

TEST(PrintAnalysisBands, AutoReductionAllowsOneMoreBand) {
  clsQuorvex2 root;
  auto analyzer = AnalysedClass(root, "M21", 60, 30);
  auto& graphics = *root.GraphicControl();

  // LAPTIME, 140 units: one band at full size (seven columns of 20 a page) ...
  auto full = qxtest::A4Book();
  graphics.PrintAnalysis(analyzer, full, QX_PRINT_ANALYSIS_LAPTIME);
  EXPECT_EQ(full->PageCount(), 9);
  EXPECT_EQ(qxtest::CountTexts(*full, "名前"), 9);
  EXPECT_EQ(TextAt(*full, 0, 157, 0), "R07");
  EXPECT_EQ(TextAt(*full, 1, 37, 0), "R08");

  // ... or two bands at 95.7 % when AutoReduction allows 90 %: sixteen columns a page.
  auto banded = qxtest::A4Book();
  graphics.PrintAnalysis(analyzer, banded, QX_PRINT_ANALYSIS_LAPTIME, false, 0.9f);
  const float z = (287.0f / 150.0f) / 2;
  const float band2 = ((277 / z - 10) / 2 + 10) * z;  // 143.28 mm down
  EXPECT_EQ(banded->PageCount(), 4);
  EXPECT_EQ(qxtest::CountTexts(*banded, "名前"), 8);
  EXPECT_EQ(TextAt(*banded, 0, (37 + 7 * 20) * z, 0), "R08");
  EXPECT_EQ(TextAt(*banded, 0, 15 * z, band2), "名前");
  EXPECT_EQ(TextAt(*banded, 0, 37 * z, band2), "R09");
  EXPECT_EQ(TextAt(*banded, 1, 37 * z, 0), "R17");
  EXPECT_EQ(TextAt(*banded, 3, (37 + 3 * 20) * z, band2), "R60");
  ExpectInsidePage(*banded, 190);

  // Not enough reduction allowed: one band again.
  auto strict = qxtest::A4Book();
  graphics.PrintAnalysis(analyzer, strict, QX_PRINT_ANALYSIS_LAPTIME, false, 0.96f);
  EXPECT_EQ(strict->PageCount(), 9);
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
  // side by side (15 + 22 + 2 × 20 + 10 each); the third does not.
  graphics.PrintAnalysis(a1, book, QX_PRINT_ANALYSIS_LAPTIME);
  EXPECT_FLOAT_EQ(book->PrintedAreaWidth(), 87);
  graphics.PrintAnalysis(a2, book, QX_PRINT_ANALYSIS_LAPTIME);
  EXPECT_EQ(LabelLefts(*book, 0, 7.5f), (std::vector<float>{0, 87}));
  EXPECT_EQ(TextAt(*book, 0, 87 + 37, 0), "R01");
  graphics.PrintAnalysis(a3, book, QX_PRINT_ANALYSIS_LAPTIME);
  EXPECT_EQ(book->PageCount(), 2);
  EXPECT_EQ(LabelLefts(*book, 1, 7.5f), (std::vector<float>{0}));

  // Ten runners on a fresh page: seven in band 1, three continue in band 2 under a new
  // header column; the first band is full, so the next table takes a new page.
  book->NewPage();
  graphics.PrintAnalysis(a4, book, QX_PRINT_ANALYSIS_LAPTIME, true);
  const float band2 = (277 - 50) / 6.0f + 10;
  EXPECT_EQ(TextAt(*book, 2, 157, 0), "R07");
  EXPECT_EQ(TextAt(*book, 2, 15, band2), "名前");
  EXPECT_EQ(TextAt(*book, 2, 37, band2), "R08");
  EXPECT_EQ(TextAt(*book, 2, 77, band2), "R10");
  EXPECT_EQ(LabelLefts(*book, 2, 7.5f).size(), 1u);  // one label down the page
  EXPECT_EQ(book->Pages().size(), 4u);               // PrintNewPage
  EXPECT_EQ(book->PrintedAreaWidth(), 0);

  graphics.PrintAnalysis(a4, book, QX_PRINT_ANALYSIS_LAPTIME);
  EXPECT_FLOAT_EQ(book->PrintedAreaWidth(), 187);
  graphics.PrintAnalysis(a1, book, QX_PRINT_ANALYSIS_LAPTIME);
  EXPECT_EQ(book->PageCount(), 5);
  EXPECT_EQ(LabelLefts(*book, 4, 7.5f), (std::vector<float>{0}));
}

TEST(PrintAnalysisBands, TableStartsBesideWhenLabelHeaderAndGapFit) {
  // The page-fit check counts the label (15), the 22-unit block, the header column (29 with
  // the second column, 19 without) and the gap (10): half a unit either side of that width.
  clsQuorvex2 root;
  auto a1 = AnalysedClass(root, "A1", 1, 2);
  const struct {
    QxPrintAnalysisModeConst mode;
    float needed;
  } cases[] = {{QX_PRINT_ANALYSIS_STANDARD, 76}, {QX_PRINT_ANALYSIS_LAPTIME, 66}};
  for (const auto& c : cases) {
    for (const float spare : {0.5f, -0.5f}) {
      auto book = qxtest::A4Book(true);
      book->DrawLine(0, 0, 1, 0, 0, 1);  // the page holds something
      const float used = book->Width() - c.needed - spare;
      book->PrintedAreaWidth(used);
      root.GraphicControl()->PrintAnalysis(a1, book, c.mode);
      EXPECT_EQ(book->PageCount(), spare > 0 ? 1 : 2) << c.mode << " " << spare;
      EXPECT_EQ(LabelLefts(*book, book->PageCount() - 1, 7.5f),
                (std::vector<float>{spare > 0 ? used : 0}))
          << c.mode << " " << spare;
    }
  }
}

}  // namespace
}  // namespace quorvex2
