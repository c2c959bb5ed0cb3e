// The class-and-course list that the host shows for choosing a data set, and reading its
// entries back.
#include <fmt/format.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "quorvex2/core/root.h"
#include "quorvex2/core/sort.h"
#include "quorvex2/core/text.h"

namespace quorvex2 {
namespace {

struct CourseEntry {
  int32_t course_num = 0;
  std::string names;
  std::string file_names;
  int32_t runner_count = 0;

  // Shared by two or more classes.
  bool IsShared() const {
    return names.find('/') != std::string::npos && file_names.find('_') != std::string::npos;
  }
  std::string Text() const {
    return fmt::format(",{},{},{},{}", course_num, names, file_names, runner_count);
  }
};

std::string ClassEntry(int32_t position, const clsClassData& cls) {
  return fmt::format("{},,{},{},{}", position, cls.ClassName(), cls.FileName(), cls.LapCount());
}

// The first class of a course makes its entry; each further class extends it and the
// extended entry moves behind all others.
void GatherCourse(std::vector<CourseEntry>& entries, const clsClassData& cls) {
  const auto at = std::find_if(entries.begin(), entries.end(), [&](const CourseEntry& entry) {
    return entry.course_num == cls.CourseNum;
  });
  if (at == entries.end()) {
    entries.push_back({cls.CourseNum, cls.ClassName(), cls.FileName(), cls.LapCount()});
    return;
  }
  CourseEntry extended = *at;
  entries.erase(at);
  extended.names += "/" + cls.ClassName();
  extended.file_names += "_" + cls.FileName();
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

std::vector<std::string> clsQuorvex2::ClassAndCourseList() const {
  std::vector<std::string> list;
  std::vector<CourseEntry> course_entries;
  for (int32_t i = 1; i <= ClassCount(); ++i) {
    const clsClassData& cls = *ClassData(i);
    list.push_back(ClassEntry(i, cls));
    if (cls.CourseNum != 0) GatherCourse(course_entries, cls);
  }
  for (const CourseEntry& entry : course_entries) {
    if (entry.IsShared()) list.push_back(entry.Text());
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
