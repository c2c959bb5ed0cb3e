#include "quorvex2/core/course_data.h"

#include <stdexcept>
#include <string>

namespace quorvex2 {
namespace {

[[noreturn]] void ThrowControlIndex(int32_t Index) {
  throw std::out_of_range("clsCourseData.ControlNum: index " + std::to_string(Index) +
                          " outside 0.." + std::to_string(clsCourseData::kMaxControls));
}

}  // namespace

int32_t clsCourseData::ControlNum(int32_t Index) const {
  if (Index == 0) return 0;
  if (Index > ControlCount) return kFinishCode;
  if (Index < 0 || Index > kMaxControls) ThrowControlIndex(Index);
  return codes_[static_cast<size_t>(Index)];
}

void clsCourseData::ControlNum(int32_t Index, int32_t value) {
  if (Index < 0 || Index > kMaxControls) ThrowControlIndex(Index);
  codes_[static_cast<size_t>(Index)] = value;
}

}  // namespace quorvex2
