// The IOF XML 3.0 ResultList we write: what it says, that our event and our IOF fixtures come
// back from it with every figure the analysis uses, and the published schema's verdict.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "files/files_test_support.h"
#include "quorvex2/core/root.h"
#include "quorvex2/files/file_control.h"
#include "quorvex2/files/file_types.h"

namespace quorvex2 {
namespace {

constexpr Date kSec = 1.0 / 86400.0;

// An event with a shared course, a class without a course and runners of every kind of leg
// and status.
void FillEvent(clsQuorvex2& root) {
  root.EventData()->EventName = "Spring Cup";
  root.EventData()->EventDate.Value(37759);  // 2003-05-18
  root.EventData()->OfficialSite = "https://example.org/cup";
  root.EventData()->TimeZone = "+09:00";
  auto course = root.AddCourse(4);
  course->ControlCount = 3;
  for (int32_t k = 1; k <= 3; ++k) course->ControlNum(k, 100 + k);
  auto runner = [&root](const std::string& class_name, const std::string& name,
                        const std::string& result, std::vector<Date> legs) {
    auto lap = root.AddClass(class_name)->AddLap();
    lap->RunnerName = name;
    lap->Result(result);
    for (size_t k = 0; k < legs.size(); ++k) lap->Lap(static_cast<int32_t>(k + 1))->Value(legs[k]);
    return lap;
  };
  auto taro = runner("M21", "Yamada Taro Jiro", "0:10:00",
                     {100 * kSec, 200 * kSec, 150 * kSec, 150 * kSec});
  taro->ClubName = "OK Forest";
  taro->ID = 12;
  taro->Ecard = 765432;
  taro->Sex = "男";
  taro->Rank = "1";
  taro->StartTime.Value(36000 * kSec);
  runner("M21", "Skip Sam", "0:11:00", {100 * kSec, kTimeSkip, 400 * kSec, 160 * kSec});
  runner("M21", "Miss Mia", "MP", {110 * kSec, kTimeDisq, 300 * kSec, 200 * kSec});
  runner("M21", "Quit Quinn", "DNF", {120 * kSec, 220 * kSec})->StartTime.Value(0.5);
  runner("M21", "Absent Al", "DNS", {});
  runner("M21", "Over Olli", "OCL", {300 * kSec, 300 * kSec, 300 * kSec, 300 * kSec});
  runner("M21", "Open Otto", "", {90 * kSec, 95 * kSec, 99 * kSec, 101 * kSec});
  auto m21 = root.ClassData("M21");
  m21->CourseNum = 4;
  m21->ControlCount = 3;
  m21->Length = 4200;
  m21->Climb = 180;
  runner("W21", "Sato Hanako", "0:12:00", {200 * kSec, 200 * kSec, 160 * kSec, 160 * kSec})->Sex =
      "F";
  root.ClassData("W21")->CourseNum = 4;
  root.ClassData("W21")->ControlCount = 3;
  runner("Open", "Free Fay", "0:05:00", {100 * kSec, 100 * kSec, 100 * kSec});
  root.ClassData("Open")->ControlCount = 2;
}

int32_t LegsWithData(const clsLapData& lap) {
  int32_t legs = lap.LegCount();
  while (legs > 0 && lap.LapValue(legs) == kTimeNoData) --legs;
  return legs;
}

// Every runner of every class of `was` is in `now` with the same figures; `now` holds no more.
void ExpectSameEvent(clsQuorvex2& was, clsQuorvex2& now) {
  ASSERT_EQ(now.ClassCount(), was.ClassCount());
  for (int32_t i = 1; i <= was.ClassCount(); ++i) {
    auto a_class = was.ClassData(i);
    auto b_class = now.ClassData(a_class->ClassName());
    ASSERT_TRUE(b_class) << a_class->ClassName();
    EXPECT_EQ(b_class->CourseNum, a_class->CourseNum) << a_class->ClassName();
    EXPECT_EQ(b_class->ControlCount, a_class->ControlCount) << a_class->ClassName();
    EXPECT_EQ(b_class->Length, a_class->Length);
    EXPECT_EQ(b_class->Climb, a_class->Climb);
    ASSERT_EQ(b_class->LapCount(), a_class->LapCount());
    for (int32_t k = 1; k <= a_class->LapCount(); ++k) {
      auto a = a_class->LapData(k);
      auto b = b_class->LapData(k);
      EXPECT_EQ(b->RunnerName, a->RunnerName);
      EXPECT_EQ(b->ClubName, a->ClubName);
      EXPECT_EQ(b->Result(), a->Result()) << a->RunnerName;
      EXPECT_EQ(b->ID, a->ID);
      EXPECT_EQ(b->Ecard, a->Ecard);
      EXPECT_EQ(b->Rank, a->Rank);
      EXPECT_NEAR(b->StartTime.Value(), a->StartTime.Value(), 1e-9) << a->RunnerName;
      // Legs without data at the end are as good as none.
      ASSERT_EQ(LegsWithData(*b), LegsWithData(*a)) << a->RunnerName;
      for (int32_t leg = 1; leg <= LegsWithData(*a); ++leg) {
        EXPECT_NEAR(b->LapValue(leg), a->LapValue(leg), 1e-9) << a->RunnerName << " leg " << leg;
      }
    }
  }
}

std::string Validate(const std::string& path) {
  return qxtest::RunCommand("xmllint --noout --schema '" + qxtest::IofTestFile("IOF.xsd") + "' '" +
                            path + "' 2>&1");
}

class Iof3WriterTest : public ::testing::Test {
 protected:
  clsQuorvex2 root;

