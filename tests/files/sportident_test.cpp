// SPORTident result listings through LoadLapFile: the shared sample as printed, a listing with
// two control rows and shared courses, and the ways a listing is refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "quorvex2/core/encoding.h"
#include "quorvex2/core/format.h"
#include "quorvex2/core/path.h"
#include "quorvex2/core/root.h"
#include "quorvex2/files/file_control.h"
#include "support/lap_text.h"

namespace quorvex2 {
namespace {

const std::string kData = QX_TEST_DATA;

class SportIdentTest : public ::testing::Test {
 protected:
  bool Load(const std::string& path, int32_t type = QX_FILETYPE_AUTODETECT,
            const std::string& data = "") {
    return root_.FileControl()->LoadLapFile(path, type, QX_LOADMODE_NORMAL, data);
  }
  std::vector<std::string> Runners(const std::string& class_name) {
    return qxtest::ClassRunners(root_, class_name);
  }
  std::vector<std::string> Records() {
    std::vector<std::string> records;
    for (int32_t c = 1; c <= root_.ClassCount(); ++c) {
      for (auto& runner : Runners(root_.ClassData(c)->ClassName())) records.push_back(runner);
    }
    return records;
  }

  clsQuorvex2 root_;
};

TEST_F(SportIdentTest, ReadsTheSharedSampleAsPrinted) {
  std::vector<int32_t> progress;
  root_.FileControl()->Progress = [&](int32_t p) { progress.push_back(p); };
  ASSERT_TRUE(Load(kData + "/sportident-listing.txt")) << root_.ErrorComment();
  EXPECT_EQ(root_.EventData()->EventName, "Autumn Cup 2026");
  EXPECT_EQ(root_.MetaData()->CreateApplication, "TimingApp3.1");
  EXPECT_NEAR(root_.MetaData()->CreateDate, MakeDate(2026, 11, 28, 11, 9), 1e-9);
  ASSERT_EQ(root_.ClassCount(), 3);

  // The leg times stand on the club line, the finish leg under "F"; a missing punch is "×" and
  // the result P and the number of missing punches.
  EXPECT_EQ(Runners("M21E"),
            (std::vector<std::string>{"Kato Ken|Tokyo OLC|1|0:26:25|5:00 7:00 4:20 8:30 1:35",
                                      "山本 一郎|名古屋OLC|2|0:27:30|5:20 6:40 5:00 8:50 1:40",
                                      "Ito Rei|Kyoto OLC||P1|5:10 × 10:40 8:40 1:30",
                                      "森 正|Osaka OLC||DNF|5:30 6:50 × × ×"}));
  // M21E and W21E run 101-104; M50 runs 121-102-103 and gets the next course number.
  EXPECT_EQ(qxtest::CourseText(root_, "M21E"), "5100/210 m, 4 controls: 101 102 103 104");
  EXPECT_EQ(root_.ClassData("W21E")->CourseNum, root_.ClassData("M21E")->CourseNum);
  EXPECT_EQ(root_.ClassData("M50")->CourseNum, root_.ClassData("M21E")->CourseNum + 1);
  EXPECT_EQ(qxtest::CourseText(root_, "M50"), "3200/120 m, 3 controls: 121 102 103");

  ASSERT_FALSE(progress.empty());
  EXPECT_EQ(progress.front(), 0);
  EXPECT_EQ(progress.back(), 100);
  EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
}

TEST_F(SportIdentTest, TwoControlRowsSharedCoursesAndMissingPunches) {
  ASSERT_TRUE(Load(kData + "/sportident-two-rows.txt")) << root_.ErrorComment();
  EXPECT_EQ(root_.EventData()->EventName, "Spring Cup 2026");
  EXPECT_NEAR(root_.MetaData()->CreateDate, MakeDate(2026, 5, 18, 10, 30, 0), 1e-9);
  EXPECT_EQ(root_.MetaData()->CreateApplication, "SIPrint");
  // "Km" after the length, "Cm" after the climb.
  EXPECT_EQ(qxtest::CourseText(root_, "M21A"),
            "12500/450 m, 12 controls: 101 102 103 104 105 106 107 108 109 110 111 112");
  EXPECT_EQ(root_.ClassData("W21A")->CourseNum, root_.ClassData("M21A")->CourseNum);
  EXPECT_EQ(root_.CourseCount(), 2);

  // Legs of the second control row come from the fourth line of the runner's block; "mp" with
  // the finish punched is P and the missing punches before it, without the finish DNF.
  const auto m21 = Runners("M21A");
  ASSERT_EQ(m21.size(), 3u);
  EXPECT_EQ(m21[0],
            "山田　太郎|TokyoOLC|1|1:02:03|4:00 5:00 4:00 5:00 6:00 6:00 5:00 5:00 5:00 5:00 5:00 "
            "5:00 2:03");
  EXPECT_EQ(m21[1].substr(m21[1].find("|P2|")),
            "|P2|4:10 × 9:20 5:00 6:00 × 11:00 5:00 5:00 5:00 5:00 5:00 2:30");
  EXPECT_EQ(m21[2].substr(m21[2].rfind(' ')), " ×");
  EXPECT_NE(m21[2].find("|DNF|"), std::string::npos);
  EXPECT_EQ(Runners("M40").at(0), "Abe Jo|SendaiOLC||DNF|6:40 5:00 × ×");
  EXPECT_EQ(qxtest::CourseText(root_, "M40").substr(0, 8), "3400/120");

  // The stretch 102-103-104 is run by all three classes: the segments are rebuilt.
  ASSERT_EQ(root_.SegmentCount(), 1);
  EXPECT_EQ(root_.SegmentData(1)->SegmentName(), "102-103-104");
}

// The same listing laid out by display column (a full-width character takes two columns) reads
// to the same records as the one laid out by character.
TEST_F(SportIdentTest, DisplayAndCharacterLayoutsReadAlike) {
  ASSERT_TRUE(Load(kData + "/sportident-listing.txt")) << root_.ErrorComment();
  const std::vector<std::string> by_character = Records();
  ASSERT_TRUE(Load(kData + "/sportident-display-columns.txt")) << root_.ErrorComment();
  const std::vector<std::string> by_display = Records();
  EXPECT_EQ(by_display, by_character);
}

TEST_F(SportIdentTest, ReadsTextHandedOverInMemory) {
  auto bytes = ReadFileBytes(kData + "/sportident-listing.txt");
  ASSERT_TRUE(bytes);
  ASSERT_TRUE(Load("listing.txt", QX_FILETYPE_SPORTIDENT, SjisToUtf8(*bytes)))
      << root_.ErrorComment();
  EXPECT_EQ(root_.ClassCount(), 3);
  EXPECT_EQ(Runners("M21E").at(1).substr(0, 26), "山本 一郎|名古屋OLC");
}

TEST_F(SportIdentTest, RefusesTextsThatAreNoListing) {
  const std::string location = "ファイルを開けません\r\nclsFileControl.LoadSportIdent\r\n";
  // The marker must stand on the third line, even when everything else is in place.
  std::string text = "\r\nCup  2026/05/18\r\nresults\r\nSI\r\n\r\n    Pl    Stno Name    Time\r\n";
  EXPECT_FALSE(Load("x.txt", QX_FILETYPE_SPORTIDENT, text));
  EXPECT_EQ(root_.ErrorComment().rfind(location, 0), 0u) << root_.ErrorComment();

  EXPECT_FALSE(Load("x.txt", QX_FILETYPE_SPORTIDENT, "\r\nCup\r\n"));
  EXPECT_EQ(root_.ErrorComment().rfind(location, 0), 0u);

  EXPECT_FALSE(Load(kData + "/no-such-listing.txt", QX_FILETYPE_SPORTIDENT));
  EXPECT_EQ(root_.ErrorComment().rfind(location, 0), 0u);

  // Without the column captions nothing can be cut out of the runner lines.
  text = "\r\nCup  2026/05/18\r\nSPORTident results\r\nSI\r\n\r\n\r\nM21 (1)\r\n";
  EXPECT_FALSE(Load("x.txt", QX_FILETYPE_SPORTIDENT, text));
  EXPECT_EQ(root_.ErrorComment().rfind(location, 0), 0u);
}

}  // namespace
}  // namespace quorvex2
