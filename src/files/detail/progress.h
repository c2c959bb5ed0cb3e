#pragma once
// Progress of a reader: Progress(0) at its start, the rounded percentage (halves to even) per
// unit of work, Progress(100) on every way out once started (the destructor guarantees it). A
// reader that gives up before it starts raises nothing, unless its failure path says so.
#include <cstdint>
#include <functional>

namespace quorvex2::detail {

class ProgressReporter {
 public:
  explicit ProgressReporter(std::function<void(int32_t)> sink);
  ~ProgressReporter();  // raises 100 when started, unless Finish() already did
  ProgressReporter(const ProgressReporter&) = delete;
  ProgressReporter& operator=(const ProgressReporter&) = delete;

  void Start();                          // raises 0
  void Step(double done, double total);  // raises round-half-even(done / total * 100)
  void Percent(int32_t percent);         // raises percent as given
  void Finish();                         // raises 100 once
  void Dismiss();                        // ends without raising 100 (no window was shown)

 private:
  std::function<void(int32_t)> sink_;
  bool started_ = false;
  bool finished_ = false;
};

}  // namespace quorvex2::detail
