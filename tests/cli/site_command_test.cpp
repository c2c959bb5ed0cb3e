// quorvex2 site: the complete site without page options, chosen pages, encodings and progress;
// and the complete site of the sample event read as files: every link and image of every page
// points at a file of the site, every page and lap file copy is linked from the index, no entity
// is escaped twice, the Shift-JIS site says what the UTF-8 site says, and the index page is the
// golden one.
#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <regex>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include <quorvex2/core/encoding.h>
#include <quorvex2/core/text.h>

#include "cli_run.h"

namespace {

namespace fs = std::filesystem;
using qxtest::kFixture;
using qxtest::ReadFile;

TEST(SiteCommand, CompleteSiteWithoutPageOptions) {
  // A folder named without any "/" still gets "/" before the index page's name.
  const std::string dir = qxtest::MakeTempDir("site_complete") + "/out";
  const std::string relative = fs::relative(dir, fs::current_path()).string();
  const auto run =
      qxtest::RunCli({"site", kFixture, "-o", relative, "--encoding", "utf-8", "--lang", "en"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out, relative + "/index.html\n");
  // What it wrote: every page of every class and shared course, the lap file copies, the
  // charts; and the count and bytes of the files in the folder.
  std::set<std::string> names;
  uintmax_t bytes = 0;
  for (const auto& entry : fs::recursive_directory_iterator(dir)) {
    names.insert(entry.path().filename().string());
    bytes += entry.file_size();
  }
  std::string listing;
  for (const auto& name : names) listing += name + "\n";
  qxtest::ExpectGolden("golden/cli/site-complete-files.txt", listing);
  const std::string wrote = "site: wrote " + std::to_string(names.size()) + " files, ";
  // The lap file copy cannot hold the "é" of CO Vallée.
  EXPECT_EQ(run.err, wrote + std::to_string(bytes) + " bytes, in " + relative +
                         "\nsite: 1 name in report_three_classes.lap has letters Shift-JIS cannot "
                         "hold, written \"?\"\n");
  // Written again, the pages are rewritten: the same count.
  const auto again =
      qxtest::RunCli({"site", kFixture, "-o", dir, "--encoding", "utf-8", "--lang", "en"});
  EXPECT_TRUE(qxtest::Contains(again.err, wrote)) << again.err;
  EXPECT_TRUE(qxtest::Contains(qxtest::ReadFile(dir + "/index.html"), "M21/W21"));
}

TEST(SiteCommand, ChosenPagesInShiftJis) {
  const std::string dir = qxtest::MakeTempDir("site_chosen");
  qxtest::RunOk({"site", kFixture, "-o", dir, "--results", "r_*.html", "--index", "i.html"});
  EXPECT_TRUE(fs::exists(dir + "/r_m21.html"));
  EXPECT_FALSE(fs::exists(dir + "/r_m21_w21.html"));  // courses only with --courses
  EXPECT_FALSE(fs::exists(dir + "/m21_analysis.html"));
  const std::string index = qxtest::ReadFile(dir + "/i.html");
  EXPECT_TRUE(qxtest::Contains(quorvex2::SjisToUtf8(index), "成績"));
  EXPECT_FALSE(qxtest::Contains(index, "成績"));
}

TEST(SiteCommand, ProgressOnATerminalUnlessSilenced) {
  const std::string dir = qxtest::MakeTempDir("site_progress");
  qxtest::CliLimits on_terminal;
  on_terminal.terminal = true;
  const auto shown = qxtest::RunCli({"site", kFixture, "-o", dir, "--lang", "en"}, on_terminal);
  ASSERT_EQ(shown.exit_code, 0) << shown.err;
  EXPECT_TRUE(qxtest::Contains(shown.err, "writing the site [####")) << shown.err;
  EXPECT_TRUE(qxtest::Contains(shown.err, "] 100%")) << shown.err;
  const auto silent = qxtest::RunCli({"site", kFixture, "-o", dir, "--no-progress"}, on_terminal);
  EXPECT_FALSE(qxtest::Contains(silent.err, "%")) << silent.err;
}

// The address of every href and src attribute of the page, in page order. The pages write
// attributes in lower case with double quotes.
std::vector<std::string> Addresses(const std::string& page) {
  static const std::regex attribute(R"( (?:href|src) *= *"([^"]*)\")");
  std::vector<std::string> out;
  for (std::sregex_iterator it(page.begin(), page.end(), attribute), end; it != end; ++it) {
    out.push_back((*it)[1]);
  }
  return out;
}

cairo_status_t ReadBytes(void* closure, unsigned char* data, unsigned int length) {
  auto* bytes = static_cast<std::string_view*>(closure);
  if (bytes->size() < length) return CAIRO_STATUS_READ_ERROR;
  std::memcpy(data, bytes->data(), length);
  bytes->remove_prefix(length);
  return CAIRO_STATUS_SUCCESS;
}

// The share of a picture's width that holds coloured pixels: the runners' marks and names (the
// frame, the grid and the axis texts are black or grey).
double ColouredWidth(const std::string& png) {
  std::string_view bytes = png;
  cairo_surface_t* image = cairo_image_surface_create_from_png_stream(ReadBytes, &bytes);
  const int width = cairo_image_surface_get_width(image);
  int left = width, right = -1;
  const unsigned char* data = cairo_image_surface_get_data(image);
  for (int y = 0; data && y < cairo_image_surface_get_height(image); ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(
        data + static_cast<size_t>(y) * cairo_image_surface_get_stride(image));
    for (int x = 0; x < width; ++x) {
      const uint32_t r = (row[x] >> 16) & 0xFF, g = (row[x] >> 8) & 0xFF, b = row[x] & 0xFF;
      if (r != g || g != b) left = std::min(left, x), right = std::max(right, x);
    }
  }
  cairo_surface_destroy(image);
  return width > 0 && right >= left ? double(right - left) / width : 0;
}

// The X/Y map's picture places the runners where the map puts them, not all on the origin.
TEST(SiteCharts, TheMapsPictureShowsTheMap) {
  const std::string png = ReadFile(qxtest::SampleOutput("utf-8") + "/m21a_charts_7.png");
  EXPECT_GT(ColouredWidth(png), 0.2);
}

TEST(SiteLinks, EveryLinkIsAFileOfTheSiteInEitherEncoding) {
  const std::string sjis_dir = qxtest::SampleOutput("shift_jis");
  const std::string utf8_dir = qxtest::SampleOutput("utf-8");
  const auto files = qxtest::FileNames(utf8_dir);
  ASSERT_EQ(qxtest::FileNames(sjis_dir), files);
  const auto index = Addresses(ReadFile(utf8_dir + "/index.html"));
  size_t pages = 0, local_links = 0;
  for (const auto& name : files) {
    SCOPED_TRACE(name);
    if (name != "index.html" && (name.ends_with(".html") || name.starts_with("sample."))) {
      EXPECT_NE(std::find(index.begin(), index.end(), name), index.end()) << "not in the index";
    }
    const std::string sjis = ReadFile(sjis_dir + "/" + name),
                      utf8 = ReadFile(utf8_dir + "/" + name);
    if (!name.ends_with(".html")) {
      EXPECT_TRUE(sjis == utf8);  // lap file copies and chart images do not depend on the encoding
      continue;
    }
    ++pages;
    for (const auto& address : Addresses(utf8)) {
      if (address.starts_with("http://") || address.starts_with("https://")) continue;
      ++local_links;
      EXPECT_EQ(address.find_first_of("\\:"), std::string::npos) << address;
      EXPECT_TRUE(files.count(address.substr(0, address.find('#')))) << address;
    }
    std::smatch twice;  // "&amp;nbsp;" shows as text in a browser
    EXPECT_FALSE(std::regex_search(utf8, twice, std::regex("&amp;(#[0-9]+|[A-Za-z]+);")))
        << twice.str();
    const std::string decoded = quorvex2::SjisToUtf8(sjis);
    EXPECT_FALSE(qxtest::Contains(decoded, "\uFFFD"));  // no undecodable byte
    EXPECT_FALSE(qxtest::Contains(utf8, "charset=x-sjis"));
    EXPECT_EQ(qxtest::FirstDifference(utf8, qxtest::ResolveNumericReferences(quorvex2::ReplaceAll(
                                                decoded, "charset=x-sjis", "charset=utf-8"))),
              "");
  }
  // Results, analysis and leg pages of 5 classes and 2 courses, and the index, which alone links
  // the 7 entries twice over (link line and table) and both lap files.
  EXPECT_GE(pages, 22u);
  EXPECT_GE(local_links, 7u * 4 + 2);
  qxtest::ExpectGolden("golden/cli/site-index.html", ReadFile(utf8_dir + "/index.html"));
}

}  // namespace
