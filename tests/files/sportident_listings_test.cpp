// SPORTident result listings as users have them, one fixture per dialect: web pages with the
// listing in <pre> or in cells, text with any title lines, localised captions, runners with or
// without a start number, controls on the runner rows, and the files that are no listing.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "files/si_listing_class_header.h"
#include "quorvex2/core/format.h"
#include "quorvex2/core/root.h"
#include "quorvex2/files/file_control.h"

namespace quorvex2 {
namespace {

const std::string kData = QX_TEST_DATA;
constexpr int kDisq = -1;  // a leg without a time, in the seconds of the table
constexpr double kTimeDisq = QX_TIME_DISQ;

struct ClassCase {
  std::string name;
  int runners;
  int controls;
};

struct RunnerCase {
  std::string class_name;
  std::string name;
  int id;
  std::string club;
  std::string result;
  std::vector<int> legs;  // seconds
};

struct ListingCase {
  std::string file;
  std::vector<ClassCase> classes;  // empty: the load fails
  std::vector<RunnerCase> runners;
  std::string message;  // in the error comment of a failure, in the warning of a load
};

void PrintTo(const ListingCase& c, std::ostream* os) {
  *os << c.file;
}

const ListingCase kCases[] = {
    {"si-page-pre.html",  // xmlns on the first line, character references, names as printed
     {{"Course 02", 3, 3}, {"Course 03", 2, 3}},
     {{"Course 02", "Renée Beaumont-Fairley", 101, "HarbourOC", "0:12:00", {180, 180, 180, 180}},
      {"Course 02", "Sam Ono", 0, "Lakes OC", "0:13:00", {190, 190, 190, 210}},
      {"Course 02", "Kim Lee", 103, "Hill OC", "NC", {170, 170, 170, 150}},
      {"Course 03", "Bo Reid", 202, "Hill OC", "P1", {250, kDisq, 380, 240}}},
     ""},
    {"si-german-title.txt",  // four title lines, "Stnr"/"Zeit", finish "Z", two control rows
     {{"H 21-", 3, 5}, {"D 21-", 1, 5}},
     {{"H 21-", "Huber Karl", 12, "OLC Graz", "P1", {360, kDisq, 600, 300, 300, 300}},
      {"H 21-", "Maier Sepp", 13, "", "DNF", {420, 300, kDisq, kDisq, kDisq, kDisq}},
      {"D 21-", "Berger Anna", 0, "OLC Wien", "0:33:00", {360, 360, 360, 360, 300, 240}}},
     ""},
    {"si-czech.txt",  // UTF-16, "StČí"/"Čas", finish "C"
     {{"H21B", 2, 2}},
     {{"H21B", "Dvořák Jiří", 264, "KON Konice", "0:23:37", {217, 672, 528}},
      {"H21B", "Šídlo Petr", 265, "LPU Pardubice", "DISQ", {240, 660, 540}}},
     ""},
    {"si-table.html",  // table cells, "1-212" items, ranks in brackets
     {{"Open Long", 2, 2}},
     {{"Open Long", "Second Runner", 199, "DEF", "0:11:30", {270, 170, 250}}},
     ""},
    {"si-font-cells.html",  // <pre> with <font> fields, no captions, no start numbers
     {{"Short Course", 2, 2}},
     {{"Short Course", "Bea Holm", 0, "XYZ", "0:09:30", {210, 180, 180}}},
     ""},
    {"si-codes-on-runners.txt",  // each runner's controls on its own rows
     {{"Free Order", 3, 3}},
     {{"Free Order", "Uma Roe", 8, "Forest OK", "0:22:00", {360, 300, 300, 360}},
      {"Free Order", "Eli Fox", 9, "Forest OK", "MP", {240, 300, 540}}},
     "Free Order: runners on different controls"},
    {"si-long-course.html", {{"Short", 1, 1}}, {}, "Class Marathon left out"},
    {"si-long-course.txt", {}, {}, "Long Runner of class Marathon has 31 legs"},
    {"si-start-list.html", {}, {}, "a start list"},
    {"si-empty.html", {}, {}, "no runner found"},
    {"si-untitled.txt", {}, {}, "no title lines"},
    {"si-runner-rows.txt", {}, {}, "no class header"},
};

class ListingTest : public ::testing::TestWithParam<ListingCase> {
 protected:
  std::shared_ptr<clsLapData> Runner(const std::string& class_name, const std::string& name) {
    auto cls = root_.ClassData(class_name);
    for (int32_t i = 1; cls && i <= cls->LapCount(); ++i) {
      if (cls->LapData(i)->RunnerName == name) return cls->LapData(i);
    }
    return nullptr;
  }

  static std::vector<int> LegSeconds(clsLapData& lap) {
    std::vector<int> legs;
    for (int32_t k = 1; k <= lap.LegCount(); ++k) {
      const double leg = lap.LapValue(k);
      legs.push_back(leg == kTimeDisq ? kDisq : static_cast<int>(leg * 86400.0 + 0.5));
    }
    return legs;
  }

