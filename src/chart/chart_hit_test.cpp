// Which runner the mouse points at: the nearest runner line or point within 6 units.
#include <algorithm>
#include <cmath>

#include "quorvex2/chart/chart_object.h"

namespace quorvex2 {
namespace {

constexpr float kPlotLeft = 52;
constexpr float kPlotTop = 50;
constexpr double kHitLimit = 6.0;

// Distance from (x, y) to the segment: to the foot of the perpendicular when it falls on the
// segment, else to the nearer end.
double DistanceToSegment(double x, double y, const clsChartLine& line) {
  const double dx = line.X2 - line.X1, dy = line.Y2 - line.Y1;
  const double length2 = dx * dx + dy * dy;
  double t = 0;
  if (length2 > 0) t = std::clamp(((x - line.X1) * dx + (y - line.Y1) * dy) / length2, 0.0, 1.0);
  return std::hypot(x - (line.X1 + t * dx), y - (line.Y1 + t * dy));
}

}  // namespace

int32_t clsChartObject::MousePointRunnerIndex(float X, float Y) const {
  const double x = std::clamp(X - kPlotLeft, 0.0f, std::max(width_, 0.0f));
  const double y = std::clamp(Y - kPlotTop, 0.0f, std::max(height_, 0.0f));
  double best = kHitLimit;
  int32_t result = 0;
  for (const CclsSort* list : {&segments_, &points_}) {
    for (const CclsSortLine& entry : list->LineSet()) {
      const auto line =
          std::static_pointer_cast<clsChartLine>(std::get<std::shared_ptr<void>>(entry.Item));
      const double d = DistanceToSegment(x, y, *line);
      if (d < best) {
        best = d;
        result = line->RunnerIndex;
      }
    }
  }
  return result;
}

}  // namespace quorvex2
