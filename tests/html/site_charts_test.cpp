// Chart pages of the web site: one PNG per chart the page shows, fitted to the chart's width, in
// the colours of the page's seed. (The same site with one thread and with several is the site
// test's.)
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "html/detail/chart_images.h"
#include "quorvex2/analysis/analyzer.h"
#include "quorvex2/core/root.h"
#include "quorvex2/files/file_control.h"
#include "support/temp_files.h"

namespace quorvex2 {
namespace {

namespace fs = std::filesystem;

const std::string kEvent = std::string(QX_TEST_DATA) + "/report_three_classes.lxm";

// Width of a PNG file from its header.
uint32_t PngWidth(const std::string& bytes) {
  if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0) return 0;
  uint32_t width = 0;
  for (size_t i = 16; i < 20; ++i) width = (width << 8) | static_cast<unsigned char>(bytes[i]);
  return width;
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

}  // namespace
}  // namespace quorvex2
