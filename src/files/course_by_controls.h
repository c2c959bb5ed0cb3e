#pragma once
// Courses identified by their control sequence.
#include <cstdint>
#include <vector>

namespace quorvex2 {
class clsQuorvex2;
}

namespace quorvex2::detail {

// The number of the root's course with exactly these control codes, or of a new course with
// them, numbered `preferred` when that number is free and positive, else one above the highest
// (codes beyond the 50 a course holds are left out).
int32_t CourseNumberFor(clsQuorvex2& root, const std::vector<int32_t>& codes,
                        int32_t preferred = 0);

}  // namespace quorvex2::detail
