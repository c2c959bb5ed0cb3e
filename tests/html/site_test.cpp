// The web site generator through clsFileControl::OutputHtml: page patterns, course entries, the
// index block written new and replaced in place, lap file copies and the encodings; the same site
// with one thread and with several; and the chart pages: one PNG per chart the page shows, fitted
// to the chart's width, in the colours of the page's seed.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "../export/export_fixture.h"
#include "html/detail/chart_images.h"
#include "html/detail/site_generator.h"
#include "html/detail/site_request.h"
#include "quorvex2/core/encoding.h"
#include "quorvex2/core/path.h"
#include "quorvex2/core/root.h"
#include "quorvex2/files/file_control.h"
#include "support/temp_files.h"

namespace quorvex2 {
namespace {

namespace fs = std::filesystem;

const std::string kEvent = std::string(QX_TEST_DATA) + "/report_three_classes.lxm";
constexpr const char* kStart = "<!-- ### QUORVEX START ### -->";
constexpr const char* kFinish = "<!-- ### QUORVEX FINISH ### -->";

using qxtest::Count;

class SiteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(root_.FileControl()->LoadLapFile(kEvent)) << root_.ErrorComment();
    dir_ = qxtest::MakeTempDir("site");
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::set<std::string> Files() const { return qxtest::FileNames(dir_.string()); }
  std::string Read(const std::string& name, bool sjis = true) const {
    auto bytes = ReadFileBytes((dir_ / name).string());
    EXPECT_TRUE(bytes) << name;
    return bytes ? (sjis ? SjisToUtf8(*bytes) : *bytes) : "";
  }
  std::string Folder() const { return dir_.string(); }

