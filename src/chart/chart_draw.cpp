// Rendering a laid-out chart: grid, the halos of highlighted runners, the runners in two
// passes (highlighted ones on top) with their names where their lines leave the plot, the axis
// labels and the frame. The plot origin is drawn at (52, 50).
#include <stdexcept>
#include <string>

#include "core/detail/utf8.h"
#include "quorvex2/analysis/analyzer.h"
#include "quorvex2/chart/chart_object.h"
#include "quorvex2/chart/chart_wrapper.h"
#include "quorvex2/core/text.h"

namespace quorvex2 {
namespace {

constexpr float kLeft = 52;
constexpr float kTop = 50;
constexpr int32_t kHighlighted = 1;
constexpr size_t kNameLength = 3;

std::vector<std::shared_ptr<clsChartLine>> Lines(const CclsSort& list) {
  std::vector<std::shared_ptr<clsChartLine>> lines;
  lines.reserve(static_cast<size_t>(list.Count()));
  for (const CclsSortLine& entry : list.LineSet()) {
    lines.push_back(
        std::static_pointer_cast<clsChartLine>(std::get<std::shared_ptr<void>>(entry.Item)));
  }
  return lines;
}

// The first three characters of the runner's name without spaces, one text per character.
std::vector<std::string> NameCharacters(const clsAnalyzer& analyzer, int32_t runner_index) {
  const auto runner = analyzer.Item(runner_index);
  if (!runner) {
    throw std::out_of_range("clsChartObject.DrawChart: no runner " + std::to_string(runner_index));
  }
  const std::u32string name = detail::ToU32(MakeNameKey(runner->RunnerName()));
  std::vector<std::string> characters;
  for (size_t i = 0; i < name.size() && i < kNameLength; ++i) {
    characters.push_back(detail::FromU32(name.substr(i, 1)));
  }
  return characters;
}

std::string Joined(const std::vector<std::string>& characters) {
  std::string text;
  for (const auto& c : characters) text += c;
  return text;
}

class ChartPainter {
 public:
  ChartPainter(const clsChartObject& chart, clsChartWrapper& surface)
      : chart_(chart), s_(surface) {}

  void Paint() {
    s_.DrawWidth(1);
    th_ = s_.TextHeight("　");
    PaintGrid();
    PaintBackLines();
    s_.FontSize(9);
    s_.FillStyle(1);
    for (int32_t pass = 0; pass <= 1; ++pass) {
      PaintSegments(pass);
      PaintPoints(pass);
      s_.FontSize(9);
      s_.FillStyle(1);
    }
    s_.DrawWidth(1);
    s_.ForeColor(0);
    PaintLabels();
    s_.ForeColor(0);
    s_.DrawBox(kLeft, kTop, chart_.Width() + kLeft, chart_.Height() + kTop);
    s_.EndDraw();
  }

 private:
  void PaintGrid() {
    for (const clsChartLine& line : chart_.GridList()) {
      s_.ForeColor(line.Color);
      DrawLine(line);
    }
  }

  void DrawLine(const clsChartLine& line) {
    s_.DrawLine(line.X1 + kLeft, line.Y1 + kTop, line.X2 + kLeft, line.Y2 + kTop);
  }

  // Halos of highlighted runners with a back-line width, lines first, then points.
  void PaintBackLines() {
    for (auto it = segments_.rbegin(); it != segments_.rend(); ++it) {
      int32_t color = 0, width = 0;
      if (!BackLine((*it)->RunnerIndex, color, width)) continue;
      s_.ForeColor(color);
      s_.DrawWidth(static_cast<float>(width));
      DrawLine(**it);
    }
    s_.FillStyle(0);
    for (auto it = points_.rbegin(); it != points_.rend(); ++it) {
      int32_t color = 0, width = 0;
      if (!BackLine((*it)->RunnerIndex, color, width)) continue;
      s_.ForeColor(color);
      s_.FillColor(color);
      s_.DrawCircle((*it)->X1 + kLeft, (*it)->Y1 + kTop, static_cast<float>(width + 1));
    }
  }

  bool BackLine(int32_t runner_index, int32_t& color, int32_t& width) const {
    if (chart_.GetRunnerStyle(runner_index).Flag != kHighlighted) return false;
    chart_.GetRunnerSetting2(runner_index, color, width);
    return width != 0;
  }

