// The chart object: targets, per-runner settings and the items that layout adds.
#include "quorvex2/chart/chart_object.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

#include "core/detail/internal.h"
#include "quorvex2/analysis/analyzer.h"
#include "quorvex2/platform/picture_box.h"
#include "quorvex2/print/print_book.h"

namespace quorvex2 {
namespace {

constexpr float kHorizontalMargins = 104;       // 52 left and right
constexpr float kPictureVerticalMargins = 100;  // 50 above and below
constexpr float kBookVerticalMargins = 104;
constexpr float kBookUnit = 3;
// The widest picture the platform can make; a wider chart is cut there.
constexpr long kMaxPictureWidth = 32767;

// The default colours of runners 4 and later, by runner index mod 6.
constexpr int32_t kPaleColors[6] = {0x80A0A0, 0xA0A080, 0xA080A0, 0x8080C0, 0x80C080, 0xC08080};

}  // namespace

clsChartObject::clsChartObject() {
  InitChart(detail::MakeInternal());
}

clsChartObject::RunnerSetting& clsChartObject::Setting(int32_t RunnerIndex) {
  if (RunnerIndex < 0 || static_cast<size_t>(RunnerIndex) >= settings_.size()) {
    throw std::out_of_range("clsChartObject: runner " + std::to_string(RunnerIndex) +
                            " outside 0.." + std::to_string(runner_count_));
  }
  return settings_[static_cast<size_t>(RunnerIndex)];
}

const clsChartObject::RunnerSetting& clsChartObject::Setting(int32_t RunnerIndex) const {
  return const_cast<clsChartObject*>(this)->Setting(RunnerIndex);
}

void clsChartObject::ResetRunnerSettings(int32_t Count) {
  settings_.assign(static_cast<size_t>(Count < 0 ? 0 : Count) + 1, RunnerSetting{});
}

void clsChartObject::ClearRunnerSetting() {
  if (analyzer_) ResetRunnerSettings(analyzer_->Count());
}

void clsChartObject::SetRunnerSetting(int32_t RunnerIndex, int32_t ForeColor, int32_t DrawWidth,
                                      int32_t Flag) {
  if (!analyzer_) return;
  RunnerSetting& setting = Setting(RunnerIndex);
  setting.fore_color = ForeColor;
  setting.draw_width = DrawWidth;
  setting.flag = Flag;
}

void clsChartObject::GetRunnerSetting(int32_t RunnerIndex, int32_t& ForeColor, int32_t& DrawWidth,
                                      int32_t& Flag) const {
  if (!analyzer_) return;
  const RunnerSetting& setting = Setting(RunnerIndex);
  ForeColor = setting.fore_color;
  DrawWidth = setting.draw_width;
  Flag = setting.flag;
}

void clsChartObject::SetRunnerSetting2(int32_t RunnerIndex, int32_t BackLineColor,
                                       int32_t BackLineWidth) {
  if (!analyzer_) return;
  RunnerSetting& setting = Setting(RunnerIndex);
  setting.back_line_color = BackLineColor;
  setting.back_line_width = BackLineWidth;
}

void clsChartObject::GetRunnerSetting2(int32_t RunnerIndex, int32_t& BackLineColor,
                                       int32_t& BackLineWidth) const {
  if (!analyzer_) return;
  const RunnerSetting& setting = Setting(RunnerIndex);
  BackLineColor = setting.back_line_color;
  BackLineWidth = setting.back_line_width;
}

ChartRunnerStyle clsChartObject::GetRunnerStyle(int32_t RunnerIndex) const {
  const RunnerSetting& setting = Setting(RunnerIndex);
  if (setting.draw_width == -1) return {setting.fore_color, 0, setting.flag};
  if (setting.draw_width != 0) return {setting.fore_color, setting.draw_width, setting.flag};
  switch (RunnerIndex) {
    case 1:
      return {0x0000FF, 2, 0};
    case 2:
      return {0xFF0000, 2, 0};
    case 3:
      return {0x008000, 2, 0};
    default:
      return {kPaleColors[RunnerIndex % 6], 1, 0};
  }
}

void clsChartObject::PictureObject(std::shared_ptr<PictureBox> Picture) {
  picture_ = std::move(Picture);
  picture_->ScaleMode(kScalePixel);
  picture_->BackColor(0xFFFFFF);
  target_kind_ = 1;
  width_ = picture_->ScaleWidth() - kHorizontalMargins;
  height_ = picture_->ScaleHeight() - kPictureVerticalMargins;
}

void clsChartObject::PrintBookObject(std::shared_ptr<clsPrintBook> Book) {
  book_ = std::move(Book);
  target_kind_ = 2;
  width_ = book_->Width() * kBookUnit - kHorizontalMargins;
  height_ = book_->Height() * kBookUnit - kBookVerticalMargins;
}

void clsChartObject::InitChart(detail::Internal) {
  segments_.Clear();
  points_.Clear();
  grid_.clear();
  labels_.clear();
  chart_mode_ = QX_CHART_NORMAL;
  ratio_x_ = ratio_y_ = 1;
  position_x_ = position_y_ = 0;
}

void clsChartObject::AttachAnalyzer(std::shared_ptr<clsAnalyzer> Analyzer, detail::Internal) {
  analyzer_ = std::move(Analyzer);
  const bool same_data_set = analyzer_->DataSetName() == data_set_name_ &&
                             analyzer_->Count() == runner_count_ &&
                             settings_.size() == static_cast<size_t>(runner_count_) + 1;
  if (same_data_set) return;
  data_set_name_ = analyzer_->DataSetName();
  runner_count_ = analyzer_->Count();
  ResetRunnerSettings(runner_count_);
}

void clsChartObject::SetChartParameters(QxChartModeConst Mode, float RatioX, float RatioY,
                                        float PositionX, float PositionY, detail::Internal) {
  chart_mode_ = Mode;
  ratio_x_ = RatioX;
  ratio_y_ = RatioY;
  position_x_ = PositionX;
  position_y_ = PositionY;
}

void clsChartObject::FitPictureWidth(float RequiredWidth, detail::Internal) {
  if (target_kind_ != 1 || !picture_) return;
  const float outer_per_scale = static_cast<float>(picture_->Width()) / picture_->ScaleWidth();
  const long outer = std::lround((RequiredWidth + kHorizontalMargins) * outer_per_scale);
  picture_->Width(static_cast<int32_t>(std::clamp(outer, 1L, kMaxPictureWidth)));
  width_ = picture_->ScaleWidth() - kHorizontalMargins;
}

void clsChartObject::AddGridLine(float X1, float Y1, float X2, float Y2, int32_t Color,
                                 detail::Internal) {
  if (X1 < 0 || X2 > width_ || Y1 < 0 || Y2 > height_) return;
  grid_.push_back(clsChartLine{X1, Y1, X2, Y2, 0, Color, 0});
}

void clsChartObject::AddLabel(const std::string& Text, int32_t Side, float Position, int32_t Color,
                              detail::Internal) {
  const bool horizontal = Side == clsChartChar::kAbove || Side == clsChartChar::kBelow;
  const float limit = horizontal ? width_ : height_;
  if (Position < 0 || Position > limit) return;
  labels_.push_back(clsChartChar{Text, Position, Side, Color});
}

void clsChartObject::AddRunnerPoint(float X, float Y, int32_t RunnerIndex, detail::Internal) {
  if (X < 0 || X > width_ || Y < 0 || Y > height_) return;
  points_.AddObject(static_cast<double>(RunnerIndex),
                    std::make_shared<clsChartLine>(clsChartLine{X, Y, X, Y, RunnerIndex, 0, 0}));
}

void clsChartObject::AddSegmentLine(const clsChartLine& Line) {
  segments_.AddObject(static_cast<double>(Line.RunnerIndex), std::make_shared<clsChartLine>(Line));
}

}  // namespace quorvex2
