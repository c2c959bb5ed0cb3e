// Cumulative IOF split times turned into our leg times.
#include <cmath>

#include "files/iof_reading.h"

namespace quorvex2::detail {
namespace {

// Whole seconds, cut as results are cut (a hair of tolerance for binary fractions).
double WholeSeconds(double seconds) {
  return std::floor(seconds + 1e-6);
}

// Skipped legs with no later time become no data: nothing carries their time.
void ClearTrailingSkips(std::vector<Date>& legs) {
  for (auto it = legs.rbegin(); it != legs.rend() && *it <= 0; ++it) {
    if (*it == kTimeSkip) *it = kTimeNoData;
  }
}

}  // namespace

std::vector<Date> IofLegTimes(const std::vector<IofSplit>& splits, std::optional<double> finish) {
  std::vector<Date> legs;
  legs.reserve(splits.size() + 1);
  double previous = 0;
  for (const auto& split : splits) {
    const double at = split.seconds ? WholeSeconds(*split.seconds) : 0;
    if (split.missing) {
      legs.push_back(kTimeDisq);
    } else if (split.seconds && at > previous) {
      legs.push_back((at - previous) / 86400.0);
      previous = at;
    } else {
      legs.push_back(kTimeSkip);
    }
  }
  if (finish && WholeSeconds(*finish) > previous) {
    legs.push_back((WholeSeconds(*finish) - previous) / 86400.0);
  }
  ClearTrailingSkips(legs);
  return legs;
}

}  // namespace quorvex2::detail
