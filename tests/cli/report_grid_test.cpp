// quorvex2 report grid: the analysis grid as a text table that lines up full-width texts, with
// the cells' colours, in blocks that fit a screen width, compared whole with golden files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli_run.h"

namespace {

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
// column as long: 61 columns of the text and "...". long-texts.lxm: a name of 100 "N", a club of
// 40 "あ".
TEST(ReportGrid, LongTextsAreCut) {
  const std::string grid = Grid(std::string(QX_TEST_DATA) + "/cli/long-texts.lxm", {});
  EXPECT_TRUE(qxtest::Contains(grid, " " + std::string(61, 'N') + "...\n")) << grid;
  std::string club;
  for (int i = 0; i < 30; ++i) club += "あ";
  EXPECT_TRUE(qxtest::Contains(grid, " " + club + "...\n")) << grid;
}

}  // namespace
