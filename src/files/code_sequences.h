#pragma once
// Control codes in running order: whether one list is run within another, and which punch of a
// runner answers which control of a course.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace quorvex2::detail {

// Whether `part` can be had from `whole` by leaving codes out.
bool IsPartOf(const std::vector<int32_t>& part, const std::vector<int32_t>& whole);

// For each control of the course, the position of the punch taken for it, nothing for a control
// missed: as many controls as can be are matched in order (a control visited twice, a punch
// doubled or a wrong control on the way moves no other), the earliest punch where several fit.
std::vector<std::optional<size_t>> PunchesOnCourse(const std::vector<int32_t>& course,
                                                   const std::vector<int32_t>& punches);

}  // namespace quorvex2::detail