  clsQuorvex2 root_;
  fs::path dir_;
};

TEST_F(SiteTest, ResultPagesOnlyLinkOnlyResults) {
  root_.RenameClass("M40", "M,40");           // a comma in its name does not cut it in the index
  root_.ClassData("M,40")->FileName("m&40");  // its links name the file in HTML's words
  ASSERT_TRUE(root_.FileControl()->OutputHtml(Folder(), "index.html", "", "r_*.html"));
  EXPECT_EQ(Files(),
            (std::set<std::string>{"index.html", "r_m21.html", "r_m&40.html", "r_w21.html"}));
  const std::string index = Read("index.html");
  EXPECT_EQ(Count(index, "target=\"_blank\">成績</a>"), 3u);
  EXPECT_EQ(Count(index, "<a href=\"r_m&amp;40.html\""), 2u);
  EXPECT_EQ(Count(index, ">M,40</a>") + Count(index, "&nbsp;M,40&nbsp;"), 2u);
  EXPECT_EQ(Count(index, "ラップ解析"), 0u);
  EXPECT_EQ(Count(index, "チャート"), 0u);
  EXPECT_NE(index.find("<a href=\"r_m21.html\">M21</a> &nbsp;&nbsp;<a href=\"r_w21.html\">W21</a>"),
            std::string::npos);
  // The class page holds the class's runners, in Shift-JIS.
  const std::string page = Read("r_w21.html");
  EXPECT_NE(page.find("charset=x-sjis"), std::string::npos);
  EXPECT_EQ(Read("r_w21.html", false).find("charset=x-sjis"), page.find("charset=x-sjis"));
}

TEST_F(SiteTest, CourseEntriesLapCopiesAndUtf8) {
  ASSERT_TRUE(root_.FileControl()->OutputHtml(
      Folder(), "index.html", "a_*.html", "r_*.html", "event.lxm", "event.lap", false, false,
      "view.html", "http://example.org/event.lxm", true, false, "l_*.html", false, "", false, "",
      "site.css", "utf-8"));
  const std::set<std::string> files = Files();
  for (const char* name : {"a_m21_w21.html", "a_m21.html", "l_m40.html", "r_w21.html", "event.lxm",
                           "event.lap", "view.html"}) {
    EXPECT_TRUE(files.count(name)) << name;
  }
  // Only the analysis pages include the shared course.
  EXPECT_FALSE(files.count("r_m21_w21.html") || files.count("l_m21_w21.html"));

  const std::string analysis = Read("a_m21_w21.html", false);
  EXPECT_NE(analysis.find("charset=utf-8\">"), std::string::npos);
  EXPECT_NE(analysis.find("href=\"site.css\""), std::string::npos);
  const std::string index = Read("index.html", false);
  EXPECT_NE(index.find("[<a href=\"view.html\" target = \"_blank\">ActiveX使用ページ</a>]"),
            std::string::npos);
  EXPECT_NE(index.find("[<a href=\"event.lap\">クオルベクス用データ</a>]"), std::string::npos);
  EXPECT_NE(index.find("[<a href=\"event.lxm\">クオルベクス２用データ</a>]"), std::string::npos);
  EXPECT_NE(Read("view.html", false).find("http://example.org/event.lxm"), std::string::npos);

  // The native copy loads back with every class.
  clsQuorvex2 copy;
  ASSERT_TRUE(copy.FileControl()->LoadLapFile(Folder() + "/event.lxm")) << copy.ErrorComment();
  EXPECT_EQ(copy.ClassCount(), root_.ClassCount());
}

TEST_F(SiteTest, IndexBlockIsReplacedInPlace) {
  const std::string page = "<html><body>\r\n<p>Welcome</p>\r\n" + std::string(kStart) +
                           "\r\nold block\r\n" + kFinish +
                           "\r\n<p>Footer</p>\r\n</body></html>\r\n";
  std::ofstream((dir_ / "index.html").string(), std::ios::binary) << Utf8ToSjis(page);
  auto& files = *root_.FileControl();
  ASSERT_TRUE(files.OutputHtml(Folder(), "index.html", "", "r_*.html", "", "", false, true));
  ASSERT_TRUE(files.OutputHtml(Folder(), "index.html", "", "r_*.html", "", "", false, true));
  const std::string index = Read("index.html");
  EXPECT_EQ(Count(index, kStart), 1u);
  EXPECT_EQ(Count(index, kFinish), 1u);
  EXPECT_EQ(index.find("old block"), std::string::npos);
  EXPECT_LT(index.find("<p>Welcome</p>"), index.find(kStart));
  EXPECT_GT(index.find("<p>Footer</p>"), index.find(kFinish));

  // A page without the markers gets the block once, before the end of its body.
  std::ofstream((dir_ / "plain.html").string(), std::ios::binary)
      << "<html><body>\r\n<p>Plain</p>\r\n</body></html>\r\n";
  ASSERT_TRUE(files.OutputHtml(Folder(), "plain.html", "", "r_*.html", "", "", false, true));
  ASSERT_TRUE(files.OutputHtml(Folder(), "plain.html", "", "r_*.html", "", "", false, true));
  const std::string plain = Read("plain.html");
  EXPECT_EQ(Count(plain, kStart), 1u);
  EXPECT_LT(plain.find("<p>Plain</p>"), plain.find(kStart));
  EXPECT_LT(plain.find(kFinish), plain.find("</body>"));
}

TEST_F(SiteTest, ProgressPerEntryAndUnwritableFolder) {
  std::vector<int32_t> progress;
  root_.FileControl()->Progress = [&](int32_t p) { progress.push_back(p); };
  ASSERT_TRUE(root_.FileControl()->OutputHtml(Folder(), "", "", "r_*.html", "", "", false, false,
                                              "", "", false, true));
  // 0, the share of the four entries written, 100 at the end; 0 and 100 when nothing is.
  EXPECT_EQ(progress, (std::vector<int32_t>{0, 25, 50, 75, 100, 100}));

  progress.clear();
  EXPECT_FALSE(
      root_.FileControl()->OutputHtml(Folder() + "/missing/deeper", "index.html", "", "r_*.html"));
  EXPECT_EQ(progress, (std::vector<int32_t>{0, 100}));

  // A page that cannot be written stops the run: nothing after it is written, though the
  // entries are made side by side.
  detail::SiteRequest request;
  request.OutputFolder = Folder() + "/blocked";
  request.ResultFile = "r_*.html";
  request.Threads = 4;
  fs::create_directories(request.OutputFolder + "/r_m21.html");
  EXPECT_FALSE(detail::GenerateSite(request, nullptr));
  EXPECT_EQ(qxtest::FileNames(request.OutputFolder), std::set<std::string>{"r_m21.html"});
  // A chart picture's write is not checked: the run goes on without it.
  request.OutputFolder = Folder() + "/picture";
  request.ResultFile = "";
  request.ChartFile = "c_*.html";
  request.ChartOption = "0";
  fs::create_directories(request.OutputFolder + "/c_m21_0.png");
  EXPECT_TRUE(detail::GenerateSite(request, nullptr));
  EXPECT_TRUE(fs::exists(request.OutputFolder + "/c_w21_0.png"));
}

// The entries are written side by side: the whole site of the sample event, chart images
// included, is the same byte for byte with one thread and with several, and every picture is
// linked from a page.
TEST_F(SiteTest, ThreadsWriteTheSameSite) {
  ::setenv("SOURCE_DATE_EPOCH", "0", 1);
  clsQuorvex2 root;
  ASSERT_TRUE(root.FileControl()->LoadLapFile(std::string(QX_SOURCE_DIR) + "/examples/sample.lxm"));
  detail::SiteRequest request;
  request.IndexFile = "index.html";
  request.AnalysisFile = "*_a.html";
  request.ResultFile = "*_r.html";
  request.Lap2File = "e.lxm";
  request.Lap1File = "e.lap";
  request.AnalysisIncludeCourse = request.ResultIncludeCourse = request.ChartIncludeCourse = true;
  request.LegDataFile = "*_l.html";
  request.ChartFile = "*_c.html";
  request.ChartOption = "0,1,2,5,6,7";
  std::vector<std::map<std::string, std::string>> sites;
  for (const int32_t threads : {1, 4}) {
    request.OutputFolder = Folder() + "/" + std::to_string(threads);
    request.Threads = threads;
    fs::create_directories(request.OutputFolder);
    ASSERT_TRUE(detail::GenerateSite(request, nullptr));
    std::map<std::string, std::string>& site = sites.emplace_back();
    for (const auto& file : fs::directory_iterator(request.OutputFolder)) {
      site[file.path().filename().string()] = *ReadFileBytes(file.path().string());
    }
  }
  ::unsetenv("SOURCE_DATE_EPOCH");
  EXPECT_EQ(sites[0], sites[1]);
  std::string pages;
  std::vector<std::string> pictures;
  for (const auto& file : fs::directory_iterator(Folder() + "/1")) {
    const std::string name = file.path().filename().string();
    if (name.ends_with(".html")) pages += Read("1/" + name);
    if (name.ends_with(".png")) pictures.push_back(name);
  }
  // Five classes and two courses, six charts each; every picture but the X/Y map's is shown.
  EXPECT_EQ(pictures.size(), 7u * 6);
  for (const std::string& picture : pictures) {
    EXPECT_EQ(pages.find("\"" + picture + "\"") != std::string::npos, !picture.ends_with("_7.png"))
        << picture;
  }
}

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

TEST(SiteCharts, OutputHtmlWritesOnePictureForEveryChartOfTheList) {
  ASSERT_TRUE(detail::PngOutputAvailable());
  clsQuorvex2 root;
  ASSERT_TRUE(root.FileControl()->LoadLapFile(kEvent)) << root.ErrorComment();
  const std::string first = qxtest::MakeTempDir("site_charts");
  ASSERT_TRUE(WriteSite(root, first, "0,1,5,7")) << root.ErrorComment();
  for (const char* name :
       {"c_m21.html", "c_m21_0.png", "c_m21_1.png", "c_m21_5.png", "c_m21_7.png", "c_w21_0.png"}) {
    EXPECT_TRUE(fs::exists(fs::path(first) / name)) << name;
  }
  // No chart not asked for; the X/Y map has its picture but no heading on the page.
  EXPECT_FALSE(fs::exists(fs::path(first) / "c_m21_2.png"));
  const std::string page = qxtest::ReadFile(first + "/c_m21.html");
  EXPECT_NE(page.find("c_m21_5.png"), std::string::npos);
  EXPECT_EQ(page.find("c_m21_7.png"), std::string::npos);
  // The split-time chart is as wide as the slowest split (20:10) with 2 minutes on each side.
  EXPECT_EQ(PngWidth(qxtest::ReadFile(first + "/c_m21_0.png")), (1210u + 240) / 5 + 104);
  EXPECT_NE(qxtest::ReadFile(first + "/c_m21_0.png"), qxtest::ReadFile(first + "/c_w21_0.png"));
  EXPECT_NE(qxtest::ReadFile(first + "/index.html").find("c_m21.html"), std::string::npos);
}

// The PNG of each picture drawn for the chart list, by its file name.
std::map<std::string, std::string> Pictures(clsAnalyzer& analyzer, const std::string& option,
                                            uint64_t seed) {
  std::vector<detail::SiteFile> files;
  EXPECT_TRUE(detail::DrawChartImages(analyzer, "f/", "x_?.png", option, seed, files));
  std::map<std::string, std::string> pictures;
  for (auto& file : files) pictures[file.path] = file.bytes;
  return pictures;
}

TEST(SiteCharts, RunnersKeepTheirColourOverThePagesCharts) {
  clsQuorvex2 root;
  ASSERT_TRUE(root.FileControl()->LoadLapFile(kEvent));
  auto analyzer = qxtest::Analyse(root, "M21");
  analyzer->ExtraAnalyze();
  const auto both = Pictures(*analyzer, "0, 5", 42);
  ASSERT_EQ(both.size(), 2u);
  // The colours given at the first chart stay for the next: the cruise speed chart drawn
  // second is the same picture as when it is drawn alone.
  EXPECT_EQ(both.at("f/x_5.png"), Pictures(*analyzer, "5", 42).at("f/x_5.png"));
  EXPECT_GT(both.at("f/x_5.png").size(), 1000u);
  // Another seed gives other colours.
  EXPECT_NE(both.at("f/x_0.png"), Pictures(*analyzer, "0", 43).at("f/x_0.png"));
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
  const size_t colors =
      PaletteSize(Pictures(*qxtest::Analyse(root, "M21"), "0", 7).at("f/x_0.png"));
  EXPECT_GT(colors, 240u);
  EXPECT_LE(colors, 256u);
}

}  // namespace
}  // namespace quorvex2
