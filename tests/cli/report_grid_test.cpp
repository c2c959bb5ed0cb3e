// quorvex2 report grid: the analysis grid as an aligned text table, with colours and in blocks
// that fit a screen width.
#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <quorvex2/core/text.h>

#include "cli_run.h"

namespace {

const std::string kFixture = std::string(QX_TEST_DATA) + "/report_three_classes.lxm";
// M21: 3 controls, so 4 legs and 4 x 4 + 15 rows; six runners in result order.
constexpr size_t kRows = 31;
const std::vector<std::string> kNames{"山田 太郎", "鈴木 健太",    "Erik Berg",
                                      "佐藤 誠",   "Jonas Nilsen", "Lars Keller"};
const std::vector<std::string> kClubs{"朝霧OLクラブ", "東都大学OLC", "OK Forest", "",
                                      "Halden SK",    "IFK Nordwind"};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string Grid(const std::vector<std::string>& options) {
  std::vector<std::string> args{"report", "grid", kFixture};
  args.insert(args.end(), options.begin(), options.end());
  const auto result = qxtest::RunCli(args);
  EXPECT_EQ(result.exit_code, 0) << result.err;
  return result.out;
}

// The screen column where the part starts in the line.
int32_t ColumnOf(const std::string& line, const std::string& part) {
  const size_t at = line.find(part);
  EXPECT_NE(at, std::string::npos) << part << " in " << line;
  return at == std::string::npos ? -1 : quorvex2::GetByteLength(line.substr(0, at));
}

std::string WithoutColors(const std::string& text) {
  static const std::regex kEscape("\x1b\\[[0-9;]*m");
  std::string plain;
  for (std::string line : Lines(std::regex_replace(text, kEscape, ""))) {
    line.erase(line.find_last_not_of(' ') + 1);
    plain += line + "\n";
  }
  return plain;
}

TEST(ReportGrid, PlainTableAlignsFullWidthTexts) {
  const auto lines = Lines(Grid({"--color", "never"}));
  ASSERT_EQ(lines.size(), kRows);
  EXPECT_EQ(lines[0].find('\x1b'), std::string::npos);
  EXPECT_EQ(lines[0].find("氏名"), 5u);
  EXPECT_NE(lines[4].find("ラップタイム"), std::string::npos);
  EXPECT_NE(lines[30].find("タイム"), std::string::npos);
  // Names and clubs start in the same column, whatever their widths; the columns follow in
  // result order.
  int32_t previous = 0;
  for (size_t i = 0; i < kNames.size(); ++i) {
    const int32_t column = ColumnOf(lines[0], kNames[i]);
    EXPECT_GT(column, previous) << kNames[i];
    if (!kClubs[i].empty()) {
      EXPECT_EQ(ColumnOf(lines[1], kClubs[i]), column) << kClubs[i];
    }
    previous = column;
  }
  // Right-aligned rows whose last cell holds a text all end in the same column.
  const int32_t width = quorvex2::GetByteLength(lines[2]);
  for (const size_t row : {5u, 6u, 7u, 10u, 15u, 16u, 18u, 20u, 24u, 25u, 30u}) {
    EXPECT_EQ(quorvex2::GetByteLength(lines[row]), width) << lines[row];
  }
  EXPECT_EQ(lines[2].substr(lines[2].size() - 3), "DNF");
  // Jonas Nilsen skipped control 2: the leg time of the skipped leg is "↓".
  EXPECT_EQ(ColumnOf(lines[6], "↓") + 2, ColumnOf(lines[0], "Lars Keller") - 2);
}

TEST(ReportGrid, ColoursAreTheCellClassesOverTheSameTable) {
  const std::string plain = Grid({"--color", "never"});
  const std::string colored = Grid({"--color", "always"});
  EXPECT_EQ(WithoutColors(colored), plain);
  const auto lines = Lines(colored);
  ASSERT_EQ(lines.size(), kRows);
  // Every cell coloured: seven cells a line, each closed by a reset.
  for (const auto& line : lines) {
    size_t resets = 0;
    for (size_t at = line.find("\x1b[0m"); at != std::string::npos;
         at = line.find("\x1b[0m", at + 1)) {
      ++resets;
    }
    EXPECT_EQ(resets, 7u) << line;
  }
  // 山田 太郎 was fastest on leg 1 (gold), 鈴木 健太 second (silver), Erik Berg fourth.
  const std::string gold = "48;2;255;215;0m", silver = "48;2;205;205;220m";
  EXPECT_LT(lines[5].find(gold + "    1)   5:00"), lines[5].find(silver + "   2)   5:10"));
  EXPECT_NE(lines[5].find("48;2;220;235;255m   4)   5:30"), std::string::npos);
  // Titles and names in their own colours, black text everywhere.
  EXPECT_EQ(lines[0].rfind("\x1b[38;2;0;0;0;48;2;200;200;200m", 0), 0u);
  EXPECT_NE(lines[0].find("48;2;242;242;242m 山田 太郎"), std::string::npos);
}

TEST(ReportGrid, BlocksFitTheWidth) {
  const auto lines = Lines(Grid({"--color", "never", "--width", "60"}));
  const size_t blocks = (lines.size() + 1) / (kRows + 1);
  ASSERT_GT(blocks, 1u);
  ASSERT_EQ(lines.size(), blocks * (kRows + 1) - 1);
  std::string names;
  for (size_t b = 0; b < blocks; ++b) {
    const size_t first = b * (kRows + 1);
    EXPECT_EQ(lines[first].find("氏名"), 5u);
    names += lines[first];
    if (b + 1 < blocks) {
      EXPECT_EQ(lines[first + kRows], "");
    }
  }
  for (const auto& line : lines) EXPECT_LE(quorvex2::GetByteLength(line), 60) << line;
  for (const auto& name : kNames) {
    EXPECT_EQ(names.find(name), names.rfind(name)) << name;
    EXPECT_NE(names.find(name), std::string::npos) << name;
  }
  // A width too small for two columns still shows one runner a block.
  EXPECT_EQ(Lines(Grid({"--color", "never", "--width", "5"})).size(), 6 * (kRows + 1) - 1);
}

TEST(ReportGrid, AmbiguousSymbolsTakeOneColumnWhenAsked) {
  // Leg captions centred under "ラップタイム" (12 columns): "△→１" and "１→２" both take 6
  // columns by the Shift-JIS rule; with one-column arrows and triangles they take 4 and 5.
  const auto wide = Lines(Grid({"--color", "never"}));
  EXPECT_EQ(wide[5].find("△→１"), 4u);
  EXPECT_EQ(wide[6].find("１→２"), 4u);
  const auto narrow = Lines(Grid({"--color", "never", "--ambiguous-width", "1"}));
  EXPECT_EQ(narrow[5].find("△→１"), 5u);
  EXPECT_EQ(narrow[6].find("１→２"), 4u);
}

// A cell shows at most 64 columns, so a name of megabytes does not make every line of its
// column as long: 61 columns of the text and "...".
TEST(ReportGrid, LongTextsAreCut) {
  const std::string dir = qxtest::MakeTempDir("report_grid_long");
  const std::string name(100, 'N');
  std::string club;
  for (int i = 0; i < 40; ++i) club += "あ";
  const std::string file = qxtest::WriteFile(
      dir, "long.lxm",
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?><quorvex><classes><class name=\"M21\" "
      "controls=\"1\"><runner name=\"" +
          name + "\" club=\"" + club +
          "\" result=\"0:02:00\"><leg index=\"1\" laptime=\"0:01:00\"/><leg index=\"2\" "
          "laptime=\"0:01:00\"/></runner></class></classes></quorvex>");
  const auto result = qxtest::RunCli({"report", "grid", file, "--color", "never"});
  ASSERT_EQ(result.exit_code, 0) << result.err;
  std::string cut_club;
  for (int i = 0; i < 30; ++i) cut_club += "あ";
  EXPECT_NE(result.out.find(" " + name.substr(0, 61) + "...\n"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find(" " + cut_club + "...\n"), std::string::npos) << result.out;
}

TEST(ReportGrid, EmptyDataSetAndErrors) {
  const std::string dir = qxtest::MakeTempDir("report_grid_empty");
  const std::string file =
      qxtest::WriteFile(dir, "empty.lxm",
                        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                        "<quorvex version=\"2.19\" type=\"application/x-quorvex2\">\n"
                        "<meta/><event name=\"Empty\"/>\n"
                        "<classes><class name=\"M21\" controls=\"3\"></class></classes>\n"
                        "</quorvex>\n");
  const auto empty = qxtest::RunCli({"report", "grid", file, "--lang", "en"});
  EXPECT_EQ(empty.exit_code, 0) << empty.err;
  EXPECT_EQ(empty.out, "");
  EXPECT_NE(empty.err.find("M21 has no runners"), std::string::npos) << empty.err;

  // Written to a file: no colours unless asked.
  const std::string out = dir + "/grid.txt";
  ASSERT_EQ(qxtest::RunCli({"report", "grid", kFixture, "-o", out}).exit_code, 0);
  EXPECT_EQ(qxtest::ReadFile(out), Grid({"--color", "never"}));
}

}  // namespace
