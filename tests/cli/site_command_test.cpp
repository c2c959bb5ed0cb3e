// quorvex2 site: the complete site without page options, chosen pages, encodings and errors.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include <quorvex2/core/encoding.h>

#include "cli_run.h"

namespace {

namespace fs = std::filesystem;

const std::string kFixture = std::string(QX_TEST_DATA) + "/report_three_classes.lxm";

bool Exists(const std::string& dir, const std::string& name) {
  return fs::exists(fs::path(dir) / name);
}

TEST(SiteCommand, CompleteSiteWithoutPageOptions) {
  // A folder named without any "/" still gets "/" before the index page's name.
  const std::string dir = qxtest::MakeTempDir("site_complete") + "/out";
  const std::string relative = fs::relative(dir, fs::current_path()).string();
  const auto run =
      qxtest::RunCli({"site", kFixture, "-o", relative, "--encoding", "utf-8", "--lang", "en"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out, relative + "/index.html\n");
  // What it wrote: every file of the folder, and their bytes.
  uintmax_t files = 0, bytes = 0;
  for (const auto& entry : fs::recursive_directory_iterator(dir)) {
    files += entry.is_regular_file();
    bytes += entry.is_regular_file() ? entry.file_size() : 0;
  }
  EXPECT_EQ(run.err, "site: wrote " + std::to_string(files) + " files, " + std::to_string(bytes) +
                         " bytes, in " + relative + "\n");
  // Written again, the pages are rewritten: the same count.
  const auto again =
      qxtest::RunCli({"site", kFixture, "-o", dir, "--encoding", "utf-8", "--lang", "en"});
  EXPECT_NE(again.err.find("site: wrote " + std::to_string(files) + " files"), std::string::npos);

  for (const char* kind : {"results", "analysis", "legs"}) {
    for (const char* entry : {"m21", "w21", "m40", "m21_w21"}) {
      const std::string name = std::string(entry) + "_" + kind + ".html";
      EXPECT_TRUE(Exists(dir, name)) << name;
    }
  }
  EXPECT_TRUE(Exists(dir, "report_three_classes.lap"));
  EXPECT_TRUE(Exists(dir, "report_three_classes.lxm"));
  const std::string index = qxtest::ReadFile(dir + "/index.html");
  EXPECT_NE(index.find("M21/W21"), std::string::npos);
  EXPECT_NE(qxtest::ReadFile(dir + "/m21_analysis.html").find("charset=utf-8\">"),
            std::string::npos);
}

TEST(SiteCommand, ChosenPagesInShiftJis) {
  const std::string dir = qxtest::MakeTempDir("site_chosen");
  const auto run =
      qxtest::RunCli({"site", kFixture, "-o", dir, "--results", "r_*.html", "--index", "i.html"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_TRUE(Exists(dir, "r_m21.html"));
  EXPECT_FALSE(Exists(dir, "r_m21_w21.html"));  // courses only with --courses
  EXPECT_FALSE(Exists(dir, "m21_analysis.html"));
  const std::string index = qxtest::ReadFile(dir + "/i.html");
  EXPECT_NE(quorvex2::SjisToUtf8(index).find("成績"), std::string::npos);
  EXPECT_EQ(index.find("成績"), std::string::npos);
}

TEST(SiteCommand, ProgressOnATerminalUnlessSilenced) {
  const std::string dir = qxtest::MakeTempDir("site_progress");
  qxtest::CliLimits on_terminal;
  on_terminal.terminal = true;
  const auto shown = qxtest::RunCli({"site", kFixture, "-o", dir, "--lang", "en"}, "", on_terminal);
  ASSERT_EQ(shown.exit_code, 0) << shown.err;
  EXPECT_NE(shown.err.find("writing the site [####"), std::string::npos) << shown.err;
  EXPECT_NE(shown.err.find("] 100%"), std::string::npos) << shown.err;
  const auto silent =
      qxtest::RunCli({"site", kFixture, "-o", dir, "--no-progress"}, "", on_terminal);
  EXPECT_EQ(silent.err.find('%'), std::string::npos) << silent.err;
}

}  // namespace
