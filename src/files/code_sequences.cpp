#include "files/code_sequences.h"

#include <algorithm>

namespace quorvex2::detail {

bool IsPartOf(const std::vector<int32_t>& part, const std::vector<int32_t>& whole) {
  auto at = whole.begin();
  for (int32_t code : part) {
    at = std::find(at, whole.end(), code);
    if (at == whole.end()) return false;
    ++at;
  }
  return true;
}

namespace {

// matched[i][j]: the most controls from the i-th on that punches from the j-th on can answer.
std::vector<std::vector<size_t>> MostMatched(const std::vector<int32_t>& course,
                                             const std::vector<int32_t>& punches) {
  std::vector<std::vector<size_t>> matched(course.size() + 1,
                                           std::vector<size_t>(punches.size() + 1, 0));
  for (size_t i = course.size(); i-- > 0;) {
    for (size_t j = punches.size(); j-- > 0;) {
      matched[i][j] = course[i] == punches[j] ? matched[i + 1][j + 1] + 1
                                              : std::max(matched[i + 1][j], matched[i][j + 1]);
    }
  }
  return matched;
}

}  // namespace

std::vector<std::optional<size_t>> PunchesOnCourse(const std::vector<int32_t>& course,
                                                   const std::vector<int32_t>& punches) {
  const auto matched = MostMatched(course, punches);
  std::vector<std::optional<size_t>> taken(course.size());
  size_t i = 0, j = 0;
  while (i < course.size() && j < punches.size()) {
    if (course[i] == punches[j]) {
      taken[i++] = j++;
    } else if (matched[i][j + 1] >= matched[i + 1][j]) {
      ++j;  // a punch of no control here
    } else {
      ++i;  // a control missed
    }
  }
  return taken;
}

}  // namespace quorvex2::detail
