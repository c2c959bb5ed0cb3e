// The class-and-course list that the host shows for choosing a data set, and reading its
// entries back.
#include <fmt/format.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>

#include "core/detail/class_and_course_entries.h"
#include "quorvex2/core/root.h"
#include "quorvex2/core/sort.h"
#include "quorvex2/core/text.h"

namespace quorvex2 {
namespace {

using detail::ClassAndCourseEntry;

// Shared by two or more classes.
bool IsShared(const ClassAndCourseEntry& entry) {
  return entry.name.find('/') != std::string::npos &&
         entry.file_name.find('_') != std::string::npos;
}

std::string Text(const ClassAndCourseEntry& entry) {
  const std::string class_index = entry.class_index > 0 ? std::to_string(entry.class_index) : "";
  const std::string course_num = entry.class_index > 0 ? "" : std::to_string(entry.course_num);
  return fmt::format("{},{},{},{},{}", class_index, course_num, entry.name, entry.file_name,
                     entry.runner_count);
}

// The first class of a course makes its entry; each further class extends it and the
// extended entry moves behind all others.
void GatherCourse(std::vector<ClassAndCourseEntry>& entries, const clsClassData& cls) {
  const auto at = std::find_if(entries.begin(), entries.end(), [&](const auto& entry) {
    return entry.course_num == cls.CourseNum;
  });
  if (at == entries.end()) {
    entries.push_back({0, cls.CourseNum, cls.ClassName(), cls.FileName(), cls.LapCount()});
    return;
  }
  ClassAndCourseEntry extended = *at;
  entries.erase(at);
  extended.name += "/" + cls.ClassName();
  extended.file_name += "_" + cls.FileName();
  extended.runner_count += cls.LapCount();
  entries.push_back(std::move(extended));
}

// The leading number of the field, whole part; 0 when there is none or it does not fit.
int32_t FieldNumber(const CclsSplit& split, int32_t index) {
  const double number = std::trunc(LeadingNumber(split.Value(index)));
  if (!(number >= INT32_MIN && number <= INT32_MAX)) return 0;
  return static_cast<int32_t>(number);
}

}  // namespace

namespace detail {

std::vector<ClassAndCourseEntry> ClassAndCourseEntries(const clsQuorvex2& root) {
  std::vector<ClassAndCourseEntry> entries, course_entries;
  for (int32_t i = 1; i <= root.ClassCount(); ++i) {
    const clsClassData& cls = *root.ClassData(i);
    entries.push_back({i, 0, cls.ClassName(), cls.FileName(), cls.LapCount()});
    if (cls.CourseNum != 0) GatherCourse(course_entries, cls);
  }
  std::copy_if(course_entries.begin(), course_entries.end(), std::back_inserter(entries), IsShared);
  return entries;
}

}  // namespace detail

std::vector<std::string> clsQuorvex2::ClassAndCourseList() const {
  std::vector<std::string> list;
  for (const ClassAndCourseEntry& entry : detail::ClassAndCourseEntries(*this)) {
    list.push_back(Text(entry));
  }
  return list;
}

void clsQuorvex2::SeparateClassAndCourseValue(const std::string& Expression, std::string* ValueName,
                                              int32_t* ClassIndex, int32_t* CourseNum,
                                              std::string* FileName, int32_t* RunnerCount) const {
  CclsSplit split;
  split.Expression(",", Expression);
  if (ClassIndex) *ClassIndex = FieldNumber(split, 0);
  if (CourseNum) *CourseNum = FieldNumber(split, 1);
  if (ValueName) *ValueName = split.Value(2);
  if (FileName) *FileName = split.Value(3);
  if (RunnerCount) *RunnerCount = FieldNumber(split, 4);
}

}  // namespace quorvex2
