#include <gtest/gtest.h>

#include <string>
#include <vector>

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

struct CourseRow {
  int32_t number;
  std::vector<int32_t> codes;
  std::vector<std::string> classes;
};

TEST(MakeSegmentSet, StretchesOfAtLeastThreeCodesTwoCoursesShare) {
  const std::vector<int32_t> long_course{31, 32, 33, 34, 35, 36, 101, 102};
  const struct {
    const char* name;
    std::vector<CourseRow> courses;
    std::vector<Expected> segments;
  } cases[] = {
      {"two courses sharing the start",
       {{1, {101, 102, 103}, {"M21", "M35"}}, {2, {101, 102, 104}, {"W21"}}},
       {{"S-101-102", 1, {"M21;1", "M35;1", "W21;1"}}}},
      {"one shared leg is no segment",
       {{1, {101, 102, 103}, {"M21"}}, {2, {105, 101, 102, 106}, {"W21"}}},
       {}},
      {"a stretch two positions further along one course",
       {{1, {31, 32, 101, 102, 103, 36, 37, 38}, {"Long"}}, {2, {101, 102, 103}, {"Short"}}},
       {{"101-102-103", 1, {"Long;4", "Short;2"}}}},
      // A run-in to the finish six positions further along Long, more than Short's whole
      // length: found whichever course comes first.
      {"far run-in, long course first",
       {{1, long_course, {"Long"}}, {2, {101, 102}, {"Short"}}},
       {{"101-102-F", 1, {"Long;8", "Short;2"}}}},
      {"far run-in, short course first",
       {{2, {101, 102}, {"Short"}}, {3, long_course, {"Long"}}},
       {{"101-102-F", 1, {"Short;2", "Long;8"}}}},
      // Codes never set are all 0: "-0-0-0-" becomes "-S-0-S-", a replaced "-0-" lending its
      // last dash to no other.
      {"start and finish codes replaced without overlap",
       {{1, {0, 0, 0}, {"A"}}, {2, {0, 0, 0}, {"B"}}},
       {{"S-0-S", 1, {"A;2", "B;1"}}, {"S-0-S-0-F", 3, {"A;1", "B;1"}}}},
      {"a third course joins the segment; a class without a course is left out",
       {{1, {101, 102, 103}, {"A"}},
        {2, {101, 102, 104}, {"B"}},
        {3, {101, 102, 105}, {"C"}},
        {9, {}, {}}},
       {{"S-101-102", 1, {"A;1", "B;1", "C;1"}}}},
      {"stretches in the middle and at the finish",
       {{1, {101, 102, 103, 104}, {"A"}},
        {2, {101, 102, 103, 200}, {"B"}},
        {3, {300, 103, 104}, {"C"}},
        {4, {400, 401}, {"D"}},
        {5, {500, 501, 502, 503, 504}, {"E"}},
        {6, {600, 501, 502, 503, 601}, {"F"}}},
       {{"S-101-102-103", 2, {"A;1", "B;1"}},
        {"103-104-F", 1, {"A;4", "C;3"}},
        {"501-502-503", 1, {"E;3", "F;3"}}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    clsQuorvex2 root;
    for (const auto& course : c.courses) {
      if (course.codes.empty()) {
        root.AddClass("Lost")->CourseNum = course.number;  // a number no course has
      } else {
        PlaceCourse(root, course.number, course.codes, course.classes);
      }
    }
    root.MakeSegmentSet();
    ExpectSegments(root, c.segments);
  }
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

}  // namespace
}  // namespace quorvex2
