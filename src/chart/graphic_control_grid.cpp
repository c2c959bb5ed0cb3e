// clsGraphicControl::DrawGrid: the split analysis of one data set in the host's grid. Column 0
// holds the row titles, columns 1 .. N one runner each; the rows come in bands of one colour
// class each (names, result, leg times, split times, cruise speed and miss rate, relative values,
// miss times, time without misses).
#include <stdexcept>
#include <string>
#include <vector>

#include "core/detail/catalogue.h"
#include "core/detail/localized_text.h"
#include "quorvex2/analysis/analyzer.h"
#include "quorvex2/chart/graphic_control.h"
#include "quorvex2/core/lap_data.h"
#include "quorvex2/core/text.h"
#include "quorvex2/core/time_text.h"

namespace quorvex2 {
namespace {

constexpr int32_t kTitleColWidth = 1230;
constexpr int32_t kRunnerColWidth = 1080;

// Row numbers of the figures, for a data set of L legs.
struct GridRows {
  int32_t legs;

  int32_t Count() const { return 4 * legs + 15; }
  int32_t Lap(int32_t k) const { return k + 4; }
  int32_t Split(int32_t k) const { return legs + 5 + k; }
  int32_t Cruise() const { return 2 * legs + 7; }
  int32_t MissRate() const { return 2 * legs + 8; }
  int32_t Relative(int32_t k) const { return 2 * legs + 9 + k; }
  int32_t RelativeTotal() const { return 3 * legs + 10; }
  int32_t Miss(int32_t k) const { return 3 * legs + 11 + k; }
  int32_t MissTotal() const { return 4 * legs + 12; }
  // The two title rows read "ミス抜き" / "タイム"; the figure stands beside the second.
  int32_t NoMiss() const { return 4 * legs + 14; }
};

struct Band {
  int32_t first, last;
  QxColorTypeConst title, data;
  QxAlignTypeConst alignment;
};

std::vector<Band> Bands(int32_t L) {
  return {
      {0, 1, QX_COLOR_NAME_TITLE, QX_COLOR_NAME, QX_ALIGN_LEFT},
      {2, 3, QX_COLOR_RESULT_TITLE, QX_COLOR_RESULT, QX_ALIGN_RIGHT},
      {4, L + 4, QX_COLOR_LAP_TITLE, QX_COLOR_LAP, QX_ALIGN_RIGHT},
      {L + 5, 2 * L + 5, QX_COLOR_SPLIT_TITLE, QX_COLOR_SPLIT, QX_ALIGN_RIGHT},
      {2 * L + 6, 2 * L + 8, QX_COLOR_CRUISE_MISSRATE_TITLE, QX_COLOR_CRUISE_MISSRATE,
       QX_ALIGN_RIGHT},
      {2 * L + 9, 3 * L + 9, QX_COLOR_RELATIVE_TITLE, QX_COLOR_RELATIVE, QX_ALIGN_RIGHT},
      {3 * L + 10, 3 * L + 10, QX_COLOR_RELATIVETOTAL_TITLE, QX_COLOR_RELATIVETOTAL,
       QX_ALIGN_RIGHT},
      {3 * L + 11, 4 * L + 11, QX_COLOR_MISS_TITLE, QX_COLOR_MISS, QX_ALIGN_RIGHT},
      {4 * L + 12, 4 * L + 12, QX_COLOR_MISSTOTAL_TITLE, QX_COLOR_MISSTOTAL, QX_ALIGN_RIGHT},
      {4 * L + 13, 4 * L + 14, QX_COLOR_NOMISS_TITLE, QX_COLOR_NOMISS, QX_ALIGN_RIGHT},
  };
}

void AddLegTitles(std::vector<std::string>& titles, const std::string& heading,
                  int32_t controlCount, bool withOrigin) {
  titles.push_back(heading);
  for (int32_t k = 1; k <= controlCount + 1; ++k) {
    titles.push_back(detail::LegCaption(controlCount, withOrigin, k));
  }
}

// The texts of column 0, row by row.
std::vector<std::string> RowTitles(int32_t controlCount) {
  using detail::Tr;
  std::vector<std::string> titles{Tr("氏名"), Tr("所属"), Tr("記録"), Tr("順位")};
  AddLegTitles(titles, Tr("ラップタイム"), controlCount, true);
  AddLegTitles(titles, Tr("積算タイム"), controlCount, false);
  titles.insert(titles.end(), {Tr("解析結果(%)"), Tr("巡行速度"), Tr("ミス率")});
  AddLegTitles(titles, Tr("相対値(%)"), controlCount, true);
  titles.push_back(Tr("合計"));
  AddLegTitles(titles, Tr("ミスタイム"), controlCount, true);
  titles.insert(titles.end(), {Tr("合計"), Tr("grid", "ミス抜き"), Tr("grid", "タイム")});
  return titles;
}

void PaintBands(clsGridObject& grid, int32_t legs, int32_t runners) {
  for (const Band& band : Bands(legs)) {
    grid.SelectCell(band.first, 0, band.last, 0);
    grid.CellBackColor(grid.Color(band.title));
    grid.SelectCell(band.first, 1, band.last, runners);
    grid.CellAlignment(band.alignment);
    grid.CellBackColor(grid.Color(band.data));
  }
}

// A rank in parentheses in four columns, then a compact time in seven.
std::string RankAndTime(const clsLegRankValue& rank, const clsTimeValue* time) {
  static const clsTimeValue kNoData;
  const clsTimeValue& shown = time != nullptr ? *time : kNoData;
  return FitString(rank.ToString(false, true), 4, true) +
         FitString(shown.ToString("hh:nn:ss", true, detail::NoDataMark(), "↓", "×"), 7, true);
}

void MarkTopRank(clsGridObject& grid, int32_t row, int32_t col, const clsLegRankValue& rank) {
  static constexpr QxColorTypeConst kRankColors[] = {QX_COLOR_RANK1, QX_COLOR_RANK2,
                                                     QX_COLOR_RANK3};
  const int32_t value = rank.Value();
  if (value < 1 || value > 3) return;
  grid.SelectCell(row, col);
  grid.CellBackColor(grid.Color(kRankColors[value - 1]));
}

// The rank with the record's fixed-rank mark, which only a single-class data set shows.
std::string RankText(const clsAnalyzer& analyzer, const clsAnalyzedRunnerData& runner) {
  const auto record = runner.OtherData();
  if (analyzer.DataSetIsMix || record == nullptr) return runner.Rank();
  return runner.Rank() + record->RankFix;
}

void FillLegs(clsGridObject& grid, const GridRows& rows, int32_t col,
              clsAnalyzedRunnerData& runner) {
  for (int32_t k = 1; k <= rows.legs; ++k) {
    const clsLegRankValue& lapRank = *runner.LapRank(k);
    grid.TextMatrix(rows.Lap(k), col, RankAndTime(lapRank, runner.LapTime(k)));
    MarkTopRank(grid, rows.Lap(k), col, lapRank);
    const clsLegRankValue& splitRank = *runner.ModifiedSplitRank(k);
    grid.TextMatrix(rows.Split(k), col, RankAndTime(splitRank, runner.SplitTime(k)));
    MarkTopRank(grid, rows.Split(k), col, splitRank);
    grid.TextMatrix(rows.Relative(k), col,
                    runner.LapRelative(k)->ToString("#0", detail::NoDataMark(), "↓"));
    grid.TextMatrix(rows.Miss(k), col,
                    runner.MissTime(k)->ToString("hh:nn:ss", true, detail::NoDataMark(), "↓"));
  }
}

void FillRunner(clsGridObject& grid, const GridRows& rows, int32_t col, const clsAnalyzer& analyzer,
                clsAnalyzedRunnerData& runner) {
  grid.TextMatrix(0, col, runner.RunnerName());
  grid.TextMatrix(1, col, runner.ClubName());
  grid.TextMatrix(2, col, runner.Result());
  grid.TextMatrix(3, col, RankText(analyzer, runner));
  FillLegs(grid, rows, col, runner);
  grid.TextMatrix(rows.Cruise(), col,
                  runner.CruiseSpeed().ToString("#0.0", detail::NoDataMark(), "↓"));
  grid.TextMatrix(rows.MissRate(), col,
                  runner.MissRate().ToString("#0.0", detail::NoDataMark(), "↓"));
  grid.TextMatrix(rows.RelativeTotal(), col,
                  runner.TotalTimeRelative().ToString("#0", detail::NoDataMark(), "↓"));
  grid.TextMatrix(rows.MissTotal(), col,
                  runner.MissTimeTotal().ToString("hh:nn:ss", true, detail::NoDataMark(), "↓"));
  grid.TextMatrix(
      rows.NoMiss(), col,
      runner.TotalTimeWithoutMiss().ToString("hh:nn:ss", true, detail::NoDataMark(), "↓", "×"));
}

void SizeGrid(clsGridObject& grid, const GridRows& rows, int32_t runners) {
  grid.Rows(rows.Count());
  grid.Cols(runners + 1);
  grid.ColWidth(0, kTitleColWidth);
  for (int32_t col = 1; col <= runners; ++col) grid.ColWidth(col, kRunnerColWidth);
}

void WriteTitles(clsGridObject& grid, int32_t controlCount) {
  grid.ColAlignment(0, QX_ALIGN_CENTER);
  const std::vector<std::string> titles = RowTitles(controlCount);
  for (size_t row = 0; row < titles.size(); ++row) {
    grid.TextMatrix(static_cast<int32_t>(row), 0, titles[row]);
  }
}

}  // namespace

void clsGraphicControl::DrawGrid(const std::shared_ptr<clsAnalyzer>& AnalyzerObject,
                                 const std::shared_ptr<clsGridObject>& GridObject) const {
  if (AnalyzerObject == nullptr) throw std::runtime_error("DrawGrid: no analyzer");
  if (GridObject == nullptr) throw std::runtime_error("DrawGrid: no grid");
  const clsAnalyzer& analyzer = *AnalyzerObject;
  clsGridObject& grid = *GridObject;
  const GridRows rows{analyzer.ControlCount + 1};
  const int32_t runners = analyzer.Count();

  grid.Visible(false);
  grid.Clear();
  if (runners == 0) return;
  SizeGrid(grid, rows, runners);
  PaintBands(grid, rows.legs, runners);
  WriteTitles(grid, analyzer.ControlCount);
  for (int32_t col = 1; col <= runners; ++col) {
    FillRunner(grid, rows, col, analyzer, *analyzer.Item(col));
  }
  grid.Visible(true);
}

}  // namespace quorvex2
