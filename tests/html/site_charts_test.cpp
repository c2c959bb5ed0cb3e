// Chart pages of the web site: one PNG per chart the page shows, fitted to the chart's width, in
// the colours of the page's seed. (The same site with one thread and with several is the site
// test's.)
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "../export/export_fixture.h"
#include "html/detail/chart_images.h"
#include "quorvex2/analysis/analyzer.h"
#include "quorvex2/core/root.h"
#include "quorvex2/files/file_control.h"
#include "support/temp_files.h"

namespace quorvex2 {
namespace {

namespace fs = std::filesystem;

const std::string kEvent = std::string(QX_TEST_DATA) + "/report_three_classes.lxm";

// The big-endian 32-bit number at `at` (PNG keeps its sizes so); 0 when the bytes end before.
uint32_t NumberAt(const std::string& bytes, size_t at) {
  if (at + 4 > bytes.size()) return 0;
  uint32_t number = 0;
  for (size_t i = at; i < at + 4; ++i)
    number = (number << 8) | static_cast<unsigned char>(bytes[i]);
  return number;
}

// Width of a PNG file from its header.
uint32_t PngWidth(const std::string& bytes) {
  return bytes.size() > 4 && bytes.compare(1, 3, "PNG") == 0 ? NumberAt(bytes, 16) : 0;
}

// The entries of a PNG file's palette (its chunk's length over 3); 0 for an RGB image.
size_t PaletteSize(const std::string& bytes) {
  const size_t at = bytes.find("PLTE");
  return at == std::string::npos || at < 4 ? 0 : NumberAt(bytes, at - 4) / 3;
}

bool WriteSite(clsQuorvex2& root, const std::string& folder, const std::string& charts) {
  return root.FileControl()->OutputHtml(folder, "index.html", "", "", "", "", false, false, "", "",
                                        false, false, "", false, "c_*.html", false, charts);
}

TEST(SiteCharts, OutputHtmlWritesOnePictureForEveryChartShown) {
  ASSERT_TRUE(detail::PngOutputAvailable());
  clsQuorvex2 root;
  ASSERT_TRUE(root.FileControl()->LoadLapFile(kEvent)) << root.ErrorComment();
  const std::string first = qxtest::MakeTempDir("site_charts");
  ASSERT_TRUE(WriteSite(root, first, "0,1,5,7")) << root.ErrorComment();
  for (const char* name :
       {"c_m21.html", "c_m21_0.png", "c_m21_1.png", "c_m21_5.png", "c_w21_0.png"}) {
    EXPECT_TRUE(fs::exists(fs::path(first) / name)) << name;
  }
  // Neither a chart not asked for nor the X/Y map, which the chart page does not show.
  EXPECT_FALSE(fs::exists(fs::path(first) / "c_m21_2.png"));
  EXPECT_FALSE(fs::exists(fs::path(first) / "c_m21_7.png"));
  // The split-time chart is as wide as the slowest split (20:10) with 2 minutes on each side.
  EXPECT_EQ(PngWidth(qxtest::ReadFile(first + "/c_m21_0.png")), (1210u + 240) / 5 + 104);
  EXPECT_NE(qxtest::ReadFile(first + "/c_m21_0.png"), qxtest::ReadFile(first + "/c_w21_0.png"));
  EXPECT_NE(qxtest::ReadFile(first + "/index.html").find("c_m21.html"), std::string::npos);
}

TEST(SiteCharts, RunnersKeepTheirColourOverThePagesCharts) {
  clsQuorvex2 root;
  ASSERT_TRUE(root.FileControl()->LoadLapFile(kEvent));
  auto analyzer = root.NewAnalyzer();
  analyzer->AddClass("M21");
  analyzer->Execute();
  analyzer->ExtraAnalyze();
  const std::string folder = qxtest::MakeTempDir("chart_colours");
  ASSERT_TRUE(detail::WriteChartImages(*analyzer, folder + "/", "x_?.png", "0, 5", 42));
  // The colours given at the first chart stay for the next: the cruise speed chart drawn
  // second is the same picture as when it is drawn alone.
  ASSERT_TRUE(detail::WriteChartImages(*analyzer, folder + "/", "z_?.png", "5", 42));
  EXPECT_EQ(qxtest::ReadFile(folder + "/x_5.png"), qxtest::ReadFile(folder + "/z_5.png"));
  EXPECT_GT(qxtest::ReadFile(folder + "/x_5.png").size(), 1000u);
  // A folder that cannot be written fails the images.
  EXPECT_FALSE(detail::WriteChartImages(*analyzer, folder + "/none/", "x_?.png", "0", 42));
  // Another seed gives other colours.
  ASSERT_TRUE(detail::WriteChartImages(*analyzer, folder + "/", "y_?.png", "0", 43));
  EXPECT_NE(qxtest::ReadFile(folder + "/x_0.png"), qxtest::ReadFile(folder + "/y_0.png"));
}

// A class of more runners than a palette has colours repeats the first 240 runners' colours (with
// the chart's own few), so its pictures stay palette images.
TEST(SiteCharts, LargeClassesKeepToAPalette) {
  clsQuorvex2 root;
  auto cls = root.AddClass("M21");
  cls->ControlCount = 2;
  for (int i = 1; i <= 300; ++i) {
    // Lines 20 s apart, each in sight.
    const int first = 60 + 20 * i, second = 120, third = 60;
    const int total = first + second + third;
    char result[16];
    std::snprintf(result, sizeof result, "%d:%02d:%02d", total / 3600, total / 60 % 60, total % 60);
    qxtest::AddRunner(*cls, "R" + std::to_string(i), {1.0 * first, 1.0 * second, 1.0 * third},
                      result);
  }
  auto analyzer = root.NewAnalyzer();
  analyzer->AddClass("M21");
  analyzer->Execute();
  const std::string folder = qxtest::MakeTempDir("chart_palette");
  ASSERT_TRUE(detail::WriteChartImages(*analyzer, folder + "/", "p_?.png", "0", 7));
  const size_t colors = PaletteSize(qxtest::ReadFile(folder + "/p_0.png"));
  EXPECT_GT(colors, 240u);
  EXPECT_LE(colors, 256u);
}

}  // namespace
}  // namespace quorvex2
