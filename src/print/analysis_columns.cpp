// The columns of the printed analysis table: class label, row titles, one column per runner.
#include <stdexcept>

#include "core/detail/catalogue.h"
#include "core/detail/localized_text.h"
#include "print/detail/analysis_table.h"
#include "print/detail/print_fonts.h"
#include "quorvex2/core/format.h"
#include "quorvex2/core/text.h"
#include "quorvex2/core/time_text.h"

namespace quorvex2::detail {

namespace {

constexpr int32_t kBlack = 0;
constexpr int32_t kColumnRuleColor = 0x606060;
constexpr int32_t kLegRuleColor = 0xCCCCCC;

constexpr auto kCenter = PRINTBOOK_ALIGN_CENTER;
constexpr auto kRight = PRINTBOOK_ALIGN_RIGHT;
constexpr auto kMiddle = PRINTBOOK_VALIGN_MIDDLE;
constexpr auto kBottom = PRINTBOOK_VALIGN_BOTTOM;

struct Cell {
  float left, top, width, height;
  PrintBookAlignConst align;
  PrintBookValignConst valign;
};

void Print(const AnalysisTablePen& Pen, const std::string& Text, std::string_view Style,
           const Cell& At, bool Cut = false) {
  Pen.book.PrintText(Text, PrintFont(Style), At.left, At.top, At.width, At.height, At.align,
                     At.valign, false, 1.0f, kBlack, Cut);
}

// A leg beyond the 30 a record holds has no time object: no data.
std::string TimeText(const clsTimeValue* Time) {
  return Time ? Time->ToString("hh:nn:ss", true, detail::NoDataMark(), "↓", "×")
              : detail::NoDataMark();
}

std::string MissText(const clsMissTimeValue& Miss) {
  return Miss.ToString("hh:nn:ss", true, detail::NoDataMark(), "↓");
}

std::string RankText(const clsLegRankValue* Rank) {
  return Rank->ToString(true, false);
}

// Name, club, result with its rank, cruise speed and miss figures: the rows above the legs. In
// STANDARD the figures stand in the second column, beside their titles; the narrow columns of the
// other modes, whose header has no titles for them, take them under the result: cruise speed and
// miss rate side by side, the miss time under the result's time.
void DrawRunnerHead(const AnalysisTablePen& Pen, clsAnalyzedRunnerData& Runner, float x,
                    float top) {
  const AnalysisTableLayout& layout = Pen.layout;
  const float w = layout.data_width, s = layout.second_width;
  const float club_width = layout.HasSecondColumn() ? w : layout.ColumnWidth();
  Print(Pen, detail::CompactName(Runner.RunnerName()), "ANALYSIS_RUNNERNAME",
        {x, top, layout.ColumnWidth(), 5, kCenter, kMiddle}, true);
  Print(Pen, detail::CompactName(Runner.ClubName()), "ANALYSIS_CLUBNAME",
        {x, top + 5, club_width, 5, kCenter, kMiddle}, true);
  // The narrow columns of the other modes take the result in a smaller type.
  const char* result_style = layout.HasSecondColumn() ? "ANALYSIS_DATA" : "ANALYSIS_BASETIME";
  Print(Pen, Runner.Result(), result_style, {x - 0.5f, top + 10, w - 5, 4, kRight, kMiddle});
  Print(Pen, Runner.Rank(), "ANALYSIS_RANK", {x + w - 5.5f, top + 10, 5.5f, 4, kRight, kMiddle});
  const std::string cruise = Runner.CruiseSpeed().ToString() + "%";
  const std::string miss = MissText(Runner.MissTimeTotal());
  const std::string rate = Runner.MissRate().ToString("#0.0", detail::NoDataMark(), "↓") + "%";
  if (!layout.HasSecondColumn()) {
    const float half = w / 2;
    Print(Pen, cruise, "ANALYSIS_SECOND_DATA", {x - 0.5f, top + 14, half, 3, kRight, kMiddle});
    Print(Pen, rate, "ANALYSIS_SECOND_DATA", {x + half, top + 14, half - 0.5f, 3, kRight, kMiddle});
    Print(Pen, miss, "ANALYSIS_MISSTIME", {x - 0.5f, top + 17, w - 5, 3, kRight, kMiddle});
    return;
  }
  const float second = x + w + 0.5f;
  Print(Pen, cruise, "ANALYSIS_SECOND_DATA", {second, top + 5, s, 5, kRight, kBottom});
  Print(Pen, miss, "ANALYSIS_MISSTIME", {second, top + 10, s, 3.5f, kRight, kBottom});
  Print(Pen, rate, "ANALYSIS_SECOND_DATA", {second, top + 13.5f, s, 3.5f, kRight, kBottom});
}

void DrawLegCells(const AnalysisTablePen& Pen, clsAnalyzedRunnerData& Runner, int32_t Leg, float x,
                  float y) {
  const AnalysisTableLayout& layout = Pen.layout;
  const float w = layout.data_width, s = layout.second_width;
  const int32_t rank = Runner.LapRank(Leg)->Value();
  if (Runner.IsValidLapTime(Leg) && rank >= 1 && rank <= 3) {
    Pen.book.DrawBox(x, y, s + w + 1, 4, Pen.settings.rank_colors[rank - 1], 1, true);
  }
  Print(Pen, TimeText(Runner.LapTime(Leg)), "ANALYSIS_DATA",
        {x - 0.5f, y, w - 5, 4, kRight, kMiddle});
  Print(Pen, RankText(Runner.LapRank(Leg)), "ANALYSIS_RANK",
        {x + w - 5.5f, y, 5.5f, 4, kRight, kMiddle});
  if (!layout.HasSplitRows()) return;
  Pen.book.DrawLine(x, y - 0.5f, s + w + 1, 0, kLegRuleColor, 1);
  const float split = y + kLegRowHeight;
  Print(Pen, TimeText(Runner.SplitTime(Leg)), "ANALYSIS_SECOND_DATA",
        {x - 1, split, w - 5.5f, 4, kRight, kMiddle});
  Print(Pen, RankText(Runner.ModifiedSplitRank(Leg)), "ANALYSIS_SECOND_DATA",
        {x + w - 6, split, 5.5f, 4, kRight, kMiddle});
  if (!layout.HasSecondColumn()) return;
  Print(Pen, RelativeText(*Runner.LapRelative(Leg)), "ANALYSIS_RELATIVE",
        {x + w + 0.5f, y, s, 4, kRight, kBottom});
  Print(Pen, MissText(*Runner.MissTime(Leg)), "ANALYSIS_MISSTIME",
        {x + w + 0.5f, split, s, 4, kRight, kMiddle});
}

}  // namespace

float AnalysisTableLayout::LegTop(int32_t Leg) const {
  const float pitch = HasSplitRows() ? 2 * kLegRowHeight + 1 : kLegRowHeight;
  return kLegRowsTop + pitch * static_cast<float>(Leg - 1);
}

AnalysisTableLayout MakeAnalysisTableLayout(QxPrintAnalysisModeConst Mode, int32_t ControlCount) {
  if (Mode < QX_PRINT_ANALYSIS_STANDARD || Mode > QX_PRINT_ANALYSIS_SPLITTIME) {
    throw std::runtime_error("clsGraphicControl.PrintAnalysis: unknown print mode " +
                             std::to_string(Mode));
  }
  AnalysisTableLayout layout;
  layout.mode = Mode;
  layout.control_count = ControlCount;
  layout.legs = ControlCount + 1;
  const auto legs = static_cast<float>(layout.legs);
  layout.table_height = 4 * legs + 20;
  if (layout.HasSplitRows()) layout.table_height += 4 * legs + (legs - 1);
  if (Mode != QX_PRINT_ANALYSIS_STANDARD) {
    layout.data_width = 19;
    layout.second_width = 0;
  }
  return layout;
}

std::string RelativeText(const clsPercentValue& Relative) {
  if (Relative.Value() * 100 > 999) return "999%";
  return Relative.ToString("#0", detail::NoDataMark(), "↓");
}

void DrawClassLabelColumn(const AnalysisTablePen& Pen, const std::string& DataSetName, float Left,
                          float PageHeight, std::optional<Date> PrintTime) {
  const float width = Pen.settings.class_label_width;
  Pen.book.DrawBox(Left, 0, width, width / 2, kBlack, 1, true);
  Pen.book.DrawBox(Left, 0, width, PageHeight, kBlack, 1, false);
  const float name_top = width / 2 + 2;
  Pen.book.PrintText(detail::WideInJapanese(DataSetName),
                     PrintFont("ANALYSIS_CLASS", Pen.settings.class_label_font_size), Left,
                     name_top, width, PageHeight * 0.95f - name_top, kCenter, PRINTBOOK_VALIGN_TOP,
                     true, 1.5f, kBlack, true);
  if (!PrintTime) return;
  Print(Pen, FormatDate(*PrintTime, "hh:nn"), "ANALYSIS_CLASS_MINI",
        {Left, 0, width, PageHeight * 0.995f, kCenter, kBottom});
}

// The titles of STANDARD stand two abreast in cells 11 wide: a translation must be as short.
void DrawHeaderColumn(const AnalysisTablePen& Pen, float Left, float Top) {
  const AnalysisTableLayout& layout = Pen.layout;
  const float x = Left, y = Top;
  Print(Pen, detail::Tr("名前"), "ANALYSIS_RUNNERNAME_LABEL",
        {x, y, kHeaderColumnWidth, 5, kCenter, kMiddle});
  if (layout.mode == QX_PRINT_ANALYSIS_STANDARD) {
    Print(Pen, detail::Tr("所属"), "ANALYSIS_CLUBNAME_LABEL",
          {x + 2, y + 5, 11, 5, kCenter, kMiddle});
    Print(Pen, detail::Tr("巡航"), "ANALYSIS_SECOND_DATA_LABEL",
          {x + 11, y + 5, 11, 5, kCenter, kBottom});
    Print(Pen, detail::Tr("print", "記録"), "ANALYSIS_DATA_LABEL",
          {x + 2, y + 10, 11, 4, kCenter, kMiddle});
    Print(Pen, detail::Tr("ミス計"), "ANALYSIS_SECOND_DATA_LABEL",
          {x + 11, y + 10, 11, 3.5f, kCenter, kBottom});
    Print(Pen, detail::Tr("print", "ミス率"), "ANALYSIS_SECOND_DATA_LABEL",
          {x + 11, y + 13.5f, 11, 3.5f, kCenter, kBottom});
  }
  for (int32_t k = 1; k <= layout.legs; ++k) {
    const float leg_top = y + layout.LegTop(k);
    if (layout.HasSplitRows()) {
      Pen.book.DrawLine(x, leg_top - 0.5f, kHeaderColumnWidth, 0, kLegRuleColor, 1);
    }
    Print(Pen, detail::LegCaption(layout.control_count, true, k), "ANALYSIS_DATA_LABEL",
          {x, leg_top, kHeaderColumnWidth, kLegRowHeight, kCenter, kMiddle});
  }
  Pen.book.DrawLine(x + kHeaderColumnWidth, y, 0, layout.table_height, kColumnRuleColor, 1);
}

void DrawRunnerColumn(const AnalysisTablePen& Pen, clsAnalyzedRunnerData& Runner, float Left,
                      float Top) {
  const AnalysisTableLayout& layout = Pen.layout;
  Pen.book.DrawLine(Left + layout.ColumnWidth(), Top, 0, layout.table_height, kColumnRuleColor, 1);
  DrawRunnerHead(Pen, Runner, Left, Top);
  for (int32_t k = 1; k <= layout.legs; ++k)
    DrawLegCells(Pen, Runner, k, Left, Top + layout.LegTop(k));
}

}  // namespace quorvex2::detail
