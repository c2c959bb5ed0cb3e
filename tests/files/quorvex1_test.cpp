// The version-1 lap file: what a save and a load keep, and how its header lines are read.
#include <gtest/gtest.h>

#include <string>

#include "files/files_test_support.h"
#include "quorvex2/core/encoding.h"
#include "quorvex2/core/root.h"
#include "quorvex2/files/file_control.h"

namespace quorvex2 {
namespace {

class Quorvex1Test : public ::testing::Test {
 protected:
  clsQuorvex2 root;

  // A native file of the event that says what it holds.
  void FillEvent() {
    ASSERT_TRUE(root.FileControl()->LoadLapFile(qxtest::DataPath("native/autumn-cup.lxm")));
  }
};

// Shift-JIS lines ending in CR LF: "－" for a missing start, "→" for a skipped leg, "n/a" for a
// leg without data, a disqualified one and those beyond the runner's. Read back, leg times stay
// leg times; no data comes back as disqualified, and so do the legs beyond a runner's; neither
// the class without course nor "名称未設定" is written, nor the runner without legs, the rank
// mark and the age. A memo's line breaks are written as blanks, so the header lines after it stay.
TEST_F(Quorvex1Test, WritesShiftJisLinesThatReadBackToTheEvent) {
  FillEvent();
  root.EventData()->Memo = "line 1\nline 2\r\nline 3";
  const std::string path = qxtest::TempPath("layout.lap");
  ASSERT_TRUE(root.FileControl()->SaveLapFile(path));
  qxtest::ExpectGolden("golden/files/filled-event.lap", SjisToUtf8(qxtest::ReadFile(path)));
  qxtest::ExpectGolden("golden/files/filled-event.lap.txt", qxtest::LoadedEvent(path));
}

TEST_F(Quorvex1Test, AppendingKeepsTheEventHeaderButTakesClassParameters) {
  FillEvent();
  const std::string path = qxtest::TempPath("append.lap");
  ASSERT_TRUE(root.FileControl()->SaveLapFile(path));
  root.Clear();
  root.EventData()->EventName = "既存";
  root.AddClass("M21A");
  ASSERT_TRUE(root.FileControl()->LoadLapFile(path, QX_FILETYPE_AUTODETECT, QX_LOADMODE_APPEND));
  EXPECT_EQ(root.EventData()->EventName, "既存");
  EXPECT_EQ(root.EventData()->Terrain, "");
  EXPECT_EQ(root.ClassData("M21A")->Length, 5200);
  EXPECT_EQ(root.ClassData("M21A")->LapCount(), 2);
}

// An empty event name, a date that is none, the class of a header line that has no runners, a
// climb of 12.5 (to the even neighbour) and unknown header lines; equal values in a version-1
// file are leg times, never cumulative ones.
TEST_F(Quorvex1Test, HeaderLinesOfUnknownClassesAndBadValuesAreHarmless) {
  const std::string text =
      "$LAPFILE Ver=2\r\n$名称=\r\n$日時=いつか\r\n$距離:W21=4000\r\n$登距離:M21=12.5m\r\n"
      "$コントロール数:M21=2\r\n$どこか\r\n\r\n"
      "クラス,名前,所属,シード,性別,スタート時刻,総タイム,順位,△→１,１→２,２→◎\r\n"
      "M21,A,,,,,0:03:00,1,1:00,1:00,1:00\r\n";
  qxtest::ExpectGolden("golden/files/header-lines.lap.txt",
                       qxtest::LoadedEvent("x.lap", 0, 0, text));
}

}  // namespace
}  // namespace quorvex2
