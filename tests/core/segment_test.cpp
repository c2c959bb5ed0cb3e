#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/detail/internal.h"
#include "quorvex2/core/root.h"

namespace quorvex2 {
namespace {

// A course with the given control codes (start and finish implied) and one class on it named
// after the course.
void PlaceCourse(clsQuorvex2& root, int32_t number, const std::vector<int32_t>& codes,
                 const std::vector<std::string>& classes) {
  auto course = root.AddCourse(number);
  course->ControlCount = static_cast<int32_t>(codes.size());
  for (size_t i = 0; i < codes.size(); ++i)
    course->ControlNum(static_cast<int32_t>(i + 1), codes[i]);
  for (const auto& name : classes) root.AddClass(name)->CourseNum = number;
}

struct Expected {
  std::string name;
  int32_t control_count;
  std::vector<std::string> classes;
};

void ExpectSegments(const clsQuorvex2& root, const std::vector<Expected>& expected) {
  ASSERT_EQ(root.SegmentCount(), static_cast<int32_t>(expected.size()));
  for (size_t i = 0; i < expected.size(); ++i) {
    const auto segment = root.SegmentData(static_cast<int32_t>(i + 1));
    EXPECT_EQ(segment->SegmentName(), expected[i].name);
    EXPECT_EQ(segment->ControlCount(), expected[i].control_count) << expected[i].name;
    EXPECT_EQ(segment->TargetClassList, expected[i].classes) << expected[i].name;
  }
}

TEST(MakeSegmentSet, TwoCoursesSharingTheStart) {
  clsQuorvex2 root;
  PlaceCourse(root, 1, {101, 102, 103}, {"M21", "M35"});
  PlaceCourse(root, 2, {101, 102, 104}, {"W21"});
  root.MakeSegmentSet();
  ExpectSegments(root, {{"S-101-102", 1, {"M21;1", "M35;1", "W21;1"}}});
}

TEST(MakeSegmentSet, OneSharedLegIsNoSegment) {
  clsQuorvex2 root;
  PlaceCourse(root, 1, {101, 102, 103}, {"M21"});
  PlaceCourse(root, 2, {105, 101, 102, 106}, {"W21"});
  root.MakeSegmentSet();
  EXPECT_EQ(root.SegmentCount(), 0);
}

TEST(MakeSegmentSet, StretchesFoundAtEveryAlignment) {
  // 101-102-103 lies two positions further along Long than along Short.
  clsQuorvex2 near;
  PlaceCourse(near, 1, {31, 32, 101, 102, 103, 36, 37, 38}, {"Long"});
  PlaceCourse(near, 2, {101, 102, 103}, {"Short"});
  near.MakeSegmentSet();
  ExpectSegments(near, {{"101-102-103", 1, {"Long;4", "Short;2"}}});

  // A shared run-in to the finish six positions further along Long than along Short, more than
  // Short's whole length: found whichever course comes first.
  for (const bool long_first : {true, false}) {
    clsQuorvex2 far;
    if (long_first) PlaceCourse(far, 1, {31, 32, 33, 34, 35, 36, 101, 102}, {"Long"});
    PlaceCourse(far, 2, {101, 102}, {"Short"});
    if (!long_first) PlaceCourse(far, 3, {31, 32, 33, 34, 35, 36, 101, 102}, {"Long"});
    far.MakeSegmentSet();
    const std::vector<std::string> classes = long_first
                                                 ? std::vector<std::string>{"Long;8", "Short;2"}
                                                 : std::vector<std::string>{"Short;2", "Long;8"};
    ExpectSegments(far, {{"101-102-F", 1, classes}});
  }
}

TEST(MakeSegmentSet, StartAndFinishCodesReplacedWithoutOverlap) {
  // Courses whose control codes were never set: every code inside is 0.
  clsQuorvex2 root;
  PlaceCourse(root, 1, {0, 0, 0}, {"A"});
  PlaceCourse(root, 2, {0, 0, 0}, {"B"});
  root.MakeSegmentSet();
  // "-0-0-0-" becomes "-S-0-S-": a replaced "-0-" does not lend its last dash to the next one.
  ExpectSegments(root, {{"S-0-S", 1, {"A;2", "B;1"}}, {"S-0-S-0-F", 3, {"A;1", "B;1"}}});
}

TEST(MakeSegmentSet, ThirdCourseJoinsTheExistingSegment) {
  clsQuorvex2 root;
  PlaceCourse(root, 1, {101, 102, 103}, {"A"});
  PlaceCourse(root, 2, {101, 102, 104}, {"B"});
  PlaceCourse(root, 3, {101, 102, 105}, {"C"});
  root.AddClass("Lost")->CourseNum = 9;  // a course number that no course has
  root.MakeSegmentSet();
  ExpectSegments(root, {{"S-101-102", 1, {"A;1", "B;1", "C;1"}}});
}

TEST(MakeSegmentSet, FourCoursesWithStretchesInTheMiddleAndAtTheFinish) {
  clsQuorvex2 root;
  PlaceCourse(root, 1, {101, 102, 103, 104}, {"A"});
  PlaceCourse(root, 2, {101, 102, 103, 200}, {"B"});
  PlaceCourse(root, 3, {300, 103, 104}, {"C"});
  PlaceCourse(root, 4, {400, 401}, {"D"});
  PlaceCourse(root, 5, {500, 501, 502, 503, 504}, {"E"});
  PlaceCourse(root, 6, {600, 501, 502, 503, 601}, {"F"});
  root.MakeSegmentSet();
  ExpectSegments(root, {{"S-101-102-103", 2, {"A;1", "B;1"}},
                        {"103-104-F", 1, {"A;4", "C;3"}},
                        {"501-502-503", 1, {"E;3", "F;3"}}});
}

TEST(MakeSegmentSet, RebuildStartsAfresh) {
  clsQuorvex2 root;
  PlaceCourse(root, 1, {101, 102, 103}, {"A"});
  PlaceCourse(root, 2, {101, 102, 104}, {"B"});
  root.MakeSegmentSet();
  root.MakeSegmentSet();
  EXPECT_EQ(root.SegmentCount(), 1);
  root.ClearCourse();
  EXPECT_EQ(root.SegmentCount(), 0);
}

void AddRunner(clsQuorvex2& root, const std::string& cls, const std::string& name,
               const std::string& sex, const std::vector<double>& legs) {
  auto runner = root.ClassData(cls)->AddLap();
  runner->RunnerName = name;
  runner->ClubName = name + " club";
  runner->Sex = sex;
  for (size_t i = 0; i < legs.size(); ++i) {
    runner->Lap(static_cast<int32_t>(i + 1))->Value(legs[i] > 0 ? legs[i] * kSecond : legs[i]);
  }
}

TEST(SegmentData, CutRunnersTakeTheLegsOfTheStretch) {
  clsQuorvex2 root;
  PlaceCourse(root, 1, {101, 102, 103, 104}, {"A"});
  PlaceCourse(root, 3, {300, 103, 104}, {"C"});
  AddRunner(root, "A", "a1", "M", {60, 60, 60, 100, 200});
  AddRunner(root, "A", "a2", "F", {60, 60, 60, 110, 210});
  AddRunner(root, "A", "a3", "M", {60, 60, 60, 120, QX_TIME_SKIP});
  AddRunner(root, "C", "c1", "M", {50, 50, 120, 130});
  root.MakeSegmentSet();
  ASSERT_EQ(root.SegmentCount(), 1);
  const auto segment = root.SegmentData(1);
  EXPECT_EQ(segment->DataSetName(""), "103-104-F");
  EXPECT_EQ(segment->DataSetName("M"), "103-104-F - M");

  const auto men = segment->CutRunners("M", detail::MakeInternal());
  ASSERT_EQ(men.size(), 3u);
  EXPECT_EQ(men[0]->RunnerName, "a1");
  EXPECT_EQ(men[0]->ClubName, "a1 club");
  EXPECT_EQ(men[0]->LegCount(), 2);
  EXPECT_EQ(men[0]->LapValue(1), 100 * kSecond);
  EXPECT_EQ(men[0]->LapValue(2), 200 * kSecond);
  EXPECT_EQ(men[0]->Result(), "0:05:00");
  EXPECT_EQ(men[1]->RunnerName, "a3");
  EXPECT_EQ(men[1]->LapValue(2), QX_TIME_SKIP);
  EXPECT_EQ(men[1]->Result(), "DISQ");
  EXPECT_EQ(men[2]->RunnerName, "c1");
  EXPECT_EQ(men[2]->Result(), "0:04:10");
  // The runners' own records are untouched.
  EXPECT_EQ(root.ClassData("A")->LapData(1)->LegCount(), 5);
  EXPECT_EQ(root.ClassData("A")->LapData(1)->Result(), "");

  EXPECT_EQ(segment->CutRunners("", detail::MakeInternal()).size(), 4u);
  EXPECT_TRUE(segment->CutRunners("X", detail::MakeInternal()).empty());
}

TEST(SegmentData, MissingLegsInsideTheStretchGiveDisq) {
  clsQuorvex2 root;
  PlaceCourse(root, 1, {101, 102, 103}, {"A"});
  PlaceCourse(root, 2, {101, 102, 104}, {"B"});
  AddRunner(root, "A", "no data", "", {60});  // leg 2 was never recorded
  AddRunner(root, "B", "mispunch", "", {QX_TIME_DISQ, 60});
  root.MakeSegmentSet();
  const auto runners = root.SegmentData(1)->CutRunners("", detail::MakeInternal());
  ASSERT_EQ(runners.size(), 2u);
  EXPECT_EQ(runners[0]->Result(), "DISQ");
  EXPECT_EQ(runners[0]->LegCount(), 2);
  EXPECT_EQ(runners[1]->Result(), "DISQ");
}

}  // namespace
}  // namespace quorvex2
