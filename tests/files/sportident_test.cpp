// SPORTident result listings through LoadLapFile: the shared sample as printed, a listing with
// two control rows and shared courses, and the ways a listing is refused.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "quorvex2/core/encoding.h"
#include "quorvex2/core/format.h"
#include "quorvex2/core/path.h"
#include "quorvex2/core/root.h"
#include "quorvex2/files/file_control.h"

namespace quorvex2 {
namespace {

constexpr double kSec = 1.0 / 86400.0;
const std::string kData = QX_TEST_DATA;

double Clock(int minutes, int seconds, int hours = 0) {
  return (hours * 3600 + minutes * 60 + seconds) * kSec;
}

class SportIdentTest : public ::testing::Test {
 protected:
  bool Load(const std::string& path, int32_t type = QX_FILETYPE_AUTODETECT,
            const std::string& data = "") {
    return root_.FileControl()->LoadLapFile(path, type, QX_LOADMODE_NORMAL, data);
  }
  std::shared_ptr<clsLapData> Runner(const std::string& class_name, int32_t id) {
    auto cls = root_.ClassData(class_name);
    if (!cls) return nullptr;
    for (int32_t i = 1; i <= cls->LapCount(); ++i) {
      if (cls->LapData(i)->ID == id) return cls->LapData(i);
    }
    return nullptr;
  }
  static std::vector<double> Legs(clsLapData& lap) {
    std::vector<double> legs;
    for (int32_t k = 1; k <= lap.LegCount(); ++k) legs.push_back(lap.LapValue(k));
    return legs;
  }
  static void ExpectLegs(clsLapData& lap, const std::vector<double>& expected) {
    const std::vector<double> legs = Legs(lap);
    ASSERT_EQ(legs.size(), expected.size()) << lap.RunnerName;
    for (size_t k = 0; k < legs.size(); ++k) {
      EXPECT_NEAR(legs[k], expected[k], 1e-9) << lap.RunnerName << " leg " << k + 1;
    }
  }
  std::vector<int32_t> Codes(int32_t course_number) {
    auto course = root_.CourseData(std::to_string(course_number));
    std::vector<int32_t> codes;
    if (!course) return codes;
    for (int32_t k = 1; k <= course->ControlCount; ++k) codes.push_back(course->ControlNum(k));
    return codes;
  }

  // Every runner as one text: name, club, result and legs.
  std::vector<std::string> Records() {
    std::vector<std::string> records;
    for (int32_t c = 1; c <= root_.ClassCount(); ++c) {
      auto cls = root_.ClassData(c);
      for (int32_t i = 1; i <= cls->LapCount(); ++i) {
        auto lap = cls->LapData(i);
        std::string text = lap->RunnerName + "|" + lap->ClubName + "|" + lap->Result() + "|";
        for (double leg : Legs(*lap)) text += std::to_string(leg) + ",";
        records.push_back(text);
      }
    }
    return records;
  }

