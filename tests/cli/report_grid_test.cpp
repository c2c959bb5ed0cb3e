// quorvex2 report grid: the analysis grid as a text table that lines up full-width texts, with
// the cells' colours, in blocks that fit a screen width, compared whole with golden files.
#include <gtest/gtest.h>

#include <algorithm>
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
  for (const auto& c : cases) qxtest::ExpectGolden(Grid(kFixture, c.options), c.golden);

  // Written to a file: no colours unless asked.
  const std::string out = qxtest::MakeTempDir("report_grid") + "/grid.txt";
  Grid(kFixture, {"-o", out});
  qxtest::ExpectGolden(qxtest::ReadFile(out), "grid.txt");
  // A width too small for two columns still shows one runner a block.
  const std::string narrow = Grid(kFixture, {"--color", "never", "--width", "5"});
  EXPECT_EQ(std::count(narrow.begin(), narrow.end(), '\n'), 6 * 32 - 1);
}

// A cell shows at most 64 columns, so a name of megabytes does not make every line of its
// column as long: 61 columns of the text and "...".
TEST(ReportGrid, LongTextsAreCut) {
  const std::string name(100, 'N');
  std::string club;
  for (int i = 0; i < 40; ++i) club += "あ";
  const std::string file = qxtest::WriteFile(
      qxtest::MakeTempDir("report_grid_long"), "long.lxm",
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?><quorvex><classes><class name=\"M21\" "
      "controls=\"1\"><runner name=\"" +
          name + "\" club=\"" + club +
          "\" result=\"0:02:00\"><leg index=\"1\" laptime=\"0:01:00\"/><leg index=\"2\" "
          "laptime=\"0:01:00\"/></runner></class></classes></quorvex>");
  const std::string grid = Grid(file, {"--color", "never"});
  EXPECT_TRUE(qxtest::Contains(grid, " " + name.substr(0, 61) + "...\n")) << grid;
  EXPECT_TRUE(qxtest::Contains(grid, " " + club.substr(0, 30 * 3) + "...\n")) << grid;
}

}  // namespace
