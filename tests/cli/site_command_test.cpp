// quorvex2 site: the complete site without page options, chosen pages, encodings and progress.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include <quorvex2/core/encoding.h>

#include "cli_run.h"

namespace {

namespace fs = std::filesystem;
using qxtest::kFixture;

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
  EXPECT_EQ(run.err, wrote + std::to_string(bytes) + " bytes, in " + relative + "\n");
  // Written again, the pages are rewritten: the same count.
  const auto again =
      qxtest::RunCli({"site", kFixture, "-o", dir, "--encoding", "utf-8", "--lang", "en"});
  EXPECT_TRUE(qxtest::Contains(again.err, wrote)) << again.err;
  EXPECT_TRUE(qxtest::Contains(qxtest::ReadFile(dir + "/index.html"), "M21/W21"));
  EXPECT_TRUE(qxtest::Contains(qxtest::ReadFile(dir + "/m21_analysis.html"), "charset=utf-8\">"));
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

}  // namespace
