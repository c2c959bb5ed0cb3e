#pragma once
// One course: the control codes in running order.
#include <array>
#include <cstdint>

namespace quorvex2 {

class clsCourseData {
 public:
  static constexpr int32_t kMaxControls = 50;
  static constexpr int32_t kFinishCode = 9999;

  int32_t CourseIndex = 0;   // the course number
  int32_t ControlCount = 0;  // controls, finish not counted

  // Index 0 gives 0 (the start), 1..ControlCount the stored code, any index above ControlCount
  // 9999 (the finish). std::out_of_range for a negative index, or for one above 50 that is
  // still within ControlCount.
  int32_t ControlNum(int32_t Index) const;
  // Index 0..50; std::out_of_range otherwise.
  void ControlNum(int32_t Index, int32_t value);

 private:
  std::array<int32_t, kMaxControls + 1> codes_{};
};

}  // namespace quorvex2
