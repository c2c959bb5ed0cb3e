#include "files/course_by_controls.h"

#include <algorithm>

#include "quorvex2/core/course_data.h"
#include "quorvex2/core/root.h"

namespace quorvex2::detail {
namespace {

bool SameControls(const clsCourseData& course, const std::vector<int32_t>& codes) {
  if (course.ControlCount != static_cast<int32_t>(codes.size())) return false;
  for (size_t k = 0; k < codes.size(); ++k) {
    if (course.ControlNum(static_cast<int32_t>(k + 1)) != codes[k]) return false;
  }
  return true;
}

}  // namespace

int32_t CourseNumberFor(clsQuorvex2& root, const std::vector<int32_t>& all_codes,
                        int32_t preferred) {
  const size_t count = std::min<size_t>(all_codes.size(), clsCourseData::kMaxControls);
  const std::vector<int32_t> codes(all_codes.begin(), all_codes.begin() + count);
  int32_t highest = 0;
  for (int32_t i = 1; i <= root.CourseCount(); ++i) {
    const auto course = root.CourseData(i);
    if (SameControls(*course, codes)) return course->CourseIndex;
    highest = std::max(highest, course->CourseIndex);
  }
  const bool free = preferred > 0 && !root.IsCourseExists(preferred);
  const auto course = root.AddCourse(free ? preferred : highest + 1);
  course->ControlCount = static_cast<int32_t>(count);
  for (size_t k = 0; k < count; ++k) course->ControlNum(static_cast<int32_t>(k + 1), codes[k]);
  return course->CourseIndex;
}

}  // namespace quorvex2::detail