  void PaintSegments(int32_t pass) {
    for (auto it = segments_.rbegin(); it != segments_.rend(); ++it) {
      const clsChartLine& line = **it;
      const ChartRunnerStyle style = chart_.GetRunnerStyle(line.RunnerIndex);
      if (style.Flag != pass || style.Width <= 0) continue;
      s_.ForeColor(style.Color);
      s_.DrawWidth(static_cast<float>(style.Width));
      DrawLine(line);
      if (line.ClipFlags != 0) PaintEdgeNames(line);
    }
  }

  // The runner's name where its line crosses the edge of the plot: down the top or bottom
  // edge one character a line, beside the right or left edge in one piece.
  void PaintEdgeNames(const clsChartLine& line) {
    const auto name = NameCharacters(*chart_.Analyzer(), line.RunnerIndex);
    if (line.ClipFlags & clsChartLine::kClipTop) {
      PrintDown(name, line.X1 + kLeft - 5, kTop - 4 * th_);
    }
    if (line.ClipFlags & clsChartLine::kClipBottom) {
      PrintDown(name, line.X2 + kLeft - 5, chart_.Height() + kTop + th_);
    }
    const std::string label = Joined(name);
    if (line.ClipFlags & clsChartLine::kClipRight) {
      PrintAt(label, chart_.Width() + kLeft + 14, line.Y2 + kTop - th_ / 2 + 1);
    }
    if (line.ClipFlags & clsChartLine::kClipLeft) {
      PrintAt(label, kLeft - s_.TextWidth(label) - 14, line.Y1 + kTop - th_ / 2 + 1);
    }
  }

  void PrintDown(const std::vector<std::string>& characters, float x, float y) {
    for (const std::string& c : characters) {
      PrintAt(c, x, y);
      y += th_;
    }
  }

  void PrintAt(const std::string& text, float x, float y) {
    if (text.empty()) return;
    s_.CurrentX(x);
    s_.CurrentY(y);
    s_.PrintText(text);
  }

  void PaintPoints(int32_t pass) {
    s_.FillStyle(0);
    for (auto it = points_.rbegin(); it != points_.rend(); ++it) {
      const clsChartLine& point = **it;
      const ChartRunnerStyle style = chart_.GetRunnerStyle(point.RunnerIndex);
      if (style.Flag != pass || style.Width < 1) continue;
      s_.ForeColor(style.Color);
      s_.FillColor(style.Color);
      s_.DrawCircle(point.X1 + kLeft, point.Y1 + kTop, static_cast<float>(style.Width + 1));
      if (style.Width == 2) {
        s_.FontSize(9);
        s_.CurrentX(point.X1 + kLeft + 2);
        s_.CurrentY(point.Y1 + kTop - th_ - 2);
      } else if (style.Width == 1) {
        s_.FontSize(8);
        s_.CurrentX(point.X1 + kLeft + 2);
        s_.CurrentY(point.Y1 + kTop - 2 * th_ / 3 - 2);
      }
      const std::string label = Joined(NameCharacters(*chart_.Analyzer(), point.RunnerIndex));
      if (!label.empty()) s_.PrintText(label);
    }
  }

  void PaintLabels() {
    const float width = chart_.Width(), height = chart_.Height();
    for (const clsChartChar& label : chart_.LabelList()) {
      s_.ForeColor(label.Color);
      const float tw = s_.TextWidth(label.Text);
      switch (label.Side) {
        case clsChartChar::kAbove:
          PrintAt(label.Text, label.Position + kLeft - tw / 2 + 1, kTop - th_ + 1);
          break;
        case clsChartChar::kBelow:
          PrintAt(label.Text, label.Position + kLeft - tw / 2 + 1, height + kTop + 1);
          break;
        case clsChartChar::kLeft:
          PrintAt(label.Text, kLeft - tw - 1, label.Position - th_ / 2 + kTop);
          break;
        case clsChartChar::kRight:
          PrintAt(label.Text, width + kLeft + 3, label.Position - th_ / 2 + kTop);
          break;
        default:
          break;
      }
    }
  }

  const clsChartObject& chart_;
  clsChartWrapper& s_;
  std::vector<std::shared_ptr<clsChartLine>> segments_ = Lines(chart_.SegmentList());
  std::vector<std::shared_ptr<clsChartLine>> points_ = Lines(chart_.PointList());
  float th_ = 0;
};

}  // namespace

void clsChartObject::DrawChart() const {
  if (target_kind_ == 0) return;
  clsChartWrapper surface;
  if (target_kind_ == 1) {
    surface.PictureBoxObject(picture_);
  } else {
    surface.PrintBookObject(book_);
  }
  ChartPainter(*this, surface).Paint();
}

}  // namespace quorvex2
