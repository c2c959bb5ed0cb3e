// quorvex2 chart: PNG pictures of each mode, auto-size, highlighted runners and usage errors.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "cli_run.h"

namespace {

const std::string kFixture = std::string(QX_TEST_DATA) + "/report_three_classes.lxm";

// Width and height from a PNG file's header; 0 × 0 when it is no PNG.
std::pair<uint32_t, uint32_t> PngSize(const std::string& bytes) {
  if (bytes.size() < 24 || bytes.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0) return {0, 0};
  const auto be32 = [&](size_t at) {
    uint32_t v = 0;
    for (size_t i = 0; i < 4; ++i) v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
    return v;
  };
  return {be32(16), be32(20)};
}

TEST(ChartCommand, EveryModeWritesAPictureOfTheGivenSize) {
  const std::string dir = qxtest::MakeTempDir("chart_modes");
  for (int mode = 0; mode <= 7; ++mode) {
    const std::string out = dir + "/c" + std::to_string(mode) + ".png";
    const auto run = qxtest::RunCli(
        {"chart", kFixture, "--mode", std::to_string(mode), "-o", out, "--size", "640x480"});
    ASSERT_EQ(run.exit_code, 0) << mode << run.err;
    EXPECT_EQ(PngSize(qxtest::ReadFile(out)), (std::pair<uint32_t, uint32_t>{640, 480})) << mode;
  }
}

TEST(ChartCommand, AutoSizeFitsTheWidthAndHighlightsChangeThePicture) {
  const std::string dir = qxtest::MakeTempDir("chart_auto");
  // The slowest split (20:10) plus 4 minutes of margin at 0.2 units a second, and the 104
  // units of margins.
  ASSERT_EQ(qxtest::RunCli({"chart", kFixture, "--mode", "0", "-o", dir + "/a.png", "--auto-size"})
                .exit_code,
            0);
  EXPECT_EQ(PngSize(qxtest::ReadFile(dir + "/a.png")).first, (1210u + 240) / 5 + 104);

  ASSERT_EQ(qxtest::RunCli({"chart", kFixture, "--mode", "0", "-o", dir + "/plain.png"}).exit_code,
            0);
  const auto run = qxtest::RunCli(
      {"chart", kFixture, "--mode", "0", "-o", dir + "/high.png", "--highlight", "山田太郎"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_NE(qxtest::ReadFile(dir + "/plain.png"), qxtest::ReadFile(dir + "/high.png"));
}

TEST(ChartCommand, UsageErrors) {
  const std::string dir = qxtest::MakeTempDir("chart_errors");
  const std::string out = dir + "/x.png";
  EXPECT_EQ(qxtest::RunCli({"chart", kFixture, "--mode", "8", "-o", out}).exit_code, 2);
  EXPECT_EQ(qxtest::RunCli({"chart", kFixture, "-o", out}).exit_code, 2);
  EXPECT_EQ(qxtest::RunCli({"chart", kFixture, "--mode", "0", "-o", out, "--size", "12"}).exit_code,
            2);
  const auto unknown =
      qxtest::RunCli({"chart", kFixture, "--mode", "0", "-o", out, "--highlight", "Nobody"});
  EXPECT_EQ(unknown.exit_code, 2);
  EXPECT_NE(unknown.err.find("Nobody"), std::string::npos);
  EXPECT_EQ(
      qxtest::RunCli({"chart", kFixture, "--mode", "0", "-o", dir + "/no/such/x.png"}).exit_code,
      1);
}

}  // namespace