  clsQuorvex2 root_;
};

constexpr double kDisq = QX_TIME_DISQ;

TEST_F(SportIdentTest, ReadsTheSharedSampleAsPrinted) {
  std::vector<int32_t> progress;
  root_.FileControl()->Progress = [&](int32_t p) { progress.push_back(p); };
  ASSERT_TRUE(Load(kData + "/sportident-listing.txt")) << root_.ErrorComment();

  EXPECT_EQ(root_.EventData()->EventName, "Autumn Cup 2026");
  EXPECT_EQ(root_.MetaData()->CreateApplication, "TimingApp3.1");
  EXPECT_NEAR(root_.MetaData()->CreateDate, MakeDate(2026, 11, 28, 11, 9), 1e-9);
  ASSERT_EQ(root_.ClassCount(), 3);

  auto m21 = root_.ClassData("M21E");
  ASSERT_TRUE(m21);
  EXPECT_EQ(m21->Length, 5100);
  EXPECT_EQ(m21->Climb, 210);
  EXPECT_EQ(m21->ControlCount, 4);
  EXPECT_EQ(m21->LapCount(), 4);

  auto kato = Runner("M21E", 1001);
  ASSERT_TRUE(kato);
  EXPECT_EQ(kato->RunnerName, "Kato Ken");
  EXPECT_EQ(kato->ClubName, "Tokyo OLC");
  EXPECT_EQ(kato->Rank, "1");
  EXPECT_EQ(kato->Result(), "0:26:25");
  // The leg times stand on the club line; the finish leg under "F".
  ExpectLegs(*kato, {Clock(5, 0), Clock(7, 0), Clock(4, 20), Clock(8, 30), Clock(1, 35)});

  auto yamamoto = Runner("M21E", 1002);
  ASSERT_TRUE(yamamoto);
  EXPECT_EQ(yamamoto->RunnerName, "山本 一郎");
  EXPECT_EQ(yamamoto->ClubName, "名古屋OLC");
  EXPECT_EQ(yamamoto->Result(), "0:27:30");
  ExpectLegs(*yamamoto, {Clock(5, 20), Clock(6, 40), Clock(5, 0), Clock(8, 50), Clock(1, 40)});

  auto ito = Runner("M21E", 1003);
  ASSERT_TRUE(ito);
  EXPECT_EQ(ito->Rank, "");
  EXPECT_EQ(ito->Result(), "P1");
  ExpectLegs(*ito, {Clock(5, 10), kDisq, Clock(10, 40), Clock(8, 40), Clock(1, 30)});

  auto mori = Runner("M21E", 1004);
  ASSERT_TRUE(mori);
  EXPECT_EQ(mori->RunnerName, "森 正");
  EXPECT_EQ(mori->Result(), "DNF");
  ExpectLegs(*mori, {Clock(5, 30), Clock(6, 50), kDisq, kDisq, kDisq});

  // M21E and W21E run 101-104; M50 runs 121-102-103 and gets the next course number.
  EXPECT_EQ(root_.ClassData("W21E")->CourseNum, m21->CourseNum);
  EXPECT_EQ(Codes(m21->CourseNum), (std::vector<int32_t>{101, 102, 103, 104}));
  auto m50 = root_.ClassData("M50");
  EXPECT_EQ(m50->CourseNum, m21->CourseNum + 1);
  EXPECT_EQ(Codes(m50->CourseNum), (std::vector<int32_t>{121, 102, 103}));
  EXPECT_EQ(m50->Length, 3200);

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

  auto m21 = root_.ClassData("M21A");
  ASSERT_TRUE(m21);
  EXPECT_EQ(m21->Length, 12500);  // "Km" after the length
  EXPECT_EQ(m21->Climb, 450);     // "Cm" after the climb
  EXPECT_EQ(m21->ControlCount, 12);
  EXPECT_EQ(Codes(m21->CourseNum),
            (std::vector<int32_t>{101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 111, 112}));
  EXPECT_EQ(root_.ClassData("W21A")->CourseNum, m21->CourseNum);
  EXPECT_NE(root_.ClassData("M40")->CourseNum, m21->CourseNum);
  EXPECT_EQ(root_.CourseCount(), 2);

  // Legs of the second control row come from the fourth line of the runner's block.
  auto yamada = Runner("M21A", 1001);
  ASSERT_TRUE(yamada);
  EXPECT_EQ(yamada->RunnerName, "山田　太郎");
  EXPECT_EQ(yamada->ClubName, "TokyoOLC");
  EXPECT_EQ(yamada->Result(), "1:02:03");
  const double m5 = Clock(5, 0);
  ExpectLegs(*yamada, {Clock(4, 0), m5, Clock(4, 0), m5, Clock(6, 0), Clock(6, 0), m5, m5, m5, m5,
                       m5, m5, Clock(2, 3)});

  // "mp" with the finish punched: P and the number of missing punches before it.
  auto mori = Runner("M21A", 1002);
  ASSERT_TRUE(mori);
  EXPECT_EQ(mori->Result(), "P2");
  EXPECT_EQ(mori->LapValue(2), kDisq);
  EXPECT_EQ(mori->LapValue(6), kDisq);
  EXPECT_NEAR(mori->LapValue(13), Clock(2, 30), 1e-9);
  // "mp" without the finish: DNF.
  auto sato = Runner("M21A", 1003);
  ASSERT_TRUE(sato);
  EXPECT_EQ(sato->Result(), "DNF");
  EXPECT_EQ(sato->LegCount(), 13);
  EXPECT_EQ(sato->LapValue(13), kDisq);

  auto abe = Runner("M40", 3001);
  ASSERT_TRUE(abe);
  EXPECT_EQ(abe->Result(), "DNF");
  EXPECT_EQ(abe->ClubName, "SendaiOLC");
  EXPECT_EQ(root_.ClassData("M40")->Length, 3400);
  EXPECT_EQ(root_.ClassData("M40")->Climb, 120);

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
  EXPECT_EQ(Runner("M21E", 1002)->Result(), "0:27:30");
  EXPECT_EQ(Runner("M21E", 1002)->RunnerName, "山本 一郎");
  EXPECT_EQ(Runner("M21E", 1004)->Result(), "DNF");
}

TEST_F(SportIdentTest, ReadsTextHandedOverInMemory) {
  auto bytes = ReadFileBytes(kData + "/sportident-listing.txt");
  ASSERT_TRUE(bytes);
  ASSERT_TRUE(Load("listing.txt", QX_FILETYPE_SPORTIDENT, SjisToUtf8(*bytes)))
      << root_.ErrorComment();
  EXPECT_EQ(root_.ClassCount(), 3);
  EXPECT_EQ(Runner("M21E", 1002)->ClubName, "名古屋OLC");
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
