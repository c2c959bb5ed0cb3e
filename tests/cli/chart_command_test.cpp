// quorvex2 chart: a PNG picture of each mode, auto-size and highlighted runners.
#include <gtest/gtest.h>

#include <string>

#include "cli_run.h"

namespace {

using qxtest::kFixture;

// Width and height from a PNG file's header.
std::pair<int, int> PngSize(const std::string& path) {
  const std::string bytes = qxtest::ReadFile(path);
  if (bytes.size() < 24 || bytes.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0) return {0, 0};
  const auto be32 = [&](size_t at) {
    int v = 0;
    for (size_t i = 0; i < 4; ++i) v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
    return v;
  };
  return {be32(16), be32(20)};
}

// Every mode writes a picture of the given size; auto-size fits the width; highlights change the
// picture.
TEST(ChartCommand, ModesSizesAndHighlights) {
  const std::string dir = qxtest::MakeTempDir("chart");
  for (int mode = 0; mode <= 7; ++mode) {
    const std::string out = dir + "/c" + std::to_string(mode) + ".png";
    qxtest::RunOk(
        {"chart", kFixture, "--mode", std::to_string(mode), "-o", out, "--size", "640x480"});
    EXPECT_EQ(PngSize(out), std::make_pair(640, 480)) << mode;
  }
  // The slowest split (20:10) plus 4 minutes of margin at 0.2 units a second, and the 104
  // units of margins.
  qxtest::RunOk({"chart", kFixture, "--mode", "0", "-o", dir + "/a.png", "--auto-size"});
  EXPECT_EQ(PngSize(dir + "/a.png").first, (1210 + 240) / 5 + 104);

  qxtest::RunOk({"chart", kFixture, "--mode", "0", "-o", dir + "/plain.png"});
  qxtest::RunOk(
      {"chart", kFixture, "--mode", "0", "-o", dir + "/high.png", "--highlight", "山田太郎"});
  EXPECT_NE(qxtest::ReadFile(dir + "/plain.png"), qxtest::ReadFile(dir + "/high.png"));
}

}  // namespace
