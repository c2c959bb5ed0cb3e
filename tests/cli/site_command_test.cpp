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
  const std::string dir = qxtest::MakeTempDir("site_complete") + "/out";
  const auto run = qxtest::RunCli({"site", kFixture, "-o", dir, "--encoding", "utf-8"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out, dir + "/index.html\n");
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

TEST(SiteCommand, UsageAndLoadErrors) {
  const std::string dir = qxtest::MakeTempDir("site_errors");
  EXPECT_EQ(qxtest::RunCli({"site", kFixture, "-o", dir, "--viewer", "v.html"}).exit_code, 2);
  EXPECT_EQ(qxtest::RunCli({"site", kFixture}).exit_code, 2);
  EXPECT_EQ(qxtest::RunCli({"site", dir + "/none.lxm", "-o", dir}).exit_code, 1);
}

}  // namespace
