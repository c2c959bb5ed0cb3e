// The IOF XML 2.0.3 ResultList: element content, statuses, times, courses and split times,
// and the official DTD's verdict on what we write.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>

#include <pugixml.hpp>

#include "files/files_test_support.h"
#include "quorvex2/core/format.h"
#include "quorvex2/core/root.h"
#include "quorvex2/files/file_control.h"

namespace quorvex2 {
namespace {

constexpr Date kSec = 1.0 / 86400.0;

class IofWriterTest : public ::testing::Test {
 protected:
  clsQuorvex2 root;
  pugi::xml_document doc;

  std::shared_ptr<clsLapData> Runner(const std::string& class_name, const std::string& name,
                                     const std::string& result, std::initializer_list<Date> legs) {
    auto lap = root.AddClass(class_name)->AddLap();
    lap->RunnerName = name;
    lap->Result(result);
    int32_t k = 0;
    for (Date leg : legs) lap->Lap(++k)->Value(leg);
    return lap;
  }

  void BuildEvent() {
    root.EventData()->EventName = "Spring & Cup";
    root.EventData()->EventDate.Value(MakeDate(2026, 5, 18));
    root.MetaData()->LastUpdateDate = MakeDate(2026, 5, 19, 8, 30, 5);
    auto course = root.AddCourse(5);
    course->ControlCount = 2;
    course->ControlNum(1, 101);
    course->ControlNum(2, 102);
    auto m21 = root.AddClass("M21");
    m21->CourseNum = 5;
    m21->ControlCount = 2;
    m21->Length = 4200;
    auto first =
        Runner("M21", "山田\u3000太郎", "1:15:03", {1000 * kSec, 2000 * kSec, 1503 * kSec});
    first->Sex = "男";
    first->ClubName = "東京OLC";
    first->ID = 12;
    first->Ecard = 345678;
    first->Rank = "1";
    first->StartTime.Value(MakeDate(1899, 12, 30, 10, 0, 0));
    Runner("M21", "Berg Anna Maria", "DNF", {60 * kSec, QX_TIME_DISQ})->Sex = "f";
    Runner("M21", "Solo", "", {60 * kSec, QX_TIME_DISQ, 120 * kSec});
    Runner("M21", "Late", "DNS", {});
    Runner("M21", "Guest", "1:20:00", {4800 * kSec})->Rank = "OP";
    Runner("M21", "Slow", "1:30:00", {5400 * kSec})->Rank = "(5)";
    auto m21b = root.AddClass("M21B");  // the last class of course 5 gives length and climb
    m21b->CourseNum = 5;
    m21b->Length = 4300;
    m21b->Climb = 155;
    root.AddClass("W21")->CourseNum = 9;  // no such course
    Runner("W21", "Eve", "0:40:00", {1200 * kSec, QX_TIME_SKIP, 1200 * kSec});
    Runner("W21", "Ida", "", {});
    // Still out: no result, and legs that stop before the finish.
    Runner("M21", "Out", "", {60 * kSec, 70 * kSec})->StartTime.Value(0.5);
  }

  std::string Save() {
    const std::string path = qxtest::TempPath("results.xml");
    EXPECT_TRUE(root.FileControl()->SaveLapFile(path));  // ".xml" saves as IOF
    EXPECT_TRUE(doc.load_file(path.c_str()));
    return path;
  }

