// quorvex2 report grid: the analysis grid as a text table that lines up full-width texts, with
// the cells' colours, in blocks that fit a screen width, compared whole with golden files. quorvex2
// report json: every stored figure of the analysis, the data-set selection, the output file and
// encoding, and texts that are not UTF-8.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include <quorvex2/core/encoding.h>
#include <nlohmann/json.hpp>

#include "cli_run.h"

namespace {

using nlohmann::json;
using qxtest::kFixture;

std::string Grid(const std::string& file, std::vector<std::string> options) {
  options.insert(options.begin(), {"report", "grid", file});
  return qxtest::RunOk(options);
}

TEST(ReportGrid, TablesAsTheTerminalShowsThem) {
  // M21: 3 controls, so 4 legs and 31 rows; six runners in result order, Jonas Nilsen skipped
  // control 2 and Lars Keller did not finish.
  const struct {
    std::vector<std::string> options;
    const char* golden;
  } cases[] = {
      {{"--color", "never"}, "grid.txt"},
      {{"--color", "always"}, "grid-colours.txt"},
      {{"--color", "never", "--width", "60"}, "grid-width-60.txt"},
      // Arrows and triangles one column wide: the leg captions move.
      {{"--color", "never", "--ambiguous-width", "1"}, "grid-narrow-symbols.txt"},
  };
  for (const auto& c : cases)
    qxtest::ExpectGolden(std::string("golden/cli/") + c.golden, Grid(kFixture, c.options));

  // Written to a file: no colours unless asked, also when run from a terminal.
  const std::string out = qxtest::MakeTempDir("report_grid") + "/grid.txt";
  const std::string command = "script -qec \"'" + std::string(QX_CLI_PATH) + "' report grid '" +
                              kFixture + "' -o '" + out + "' --lang ja\" /dev/null >/dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  qxtest::ExpectGolden("golden/cli/grid.txt", qxtest::ReadFile(out));
  // A width too small for two columns still shows one runner a block.
  const std::string narrow = Grid(kFixture, {"--color", "never", "--width", "5"});
  EXPECT_EQ(std::count(narrow.begin(), narrow.end(), '\n'), 6 * 32 - 1);
}

// A cell shows at most 64 columns, so a name of megabytes does not make every line of its
// column as long: 61 columns of the text and "..."; a narrower screen cuts it shorter.
// long-texts.lxm: a name of 100 "N", a club of 40 "あ".
TEST(ReportGrid, LongTextsAreCut) {
  const std::string grid = Grid(std::string(QX_TEST_DATA) + "/cli/long-texts.lxm", {});
  EXPECT_TRUE(qxtest::Contains(grid, " " + std::string(61, 'N') + "...\n")) << grid;
  std::string club;
  for (int i = 0; i < 30; ++i) club += "あ";
  EXPECT_TRUE(qxtest::Contains(grid, " " + club + "...\n")) << grid;
  // On a screen of 40 columns they are cut to the 24 left beside the row titles (12 wide).
  const std::string narrow = Grid(std::string(QX_TEST_DATA) + "/cli/long-texts.lxm",
                                  {"--color", "never", "--width", "40"});
  EXPECT_TRUE(qxtest::Contains(narrow, " " + std::string(21, 'N') + "...\n")) << narrow;
  EXPECT_TRUE(qxtest::Contains(narrow, " " + club.substr(0, 10 * 3) + "...\n")) << narrow;
}

json ReportJson(const std::string& options, const std::string& file = kFixture) {
  std::vector<std::string> args{"report", "json", file};
  for (const auto& option : qxtest::Args(options)) args.push_back(option);
  const std::string out = qxtest::RunOk(args);
  return out.empty() ? json::object() : json::parse(out);
}

// M21 as analysed by default (the figures of ExtraAnalyze and Tovarine never computed: 0) and
// with both; each number as written, so that one written with too few digits to read back to the
// stored double shows.
TEST(ReportJson, EveryStoredFigure) {
  qxtest::ExpectGolden("golden/cli/json-m21.txt", ReportJson("").dump(1));
  qxtest::ExpectGolden("golden/cli/json-m21-extra-tovarine.txt",
                       ReportJson("--extra --tovarine").dump(1));
}

TEST(ReportJson, DataSetSelection) {
  const struct {
    const char* options;
    const char* data_set;
  } cases[] = {
      {"--class W21", "W21 w21 mix=false 3 controls 4 legs 3 runners"},
      {"--class 2", "W21 w21 mix=false 3 controls 4 legs 3 runners"},
      {"--class M40 --class 1", "M40/M21 m40_m21 mix=true 3 controls 4 legs 9 runners"},
      {"--course 1", "M21/W21 m21_w21 mix=true 3 controls 4 legs 9 runners"},
      {"--course 2", "M40 m40 mix=false 3 controls 4 legs 3 runners"},
      {"--segment S-101-102", "S-101-102 s-101-102 mix=true 1 controls 2 legs 12 runners"},
      {"--segment S-101-102 --sex F",
       "S-101-102 - F s-101-102 - f mix=true 1 controls 2 legs 3 runners"},
  };
  for (const auto& c : cases) {
    const json report = ReportJson(c.options);
    const json& set = report["dataSet"];
    EXPECT_EQ(set["name"].get<std::string>() + " " + set["fileName"].get<std::string>() +
                  " mix=" + set["isMix"].dump() + " " + set["controlCount"].dump() + " controls " +
                  std::to_string(report["legs"].size()) + " legs " +
                  std::to_string(report["runners"].size()) + " runners",
              c.data_set)
        << c.options;
  }
}

TEST(ReportJson, OutputFileAndEncoding) {
  const auto file = qxtest::MakeTempDir("report-json") + "/m21.json";
  const std::string utf8 = qxtest::RunOk({"report", "json", kFixture});
  EXPECT_EQ(qxtest::RunOk({"report", "json", kFixture, "-o", file, "--encoding", "shift_jis"}), "");
  const std::string sjis = qxtest::ReadFile(file);
  EXPECT_TRUE(sjis == quorvex2::Utf8ToSjis(utf8) && sjis != utf8);
}

// A damaged native file (UTF-8 with bytes that are not): each such byte becomes U+FFFD, as the
// readers decode text.
TEST(ReportJson, InvalidUtf8InTextsBecomesReplacementCharacters) {
  const json report = ReportJson("", std::string(QX_TEST_DATA) + "/cli/damaged-utf8.lxm");
  EXPECT_EQ(report["dataSet"]["name"], "M\uFFFD21");
  EXPECT_EQ(report["runners"][0]["name"], "Ab\uFFFD\uFFFD");
  EXPECT_EQ(report["runners"][0]["club"], "\uFFFD");
}

}  // namespace
