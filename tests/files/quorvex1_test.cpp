// The version-1 lap file: what a save and a load keep, and how its header lines are read.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/files_test_support.h"
#include "quorvex2/core/encoding.h"
#include "quorvex2/core/root.h"
#include "quorvex2/files/file_control.h"
#include "support/lap_text.h"

namespace quorvex2 {
namespace {

class Quorvex1Test : public ::testing::Test {
 protected:
  clsQuorvex2 root;

  // A native file of the event that says what it holds.
  void FillEvent() {
    ASSERT_TRUE(root.FileControl()->LoadLapFile(qxtest::DataPath("native/autumn-cup.lxm")));
  }

  bool SaveAndReload(const std::string& path) {
    if (!root.FileControl()->SaveLapFile(path)) return false;
    return root.FileControl()->LoadLapFile(path);
  }
};

TEST_F(Quorvex1Test, RoundTripKeepsRunnersAndClassParameters) {
  FillEvent();
  ASSERT_TRUE(SaveAndReload(qxtest::TempPath("round.lap")));
  EXPECT_EQ(root.ClassCount(), 1);  // neither the class without course nor "名称未設定"
  auto m21 = root.ClassData("M21A");
  ASSERT_TRUE(m21);
  EXPECT_EQ(m21->Length * 10000 + m21->Climb * 10 + m21->ControlCount, 52001803);
  EXPECT_EQ(m21->CourseNum, 2);
  // Leg times stay leg times; no data comes back as disqualified, and so do the legs beyond a
  // runner's ("n/a"); the runner without legs is not written, nor the rank mark and age.
  EXPECT_EQ(qxtest::ClassRunners(root, "M21A"),
            (std::vector<std::string>{"山田 太郎|東京OLC|1|0:03:05|1:05 1:30 ↓ 0:30",
                                      "Anna Berg|||DNF|1:10 × × ×"}));
  auto a = m21->LapData(1);
  EXPECT_EQ(a->Seed + a->Sex + a->RankFix + a->Age, "S男");
  EXPECT_EQ(a->StartTime.ToString("hh:nn:ss"), "10:05:00");
  auto event = root.EventData();
  EXPECT_EQ(
      std::vector<std::string>({event->EventName, event->EventDate.ToString("yyyy/mm/dd"),
                                event->Terrain, event->Memo, event->OfficialSite, event->FileName}),
      std::vector<std::string>(
          {"秋の大会", "2026/10/18", "朝霧高原", "雨", "http://example.org/", "aki"}));
}

// Shift-JIS lines ending in CR LF: "－" for a missing start, "→" for a skipped leg, "n/a" for a
// leg without data, a disqualified one and those beyond the runner's.
TEST_F(Quorvex1Test, WritesShiftJisLinesInTheDocumentedLayout) {
  FillEvent();
  const std::string path = qxtest::TempPath("layout.lap");
  ASSERT_TRUE(root.FileControl()->SaveLapFile(path));
  qxtest::ExpectGolden("expected/filled-event.lap", SjisToUtf8(qxtest::ReadBytes(path)));
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

TEST_F(Quorvex1Test, HeaderLinesOfUnknownClassesAndBadValuesAreHarmless) {
  const std::string text =
      "$LAPFILE Ver=2\r\n$名称=\r\n$日時=いつか\r\n$距離:W21=4000\r\n$登距離:M21=12.5m\r\n"
      "$コントロール数:M21=2\r\n$どこか\r\n\r\n"
      "クラス,名前,所属,シード,性別,スタート時刻,総タイム,順位,△→１,１→２,２→◎\r\n"
      "M21,A,,,,,0:03:00,1,1:00,1:00,1:00\r\n";
  ASSERT_TRUE(root.FileControl()->LoadLapFile("x.lap", QX_FILETYPE_AUTODETECT, 0, text));
  EXPECT_EQ(root.EventData()->EventName, "名称未設定");
  EXPECT_EQ(root.EventData()->EventDate.Value(), 0);
  EXPECT_FALSE(root.ClassData("W21"));
  auto m21 = root.ClassData("M21");
  EXPECT_EQ(m21->Climb, 12);  // 12.5 rounds to the even neighbour
  EXPECT_EQ(m21->ControlCount, 2);
  // Equal values in a version-1 file are leg times, never cumulative ones.
  EXPECT_EQ(qxtest::ClassRunners(root, "M21").at(0), "A||1|0:03:00|1:00 1:00 1:00");
}

TEST_F(Quorvex1Test, MissingFileFailsWithoutErrorText) {
  EXPECT_FALSE(
      root.FileControl()->LoadLapFile(qxtest::TempPath("absent.lap"), QX_FILETYPE_QUORVEX1));
  EXPECT_EQ(root.ErrorComment(), "");
}

}  // namespace
}  // namespace quorvex2
