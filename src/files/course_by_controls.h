#pragma once
// Courses identified by their control sequence.
#include <cstdint>
#include <vector>

namespace quorvex2 {
class clsQuorvex2;
}

namespace quorvex2::detail {

// The number of the root's course with exactly these control codes, or of a new course with
// them numbered one above the highest (codes beyond the 50 a course holds are left out).
int32_t CourseNumberFor(clsQuorvex2& root, const std::vector<int32_t>& codes);

}  // namespace quorvex2::detail
