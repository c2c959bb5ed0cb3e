#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "core/detail/component_state.h"
#include "core/detail/internal.h"
#include "quorvex2/core/root.h"

namespace quorvex2 {
namespace {

std::vector<std::string> ClassNames(const clsQuorvex2& root) {
  std::vector<std::string> names;
  for (int32_t i = 1; i <= root.ClassCount(); ++i) names.push_back(root.ClassData(i)->ClassName());
  return names;
}

void AddClasses(clsQuorvex2& root, const std::vector<std::string>& names) {
  for (const auto& name : names) root.AddClass(name);
}

TEST(Root, ClassesByNameAndPosition) {
  clsQuorvex2 root;
  auto m21 = root.AddClass("M21");
  EXPECT_EQ(root.AddClass("M21"), m21);
  EXPECT_EQ(root.ClassCount(), 1);
  auto w21 = root.AddClass("W21");
  EXPECT_EQ(root.ClassData(2), w21);
  EXPECT_EQ(root.ClassData("W21"), w21);
  EXPECT_EQ(root.ClassData("w21"), nullptr);
  EXPECT_EQ(root.ClassData("M99"), nullptr);
  EXPECT_EQ(root.ClassData(0), nullptr);
  EXPECT_EQ(root.ClassData(3), nullptr);
  EXPECT_TRUE(root.IsClassExists("M21"));
  root.RemoveClass("M99");
  root.RemoveClass("M21");
  EXPECT_EQ(root.ClassCount(), 1);
  EXPECT_FALSE(root.IsClassExists("M21"));
  EXPECT_EQ(root.ClassData(1), w21);
  EXPECT_NE(root.AddClass("M21"), m21);  // a new class after the removal
}

TEST(Root, LoadersAddExistingObjectsUnderFreeKeysOnly) {
  clsQuorvex2 root;
  const auto internal = detail::MakeInternal();
  auto cls = std::make_shared<clsClassData>();
  cls->SetClassName("H21", internal);
  EXPECT_TRUE(root.AddExistingClass(cls, internal));
  auto twin = std::make_shared<clsClassData>();
  twin->SetClassName("H21", internal);
  EXPECT_FALSE(root.AddExistingClass(twin, internal));
  EXPECT_EQ(root.ClassData("H21"), cls);
  auto course = std::make_shared<clsCourseData>();
  course->CourseIndex = 4;
  EXPECT_TRUE(root.AddExistingCourse(course, internal));
  EXPECT_FALSE(root.AddExistingCourse(std::make_shared<clsCourseData>(*course), internal));
  EXPECT_EQ(root.AddCourse(4), course);
  EXPECT_EQ(root.CourseCount(), 1);
}

TEST(Root, RenameKeepsPlaceAndRenamesRunners) {
  clsQuorvex2 root;
  AddClasses(root, {"A", "B", "C"});
  auto b = root.ClassData("B");
  auto runner = b->AddLap();
  EXPECT_TRUE(root.RenameClass("B", "M21<E>"));
  EXPECT_EQ(ClassNames(root), (std::vector<std::string>{"A", "M21<E>", "C"}));
  EXPECT_EQ(root.ClassData("M21<E>"), b);
  EXPECT_EQ(root.ClassData("B"), nullptr);
  EXPECT_EQ(b->FileName(), "m21e");
  EXPECT_EQ(runner->ClassName(), "M21<E>");
  // A name another class holds is refused and nothing changes.
  EXPECT_FALSE(root.RenameClass("A", "C"));
  EXPECT_EQ(ClassNames(root), (std::vector<std::string>{"A", "M21<E>", "C"}));
  EXPECT_NE(root.ClassData("A"), root.ClassData("C"));
  EXPECT_FALSE(root.RenameClass("Nobody", "D"));
  EXPECT_TRUE(root.RenameClass("A", "A"));
  EXPECT_EQ(root.ClassCount(), 3);
}

TEST(Root, CoursesByNumberTextAndPosition) {
  clsQuorvex2 root;
  auto two = root.AddCourse(2);
  auto seven = root.AddCourse(7);
  EXPECT_EQ(root.AddCourse(2), two);
  EXPECT_EQ(two->CourseIndex, 2);
  EXPECT_EQ(root.CourseData(2), seven);
  EXPECT_EQ(root.CourseData("2"), two);
  EXPECT_EQ(root.CourseData("3"), nullptr);
  EXPECT_EQ(root.CourseData(3), nullptr);
  EXPECT_TRUE(root.IsCourseExists(7));
  root.RemoveCourse(5);
  root.RemoveCourse(2);
  EXPECT_EQ(root.CourseCount(), 1);
  EXPECT_EQ(root.CourseData(1), seven);
  root.ClearCourse();
  EXPECT_EQ(root.CourseCount(), 0);
  EXPECT_FALSE(root.IsCourseExists(7));
}

void PlaceClass(clsQuorvex2& root, const std::string& name, int32_t course, int32_t runners) {
  auto cls = root.AddClass(name);
  cls->CourseNum = course;
  for (int32_t i = 0; i < runners; ++i) cls->AddLap();
}

// Shared courses follow the classes; A and C are the two
// classes of 40 and 25 runners on course 1 that give ",1,A/C,a_c,65".
TEST(ClassAndCourseList, SharedCoursesFollowTheClasses) {
  clsQuorvex2 root;
  PlaceClass(root, "A", 1, 40);
  PlaceClass(root, "B", 2, 3);
  PlaceClass(root, "C", 1, 25);
  EXPECT_EQ(root.ClassAndCourseList(),
            (std::vector<std::string>{"1,,A,a,40", "2,,B,b,3", "3,,C,c,25", ",1,A/C,a_c,65"}));
  PlaceClass(root, "D", 2, 4);
  PlaceClass(root, "E", 1, 5);
  PlaceClass(root, "F", 0, 6);  // no course
  PlaceClass(root, "G", 3, 7);  // a course of its own
  const std::vector<std::string> list = root.ClassAndCourseList();
  ASSERT_EQ(list.size(), 9u);
  EXPECT_EQ(list[5], "6,,F,f,6");
  EXPECT_EQ(list[7], ",2,B/D,b_d,7");  // an entry that grows moves behind
  EXPECT_EQ(list[8], ",1,A/C/E,a_c_e,70");
}

// An entry of the list read back as "name|index|course|file|count"; a number no 32-bit field can
// hold reads as none.
TEST(ClassAndCourseList, EntriesReadBack) {
  clsQuorvex2 root;
  const auto read = [&root](const std::string& entry) {
    std::string name = "x", file = "x";
    int32_t index = -1, course = -1, count = -1;
    root.SeparateClassAndCourseValue(entry, &name, &index, &course, &file, &count);
    return name + "|" + std::to_string(index) + "|" + std::to_string(course) + "|" + file + "|" +
           std::to_string(count);
  };
  EXPECT_EQ(read(",1,A/C,a_c,20"), "A/C|0|1|a_c|20");
  EXPECT_EQ(read("3,,M21A"), "M21A|3|0||0");
  EXPECT_EQ(read("12abc"), "|12|0||0");
  EXPECT_EQ(read("99999999999,1e20,,,-2147483648"), "|0|0||-2147483648");
}

TEST(SortClass, ListedPositionsFirstThenTheRest) {
  clsQuorvex2 root;
  AddClasses(root, {"A", "B", "C", "D"});
  root.SortClass("3,1");
  EXPECT_EQ(ClassNames(root), (std::vector<std::string>{"C", "A", "B", "D"}));
  EXPECT_EQ(root.ClassData("A")->ClassName(), "A");
  root.SortClass("");
  EXPECT_EQ(ClassNames(root), (std::vector<std::string>{"C", "A", "B", "D"}));
  root.SortClass(" 4 ,x,0,-2,4,,2");  // skipped numbers; a repeat is taken once
  EXPECT_EQ(ClassNames(root), (std::vector<std::string>{"D", "A", "C", "B"}));
  // A position above the class count changes nothing.
  EXPECT_THROW(root.SortClass("2,5"), std::out_of_range);
  EXPECT_EQ(ClassNames(root), (std::vector<std::string>{"D", "A", "C", "B"}));
  EXPECT_EQ(root.ClassData("B"), root.ClassData(4));
}

TEST(Root, ClearResetsTheEventButKeepsTheServices) {
  clsQuorvex2 root;
  auto files = root.FileControl();
  auto event = root.EventData();
  event->EventName = "Cup";
  root.FileName = "a.lxm";
  root.FileDate = 40000;
  // The file name and date are fields and properties at once.
  EXPECT_EQ(root.FileName(), "a.lxm");
  root.FileName("b.lxm");
  root.FileDate(root.FileDate() + 1);
  EXPECT_EQ(std::string(root.FileName), "b.lxm");
  EXPECT_EQ(root.FileDate, 40001);
  PlaceClass(root, "A", 1, 3);
  root.AddCourse(1);
  root.Clear();
  EXPECT_EQ(root.ClassCount(), 0);
  EXPECT_EQ(root.CourseCount(), 0);
  EXPECT_EQ(root.SegmentCount(), 0);
  EXPECT_NE(root.EventData(), event);
  EXPECT_EQ(root.EventData()->EventName, "");
  EXPECT_EQ(root.FileName, "");
  EXPECT_EQ(root.FileDate, 0);
  EXPECT_EQ(root.FileControl(), files);
  EXPECT_THROW(root.SegmentData(1), std::out_of_range);
  // Serial numbers start again at 1 and are shared by all classes.
  EXPECT_EQ(root.AddClass("B")->AddLap()->SerialNum(), 1);
  EXPECT_EQ(root.AddClass("C")->AddLap()->SerialNum(), 2);
  EXPECT_EQ(root.AddClass("B")->AddLap()->SerialNum(), 3);
}

TEST(Root, MostRecentRootIsCurrent) {
  auto first = std::make_unique<clsQuorvex2>();
  EXPECT_EQ(detail::CurrentRoot(), first.get());
  {
    clsQuorvex2 second;
    EXPECT_EQ(detail::CurrentRoot(), &second);
  }
  // The one made before it is current again.
  EXPECT_EQ(detail::CurrentRoot(), first.get());
  auto third = std::make_unique<clsQuorvex2>();
  first.reset();  // not the current one: leaves it alone
  EXPECT_EQ(detail::CurrentRoot(), third.get());
  third.reset();
  EXPECT_EQ(detail::CurrentRoot(), nullptr);
  // A root kept for the life of the process (a host's global object) is destroyed after the
  // thread's state: it must touch nothing that state freed.
  static clsQuorvex2 kept;
  EXPECT_EQ(detail::CurrentRoot(), &kept);
}

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
    EXPECT_EQ(segment->TargetClassList(), expected[i].classes) << expected[i].name;
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
    root.MakeSegmentSet();  // a rebuild starts afresh
    ExpectSegments(root, c.segments);
    root.ClearCourse();
    EXPECT_EQ(root.SegmentCount(), 0);
  }
}

}  // namespace
}  // namespace quorvex2
