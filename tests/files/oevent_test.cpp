// OEvent split-time exports through LoadLapFile: cumulative splits over several lines, missing
// punches, the footer, the event name rule, progress and refusals.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/files_test_support.h"
#include "quorvex2/core/root.h"
#include "quorvex2/files/file_control.h"

namespace quorvex2 {
namespace {

// "m:ss" of a count of seconds.
std::string Text(int seconds) {
  const std::string ss = std::to_string(100 + seconds % 60).substr(1);
  return std::to_string(seconds / 60) + ":" + ss;
}

// A split line: nothing in fields 0 and 2-4, the cumulative times in fields 5, 7, ..., the
// leg times (not read) between them.
std::string SplitLine(const std::string& marker, const std::vector<std::string>& cumulative) {
  std::string line = "," + marker + ",,,";
  for (const std::string& t : cumulative) line += "," + t + ",x";
  return line;
}

std::string Join(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

class OEventTest : public ::testing::Test {
 protected:
  bool Load(const std::string& text, int32_t mode = QX_LOADMODE_NORMAL) {
    return root_.FileControl()->LoadLapFile("splits.csv", QX_FILETYPE_AUTODETECT, mode, text);
  }
  clsQuorvex2 root_;
};

// Kato Ken's 25 controls and finish take three split lines, with a missing punch in the middle
// of the second: that leg is disqualified and the next runs from the last valid split. Mori
// Ai's 1:00, 2:30, 4:00 are legs of 1:00, 1:30, 1:30; Ueda Mai's empty split does not advance.
// The footer's date with dots is the creation date, and reading stops there.
TEST_F(OEventTest, TwentyFiveControlsOverThreeSplitLines) {
  qxtest::ExpectGolden("golden/files/oevent-25-controls.csv.txt",
                       qxtest::LoadedEvent(qxtest::DataPath("oevent-25-controls.csv")));
  clsQuorvex2 root;
  ASSERT_TRUE(root.FileControl()->LoadLapFile(qxtest::DataPath("oevent-25-controls.csv")));
  EXPECT_GT(qxtest::ExpectWholeSecondLegs(root), 25);
}

TEST_F(OEventTest, KeepsANameTheEventAlreadyHasAndReportsProgress) {
  const std::string text = Join({"Night Sprint", "Split times of Night Sprint", "M21A",
                                 "1.,Kato Ken,M21A,1001,2:30", SplitLine("", {"1:00", "2:30"})});
  std::vector<int32_t> progress;
  root_.FileControl()->Progress = [&](int32_t p) { progress.push_back(p); };
  ASSERT_TRUE(Load(text));
  EXPECT_EQ(root_.EventData()->EventName, "Night Sprint");
  // The progress window is not shown: the line reports only, without a closing 100 (the last
  // line itself reports 100 as the nearest whole number to last / last).
  ASSERT_FALSE(progress.empty());
  EXPECT_EQ(progress.front(), 0);
  const std::vector<int32_t> hidden = progress;

  root_.EventData()->EventName = "Kept";
  progress.clear();
  root_.FileControl()->ProgressVisible(true);
  ASSERT_TRUE(Load(text, QX_LOADMODE_APPEND));
  EXPECT_EQ(root_.EventData()->EventName, "Kept");
  // A shown window is closed with one more 100.
  std::vector<int32_t> shown = hidden;
  shown.push_back(100);
  EXPECT_EQ(progress, shown);
}

// More legs than a runner holds fail naming the runner; what was read before stays
// (tests/data/golden/files/oevent-31-legs.txt).
TEST(OEvent, MoreLegsThanARunnerHoldsFailNamingTheRunner) {
  std::vector<std::string> cumulative;
  for (int k = 1; k <= 31; ++k) cumulative.push_back(Text(60 * k));
  const std::string text =
      Join({"Cup", "Split times of Cup", "M21A", "1.,Kato Ken,M21A,1001,31:00",
            SplitLine("", {"1:00", "2:00"}), "", "2.,Mori Ai,M21A,1002,31:00",
            SplitLine("", {cumulative.begin(), cumulative.begin() + 10}),
            SplitLine("11-20", {cumulative.begin() + 10, cumulative.begin() + 20}),
            SplitLine("21-30", {cumulative.begin() + 20, cumulative.begin() + 30}),
            SplitLine("31", {cumulative.begin() + 30, cumulative.end()})});
  qxtest::ExpectGolden("golden/files/oevent-31-legs.txt",
                       qxtest::LoadedEvent("splits.csv", 0, 0, text));
}

}  // namespace
}  // namespace quorvex2
