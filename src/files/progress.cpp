#include "files/detail/progress.h"

#include <cmath>
#include <utility>

namespace quorvex2::detail {

ProgressReporter::ProgressReporter(std::function<void(int32_t)> sink) : sink_(std::move(sink)) {}

ProgressReporter::~ProgressReporter() {
  try {
    if (started_) Finish();
  } catch (...) {
    // A throwing progress handler must not end the program from a destructor.
  }
}

void ProgressReporter::Start() {
  started_ = true;
  Percent(0);
}

void ProgressReporter::Step(double done, double total) {
  if (!(total > 0)) return;
  // nearbyint rounds halves to the even neighbour in the default rounding mode.
  Percent(static_cast<int32_t>(std::nearbyint(done / total * 100.0)));
}

void ProgressReporter::Percent(int32_t percent) {
  if (sink_) sink_(percent);
}

void ProgressReporter::Finish() {
  if (finished_) return;
  finished_ = true;
  Percent(100);
}

void ProgressReporter::Dismiss() {
  finished_ = true;
}

}  // namespace quorvex2::detail