  clsQuorvex2 root_;
};

TEST_P(ListingTest, ReadsWhatTheListingPrints) {
  const ListingCase& c = GetParam();
  std::string warning;
  root_.ShowMessage = [&warning](const std::string& message) { warning += message; };
  root_.Language("en");  // the messages of the cases are the English ones
  const bool loaded = root_.FileControl()->LoadLapFile(kData + "/" + c.file, QX_FILETYPE_AUTODETECT,
                                                       QX_LOADMODE_NORMAL);
  ASSERT_EQ(loaded, !c.classes.empty()) << root_.ErrorComment();
  const std::string& said = loaded ? warning : root_.ErrorComment();
  if (c.message.empty()) {
    EXPECT_EQ(said, "");
  } else {
    EXPECT_NE(said.find(c.message), std::string::npos) << said;
  }

  if (!loaded) return;  // what a failing listing added before the failure stays
  ASSERT_EQ(root_.ClassCount(), static_cast<int32_t>(c.classes.size()));
  for (const ClassCase& expected : c.classes) {
    auto cls = root_.ClassData(expected.name);
    ASSERT_TRUE(cls) << expected.name;
    EXPECT_EQ(cls->LapCount(), expected.runners) << expected.name;
    EXPECT_EQ(cls->ControlCount, expected.controls) << expected.name;
  }
  for (const RunnerCase& expected : c.runners) {
    auto lap = Runner(expected.class_name, expected.name);
    ASSERT_TRUE(lap) << expected.name;
    EXPECT_EQ(lap->ID, expected.id) << expected.name;
    EXPECT_EQ(lap->ClubName, expected.club) << expected.name;
    EXPECT_EQ(lap->Result(), expected.result) << expected.name;
    EXPECT_EQ(LegSeconds(*lap), expected.legs) << expected.name;
  }
}

INSTANTIATE_TEST_SUITE_P(Dialects, ListingTest, ::testing::ValuesIn(kCases), [](const auto& info) {
  std::string name = info.param.file;
  for (char& ch : name) {
    if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
  }
  return name;
});

// The title lines above the listing name the event, its date and the program that printed it;
// classes with the same controls share a course and the ones with others get their own.
TEST(ListingHeadTest, TitleLinesAndCourses) {
  clsQuorvex2 root;
  ASSERT_TRUE(root.FileControl()->LoadLapFile(kData + "/si-page-pre.html")) << root.ErrorComment();
  EXPECT_EQ(root.EventData()->EventName, "Harbour Sprint & Relay");
  EXPECT_NEAR(root.MetaData()->CreateDate, MakeDate(2026, 6, 14, 16, 5), 1e-9);
  EXPECT_EQ(root.MetaData()->CreateApplication, "EventSoft7");
  EXPECT_NE(root.ClassData("Course 02")->CourseNum, root.ClassData("Course 03")->CourseNum);

  ASSERT_TRUE(root.FileControl()->LoadLapFile(kData + "/si-german-title.txt"));
  EXPECT_EQ(root.EventData()->EventName, "Nachtlauf 2026");
  EXPECT_NEAR(root.MetaData()->CreateDate, MakeDate(2026, 10, 10, 21, 30), 1e-9);
  EXPECT_EQ(root.MetaData()->CreateApplication, "OEx2026");
  EXPECT_EQ(root.ClassData("H 21-")->CourseNum, root.ClassData("D 21-")->CourseNum);
  EXPECT_EQ(root.ClassData("H 21-")->Length, 5000);
  EXPECT_EQ(root.ClassData("H 21-")->Climb, 150);
}

// Class names as printed, never cut at a blank; lengths and climbs however the header gives them.
TEST(ListingClassHeaderTest, NamesLengthsAndClimbs) {
  struct Row {
    std::string line, name;
    int32_t length, climb;
  };
  const Row rows[] = {
      {"M21E  (4)                5.100 km  210 m   4 C", "M21E", 5100, 210},
      {"Circuit  A  (19)       6.600 km  250 m   15 P", "Circuit A", 6600, 250},
      {"Men (long)  (74)       5.600 km   21 C", "Men (long)", 5600, 0},
      {"   Test course 1 (2)   4.1 km     35 m", "Test course 1", 4100, 35},
      {"Class 1    (4100m, 35m)", "Class 1", 4100, 35},
      {"M21A  (3)              12.500 Km  450 Cm  12 C", "M21A", 12500, 450},
      {"Junior Men   3,2 km", "Junior Men", 3200, 0},
      {"H21E", "H21E", 0, 0},
  };
  for (const Row& row : rows) {
    const detail::sportident::ClassHeader header = detail::sportident::ParseClassHeader(row.line);
    EXPECT_EQ(header.name, row.name) << row.line;
    EXPECT_EQ(header.length, row.length) << row.line;
    EXPECT_EQ(header.climb, row.climb) << row.line;
  }
}

}  // namespace
}  // namespace quorvex2
