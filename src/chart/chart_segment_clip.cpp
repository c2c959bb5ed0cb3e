// Runner segments are clipped to the plot area before they are kept. Polylines run downwards
// through the controls and rightwards in time, so only a start above or left of the area and an
// end below or right of it are cut; the flags tell where the visible part meets an edge, which
// is where the runner's name is written.
#include <optional>

#include "quorvex2/chart/chart_object.h"

namespace quorvex2 {
namespace {

struct Point {
  float x, y;
};

// Where the line through a and b meets y = c, and x = c.
float CrossHorizontal(Point a, Point b, float c) {
  return (a.x - b.x) / (a.y - b.y) * (c - b.y) + b.x;
}
float CrossVertical(Point a, Point b, float c) {
  return (a.y - b.y) / (a.x - b.x) * (c - b.x) + b.y;
}

struct ClippedEnd {
  Point point;
  int32_t flag;
};

// The start moved onto the top or left edge; nothing when the segment misses the area.
std::optional<ClippedEnd> ClipStart(Point a, Point b, float width, float height) {
  if (a.x == 0 && a.y == 0) return ClippedEnd{a, clsChartLine::kClipTop};
  if (a.x >= 0 && a.y >= 0) return ClippedEnd{a, 0};
  if (a.y < 0) {
    const float x = CrossHorizontal(a, b, 0);
    if (x >= 0 && x < width) return ClippedEnd{{x, 0}, clsChartLine::kClipTop};
    if (a.x >= 0) return std::nullopt;
  }
  const float y = CrossVertical(a, b, 0);
  if (y >= 0 && y < height) return ClippedEnd{{0, y}, clsChartLine::kClipLeft};
  return std::nullopt;
}

// The end moved onto the bottom or right edge; nothing when the crossing lies outside.
std::optional<ClippedEnd> ClipEnd(Point a, Point b, float width, float height) {
  if (b.x < width && b.y < height) return ClippedEnd{b, 0};
  if (b.y >= height) {
    const float x = CrossHorizontal(a, b, height);
    if (x >= 0 && x <= width) return ClippedEnd{{x, height}, clsChartLine::kClipBottom};
    if (b.x < width) return std::nullopt;
  }
  const float y = CrossVertical(a, b, width);
  if (y >= 0 && y <= height) return ClippedEnd{{width, y}, clsChartLine::kClipRight};
  return std::nullopt;
}

}  // namespace

void clsChartObject::AddRunnerSegment(float X1, float Y1, float X2, float Y2, int32_t RunnerIndex,
                                      detail::Internal) {
  if (!((X1 >= 0 || X2 >= 0) && (Y1 >= 0 || Y2 >= 0))) return;
  if ((X1 >= width_ && X2 >= width_) || (Y1 >= height_ && Y2 >= height_)) return;
  if (X1 >= 0 && Y1 >= 0 && X2 < width_ && Y2 < height_) {
    AddSegmentLine(clsChartLine{X1, Y1, X2, Y2, RunnerIndex, 0, 0});
    return;
  }
  const Point a{X1, Y1}, b{X2, Y2};
  const auto start = ClipStart(a, b, width_, height_);
  if (!start) return;
  const auto end = ClipEnd(start->point, b, width_, height_);
  if (!end) return;
  AddSegmentLine(clsChartLine{start->point.x, start->point.y, end->point.x, end->point.y,
                              RunnerIndex, 0, start->flag | end->flag});
}

}  // namespace quorvex2
