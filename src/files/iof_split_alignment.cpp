// A runner's IOF splits placed on the controls of his class's course by their codes.
#include <algorithm>

#include "files/code_sequences.h"
#include "files/iof_reader_parts.h"
#include "files/iof_reading.h"

namespace quorvex2::detail {
namespace {

std::vector<int32_t> CodesOf(const std::vector<IofSplit>& splits) {
  std::vector<int32_t> codes;
  codes.reserve(splits.size());
  for (const auto& split : splits) codes.push_back(IofFileNumber(split.code));
  return codes;
}

// Code 0 (no code, or none we can read) stands for a control the runner's list leaves open.
bool AgreesSoFar(const std::vector<int32_t>& codes, const std::vector<int32_t>& course) {
  if (codes.size() > course.size()) return false;
  for (size_t k = 0; k < codes.size(); ++k) {
    if (codes[k] != 0 && codes[k] != course[k]) return false;
  }
  return true;
}

// Each control of the course takes the runner's next split when that is its split; a control
// he missed gets one without a time. With `pass_over` (his codes hold the course's), the
// punches before the control's are extra and passed over.
std::vector<IofSplit> OnTheCourse(const std::vector<IofSplit>& splits,
                                  const std::vector<int32_t>& codes,
                                  const std::vector<int32_t>& course, bool pass_over) {
  std::vector<IofSplit> placed;
  placed.reserve(course.size());
  size_t next = 0;
  for (int32_t control : course) {
    while (pass_over && codes[next] != control) ++next;
    if (next < codes.size() && codes[next] == control) {
      placed.push_back(splits[next++]);
    } else {
      placed.push_back({std::to_string(control), std::nullopt, false});
    }
  }
  return placed;
}

}  // namespace

std::vector<IofSplit> IofSplitsOnSharedControls(const std::vector<IofSplit>& splits,
                                                const std::vector<int32_t>& course) {
  const std::vector<std::optional<size_t>> punches = PunchesOnCourse(course, CodesOf(splits));
  std::vector<IofSplit> placed;
  placed.reserve(course.size());
  for (size_t k = 0; k < course.size(); ++k) {
    if (punches[k]) {
      placed.push_back(splits[*punches[k]]);
    } else {
      placed.push_back({std::to_string(course[k]), std::nullopt, false});
    }
  }
  return placed;
}

IofAlignedSplits IofAlignSplits(const std::vector<IofSplit>& splits,
                                const std::vector<int32_t>& course) {
  const std::vector<int32_t> codes = CodesOf(splits);
  const bool coded = std::find(codes.begin(), codes.end(), 0) == codes.end();
  if (course.empty() || !coded || codes == course) {
    return {splits, course.empty() || AgreesSoFar(codes, course)};
  }
  if (codes.size() < course.size() && IsPartOf(codes, course)) {
    return {OnTheCourse(splits, codes, course, false), true};
  }
  if (codes.size() > course.size() && IsPartOf(course, codes)) {
    return {OnTheCourse(splits, codes, course, true), true};
  }
  return {splits, false};
}

}  // namespace quorvex2::detail