  std::string Save(const std::string& name) {
    const std::string path = qxtest::TempPath(name);
    EXPECT_TRUE(root.FileControl()->SaveLapFile(path, QX_FILETYPE_IOF_XML_30_RESULT));
    return path;
  }

  static std::string Family(const pugi::xml_node& person) {
    return person.child("Person").child("Name").child_value("Family");
  }
};

TEST_F(Iof3WriterTest, DocumentContent) {
  FillEvent(root);
  pugi::xml_document doc;
  ASSERT_TRUE(doc.load_file(Save("content.xml").c_str()));
  const auto list = doc.child("ResultList");
  EXPECT_STREQ(list.attribute("xmlns").value(), "http://www.orienteering.org/datastandard/3.0");
  EXPECT_STREQ(list.child("Event").child("StartTime").child_value("Date"), "2003-05-18");
  EXPECT_STREQ(list.child("Event").child_value("URL"), "https://example.org/cup");

  const auto m21 = list.child("ClassResult");
  EXPECT_STREQ(m21.child("Class").child_value("Name"), "M21");
  EXPECT_STREQ(m21.child("Course").child_value("Id"), "4");
  EXPECT_STREQ(m21.child("Course").child_value("Length"), "4200");
  EXPECT_STREQ(m21.child("Course").child_value("NumberOfControls"), "3");

  const auto taro = m21.child("PersonResult");
  EXPECT_STREQ(taro.child("Person").attribute("sex").value(), "M");
  EXPECT_STREQ(taro.child("Person").child("Name").child_value("Family"), "Yamada");
  EXPECT_STREQ(taro.child("Person").child("Name").child_value("Given"), "Taro Jiro");
  EXPECT_STREQ(taro.child("Organisation").child_value("Name"), "OK Forest");
  const auto result = taro.child("Result");
  EXPECT_STREQ(result.child_value("BibNumber"), "12");
  EXPECT_STREQ(result.child_value("StartTime"), "2003-05-18T10:00:00+09:00");
  EXPECT_STREQ(result.child_value("FinishTime"), "2003-05-18T10:10:00+09:00");
  EXPECT_STREQ(result.child_value("Time"), "600");
  EXPECT_STREQ(result.child_value("Position"), "1");
  EXPECT_STREQ(result.child_value("Status"), "OK");
  EXPECT_STREQ(result.child_value("ControlCard"), "765432");
  std::vector<std::string> splits;
  for (const auto& split : result.children("SplitTime")) {
    splits.push_back(std::string(split.child_value("ControlCode")) + "@" +
                     split.child_value("Time"));
  }
  EXPECT_EQ(splits, (std::vector<std::string>{"101@100", "102@300", "103@450"}));

  // Statuses in result order: the runners without a time follow the finishers.
  std::vector<std::string> statuses;
  for (const auto& person : m21.children("PersonResult")) {
    statuses.push_back(person.child("Result").child_value("Status"));
  }
  EXPECT_EQ(statuses, (std::vector<std::string>{"OK", "OK", "MissingPunch", "DidNotFinish",
                                                "OverTime", "DidNotStart", "Active"}));
  const auto miss =
      m21.find_child([](const pugi::xml_node& node) { return Family(node) == "Miss"; });
  EXPECT_STREQ(miss.child("Result").child("SplitTime").next_sibling().attribute("status").value(),
               "Missing");
  // Only the times a runner has: the one who gave up before the finish has none but his start.
  std::vector<std::string> timed;
  for (const auto& person : m21.children("PersonResult")) {
    if (person.child("Result").child("Time")) timed.push_back(Family(person));
  }
  EXPECT_EQ(timed, (std::vector<std::string>{"Yamada", "Skip", "Miss", "Over", "Open"}));
  const auto quit =
      m21.find_child([](const pugi::xml_node& node) { return Family(node) == "Quit"; });
  EXPECT_STREQ(quit.child("Result").child_value("StartTime"), "2003-05-18T12:00:00+09:00");
  EXPECT_FALSE(quit.child("Result").child("FinishTime"));

  // A class without a course: empty control codes, the last leg is the finish.
  pugi::xml_node fay;
  for (const auto& node : list.children("ClassResult")) {
    if (std::string(node.child("Class").child_value("Name")) == "Open")
      fay = node.child("PersonResult");
  }
  ASSERT_TRUE(fay);
  EXPECT_FALSE(fay.parent().child("Course").child("Id"));
  int32_t count = 0;
  for (const auto& split : fay.child("Result").children("SplitTime")) {
    EXPECT_STREQ(split.child_value("ControlCode"), "");
    ++count;
  }
  EXPECT_EQ(count, 2);
}

TEST_F(Iof3WriterTest, OurEventComesBackWithEveryFigure) {
  FillEvent(root);
  const std::string path = Save("round.xml");
  root.SortLap();  // the loaded classes come sorted by result
  clsQuorvex2 back;
  ASSERT_TRUE(back.FileControl()->LoadLapFile(path)) << back.ErrorComment();
  EXPECT_EQ(back.ErrorComment(), "");
  EXPECT_EQ(back.EventData()->EventName, "Spring Cup");
  EXPECT_EQ(back.EventData()->EventDate.Value(), 37759);
  EXPECT_EQ(back.EventData()->OfficialSite, "https://example.org/cup");
  ExpectSameEvent(root, back);
  EXPECT_EQ(back.ClassData("M21")->LapData(1)->Sex, "M");
  ASSERT_EQ(back.CourseCount(), 1);
  EXPECT_EQ(back.CourseData("4")->ControlNum(3), 103);
}

TEST_F(Iof3WriterTest, ValidatesAgainstThePublishedSchema) {
  FillEvent(root);
  root.ClassData("M21")->LapData(1)->RunnerName = "Solo";  // an empty Given name
  root.AddClass("Empty");
  const std::string path = Save("valid.xml");
  EXPECT_EQ(Validate(path), path + " validates\n");

  // An event without a date: start times on the day the list is written, never on day 0.
  clsQuorvex2 undated;
  auto lap = undated.AddClass("M21")->AddLap();
  lap->RunnerName = "Early Eve";
  lap->StartTime.Value(0.25);
  lap->Result("0:30:00");
  const std::string undated_path = qxtest::TempPath("undated.xml");
  ASSERT_TRUE(undated.FileControl()->SaveLapFile(undated_path, QX_FILETYPE_IOF_XML_30_RESULT));
  EXPECT_EQ(Validate(undated_path), undated_path + " validates\n");
  pugi::xml_document doc;
  ASSERT_TRUE(doc.load_file(undated_path.c_str()));
  const std::string created = doc.child("ResultList").attribute("createTime").value();
  EXPECT_EQ(doc.select_node("//Result/StartTime").node().text().as_string(),
            created.substr(0, 10) + "T06:00:00");
  EXPECT_FALSE(doc.child("ResultList").child("Event").child("StartTime"));
}

// What a user gets from convert --to iof3: every runner of our IOF lists comes back as read,
// in a file the schema accepts, with a time only for those who have one.
TEST(Iof3RoundTrip, OurListsComeBackThroughIt) {
  const struct {
    const char* file;
    std::vector<std::string> untimed;  // runners without a Time element
  } cases[] = {
      {"individual-3.0.xml", {"Falk", "Gran", "Eklund"}},
      {"relay-2.0.3.xml", {"Fox"}},
      {"list-2.0.3.xml", {"114", "132"}},
  };
  for (const auto& row : cases) {
    clsQuorvex2 read;
    ASSERT_TRUE(read.FileControl()->LoadLapFile(qxtest::IofTestFile(row.file))) << row.file;
    const std::string path = qxtest::TempPath(std::string("round-") + row.file);
    ASSERT_TRUE(read.FileControl()->SaveLapFile(path, QX_FILETYPE_IOF_XML_30_RESULT));
    EXPECT_EQ(Validate(path), path + " validates\n");
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_file(path.c_str()));
    std::vector<std::string> untimed;
    for (const auto& node : doc.select_nodes("//PersonResult[not(Result/Time)]")) {
      untimed.push_back(node.node().child("Person").child("Name").child_value("Family"));
    }
    EXPECT_EQ(untimed, row.untimed) << row.file;
    clsQuorvex2 back;
    ASSERT_TRUE(back.FileControl()->LoadLapFile(path)) << back.ErrorComment();
    EXPECT_EQ(back.EventData()->TimeZone, read.EventData()->TimeZone);
    ExpectSameEvent(read, back);
  }
}

}  // namespace
}  // namespace quorvex2
