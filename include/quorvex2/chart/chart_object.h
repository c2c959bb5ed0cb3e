#pragma once
// A chart of one analysed data set: the items that layout (clsGraphicControl::DrawChart) puts
// in it, the per-runner styles, the attached target and the hit test of the mouse.
//
// Geometry is in chart units on a plot area of Width × Height whose origin is drawn at
// (52, 50) of the target; x grows to the right, y downwards.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "quorvex2/core/sort.h"
#include "quorvex2/core/types.h"

namespace quorvex2 {

class clsAnalyzer;
class clsPrintBook;
class PictureBox;

enum QxChartModeConst : int32_t {
  QX_CHART_NORMAL = 0,            // split time against controls spaced by reference time
  QX_CHART_REALTIME = 1,          // clock time (start + split) against controls
  QX_CHART_RELATIVE = 2,          // split time - reference time
  QX_CHART_RELATIVE_110 = 3,      // split time - 1.1 × reference time
  QX_CHART_RELATIVE_130 = 4,      // split time - 1.3 × reference time
  QX_CHART_CRUISE_MISSRATE = 5,   // cruise speed against miss rate
  QX_CHART_CRUISE_HALFRATIO = 6,  // cruise speed against second / first half cruise speed
  QX_CHART_TOVARINE = 7,          // the X/Y map of runners
};

// A grid line, runner segment or runner point (both ends equal) in plot coordinates.
class clsChartLine {
 public:
  enum ClipFlagConst : int32_t { kClipTop = 1, kClipBottom = 2, kClipLeft = 4, kClipRight = 8 };

  float X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
  int32_t RunnerIndex = 0;
  int32_t Color = 0;
  int32_t ClipFlags = 0;
};

// An axis label: Position is an x coordinate above (Side 1) or below (2) the plot area, a y
// coordinate left (4) or right (8) of it.
class clsChartChar {
 public:
  enum SideConst : int32_t { kAbove = 1, kBelow = 2, kLeft = 4, kRight = 8 };

  std::string Text;
  float Position = 0;
  int32_t Side = 0;
  int32_t Color = 0;
};

// The style a runner is drawn in: width 0 means not drawn.
struct ChartRunnerStyle {
  int32_t Color = 0;
  int32_t Width = 0;
  int32_t Flag = 0;
};

class clsChartObject {
 public:
  clsChartObject();

  bool AutoSize = false;

  float RatioX() const { return ratio_x_; }
  float RatioY() const { return ratio_y_; }
  float PositionX() const { return position_x_; }
  float PositionY() const { return position_y_; }
  QxChartModeConst ChartMode() const { return chart_mode_; }
  float Width() const { return width_; }
  float Height() const { return height_; }
  float WidthOccupied() const { return width_occupied_; }
  float HeightOccupied() const { return height_occupied_; }

  // Per-runner settings, runner indexes 0 .. Count of the data set. With no data set held they
  // do nothing; std::out_of_range for an index outside the arrays.
  void ClearRunnerSetting();
  void SetRunnerSetting(int32_t RunnerIndex, int32_t ForeColor, int32_t DrawWidth, int32_t Flag);
  void GetRunnerSetting(int32_t RunnerIndex, int32_t& ForeColor, int32_t& DrawWidth,
                        int32_t& Flag) const;
  void SetRunnerSetting2(int32_t RunnerIndex, int32_t BackLineColor, int32_t BackLineWidth);
  void GetRunnerSetting2(int32_t RunnerIndex, int32_t& BackLineColor, int32_t& BackLineWidth) const;

  // Attaching a target sets the plot size from it (margins 52 left and right; 50 above and
  // below on a picture, 52 on a book). The picture is switched to pixels on white.
  void PictureObject(std::shared_ptr<PictureBox> Picture);
  void PrintBookObject(std::shared_ptr<clsPrintBook> Book);

  // The runner whose line or point lies nearest to a target point, within 6 units; 0 for none.
  int32_t MousePointRunnerIndex(float X, float Y) const;

  // Renders the laid-out chart on the attached target; nothing when none is attached.
  void DrawChart() const;

  // The effective style of a runner (std::out_of_range outside the arrays).
  ChartRunnerStyle GetRunnerStyle(int32_t RunnerIndex) const;

  // What the last layout put in the chart.
  const CclsSort& SegmentList() const { return segments_; }
  const CclsSort& PointList() const { return points_; }
  const std::vector<clsChartLine>& GridList() const { return grid_; }
  const std::vector<clsChartChar>& LabelList() const { return labels_; }
  std::shared_ptr<clsAnalyzer> Analyzer() const { return analyzer_; }

  // Layout operations, for the component only.
  void InitChart(detail::Internal);
  void AttachAnalyzer(std::shared_ptr<clsAnalyzer> Analyzer, detail::Internal);
  void SetChartParameters(QxChartModeConst Mode, float RatioX, float RatioY, float PositionX,
                          float PositionY, detail::Internal);
  void SetWidthOccupied(float Value, detail::Internal) { width_occupied_ = Value; }
  void SetHeightOccupied(float Value, detail::Internal) { height_occupied_ = Value; }
  void FitPictureWidth(float RequiredWidth, detail::Internal);
  void AddGridLine(float X1, float Y1, float X2, float Y2, int32_t Color, detail::Internal);
  void AddLabel(const std::string& Text, int32_t Side, float Position, int32_t Color,
                detail::Internal);
  void AddRunnerSegment(float X1, float Y1, float X2, float Y2, int32_t RunnerIndex,
                        detail::Internal);
  void AddRunnerPoint(float X, float Y, int32_t RunnerIndex, detail::Internal);

 private:
  struct RunnerSetting {
    int32_t fore_color = 0, draw_width = 0, flag = 0, back_line_color = 0, back_line_width = 0;
  };
  RunnerSetting& Setting(int32_t RunnerIndex);
  const RunnerSetting& Setting(int32_t RunnerIndex) const;
  void ResetRunnerSettings(int32_t Count);
  void AddSegmentLine(const clsChartLine& Line);

  std::shared_ptr<clsAnalyzer> analyzer_;
  CclsSort segments_;
  CclsSort points_;
  std::vector<clsChartLine> grid_;
  std::vector<clsChartChar> labels_;
  int32_t target_kind_ = 0;  // 0 none, 1 picture box, 2 print book
  std::shared_ptr<PictureBox> picture_;
  std::shared_ptr<clsPrintBook> book_;
  std::vector<RunnerSetting> settings_;
  float height_occupied_ = 1, width_occupied_ = 1;
  float width_ = 0, height_ = 0;
  QxChartModeConst chart_mode_ = QX_CHART_NORMAL;
  float ratio_x_ = 1, ratio_y_ = 1, position_x_ = 0, position_y_ = 0;
  std::string data_set_name_;
  int32_t runner_count_ = 0;
};

}  // namespace quorvex2