  pugi::xml_node Person(const std::string& family) {
    return doc.select_node(("//PersonResult[Person/PersonName/Family='" + family + "']").c_str())
        .node();
  }
  std::string Text(pugi::xml_node node, const char* path) {
    return node.select_node(path).node().text().as_string();
  }
};

TEST_F(IofWriterTest, EventAndRunnerElements) {
  BuildEvent();
  Save();
  auto list = doc.child("ResultList");
  EXPECT_STREQ(list.attribute("status").value(), "complete");
  EXPECT_STREQ(list.child("IOFVersion").attribute("version").value(), "2.0.3");
  EXPECT_EQ(Text(list, "Event/Name"), "Spring & Cup");
  EXPECT_EQ(Text(list, "Event/StartDate/Date"), "2026-05-18");
  EXPECT_FALSE(list.child("Event").child("WebURL"));
  EXPECT_EQ(Text(list, "ModifyDate/Date"), "2026-05-19");
  EXPECT_EQ(Text(list, "ModifyDate/Clock"), "08:30:05");

  auto first = Person("山田");
  ASSERT_TRUE(first);
  EXPECT_EQ(Text(first, "Person/PersonName/Given"), "太郎");
  EXPECT_STREQ(first.child("Person").attribute("sex").value(), "M");
  EXPECT_EQ(Text(first, "Club/ShortName"), "東京OLC");
  EXPECT_EQ(Text(first, "Result/StartNumber"), "12");
  EXPECT_EQ(Text(first, "Result/CCardId"), "345678");
  EXPECT_EQ(Text(first, "Result/StartTime/Clock"), "10:00:00");
  EXPECT_EQ(Text(first, "Result/FinishTime/Clock"), "11:15:03");
  EXPECT_EQ(Text(first, "Result/Time"), "75:03");
  EXPECT_EQ(Text(first, "Result/ResultPosition"), "1");

  auto berg = Person("Berg");
  EXPECT_EQ(Text(berg, "Person/PersonName/Given"), "Anna");
  EXPECT_STREQ(berg.child("Person").attribute("sex").value(), "F");
  EXPECT_FALSE(berg.child("Result").child("StartTime"));
  EXPECT_FALSE(berg.child("Result").child("StartNumber"));
  EXPECT_EQ(Text(Person("Solo"), "Person/PersonName/Given"), "");
  EXPECT_FALSE(Person("Solo").child("Person").attribute("sex"));
}

TEST_F(IofWriterTest, StatusesAndTotals) {
  BuildEvent();
  Save();
  auto status = [&](const std::string& family) {
    return std::string(
        Person(family).child("Result").child("CompetitorStatus").attribute("value").value());
  };
  EXPECT_EQ(status("山田"), "OK");
  EXPECT_EQ(status("Berg"), "Disqualified");
  EXPECT_EQ(status("Late"), "Inactive");
  EXPECT_EQ(status("Guest"), "NotCompeting");
  EXPECT_EQ(status("Slow"), "OverTime");
  EXPECT_EQ(status("Solo"), "Disqualified");  // no result, a missing punch among the legs
  EXPECT_EQ(status("Ida"), "OK");             // no result, no missing punch
  EXPECT_EQ(Text(Person("Solo"), "Result/Time"), "3:00");  // the positive legs
  EXPECT_EQ(Text(Person("Late"), "Result/Time"), "0:00");
  // A runner without a result gets only the times he has: none when he has no finish.
  for (const char* family : {"Out", "Ida"}) {
    EXPECT_FALSE(Person(family).child("Result").child("Time")) << family;
    EXPECT_FALSE(Person(family).child("Result").child("FinishTime")) << family;
  }
  EXPECT_EQ(Text(Person("Out"), "Result/StartTime/Clock"), "12:00:00");
  // Runners without a result text come after the others.
  auto m21 = doc.select_node("//ClassResult[ClassShortName='M21']").node();
  EXPECT_EQ(Text(m21, "PersonResult[1]/Person/PersonName/Family"), "山田");
  EXPECT_EQ(Text(m21, "PersonResult[last()]/Person/PersonName/Family"), "Out");
}

TEST_F(IofWriterTest, CoursesAndSplitTimes) {
  BuildEvent();
  Save();
  auto first = Person("山田").child("Result");
  EXPECT_EQ(Text(first, "CourseVariation/CourseVariationId"), "5");
  EXPECT_EQ(Text(first, "CourseVariation/CourseLength"), "4300");
  EXPECT_EQ(Text(first, "CourseVariation/CourseClimb"), "155");
  EXPECT_EQ(Text(first, "CourseVariation/CourseControl[2]/ControlCode"), "102");
  EXPECT_EQ(first.select_nodes("SplitTime").size(), 3u);
  EXPECT_EQ(Text(first, "SplitTime[@sequence='1']/ControlCode"), "101");
  EXPECT_EQ(Text(first, "SplitTime[@sequence='2']/Time"), "50:00");
  EXPECT_FALSE(first.select_node("SplitTime[@sequence='3']/ControlCode"));  // the finish
  EXPECT_EQ(Text(first, "SplitTime[@sequence='3']/Time"), "75:03");
  // Later runners of the class name the course only; runners without legs not at all.
  EXPECT_EQ(Text(Person("Berg"), "Result/CourseVariationId"), "5");
  EXPECT_FALSE(Person("Berg").child("Result").child("CourseVariation"));
  EXPECT_FALSE(Person("Late").child("Result").child("CourseVariationId"));
  // A class without a course: splits without control codes, no course variation.
  auto eve = Person("Eve").child("Result");
  EXPECT_FALSE(eve.child("CourseVariation"));
  EXPECT_FALSE(eve.child("CourseVariationId"));
  EXPECT_EQ(eve.select_nodes("SplitTime").size(), 2u);  // the skipped leg has no split
  EXPECT_FALSE(eve.select_node("SplitTime/ControlCode"));
  EXPECT_EQ(Text(eve, "SplitTime[@sequence='2']/Time"), "40:00");
}

TEST_F(IofWriterTest, OnlyTheClubCountryDeviatesFromTheDtd) {
  BuildEvent();
  root.EventData()->OfficialSite = "http://example.org/";
  const std::string path = Save();
  const std::string dtd = qxtest::IofTestFile("IOFdata.dtd");
  const std::string output =
      qxtest::RunCommand("xmllint --noout --dtdvalid '" + dtd + "' '" + path + "' 2>&1");
  std::istringstream lines(output);
  int club_errors = 0;
  for (std::string line; std::getline(lines, line);) {
    if (line.find("error") == std::string::npos) continue;
    EXPECT_NE(line.find("Element Club content does not follow the DTD"), std::string::npos) << line;
    ++club_errors;
  }
  EXPECT_EQ(club_errors, static_cast<int>(doc.select_nodes("//PersonResult").size())) << output;
}

}  // namespace
}  // namespace quorvex2
