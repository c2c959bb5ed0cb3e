// The mail text report: six sections of runners as columns and legs as rows.
#include <stdexcept>
#include <string>
#include <vector>

#include "core/detail/catalogue.h"
#include "core/detail/component_state.h"
#include "core/detail/internal.h"
#include "core/detail/localized_text.h"
#include "export/detail/column_blocks.h"
#include "quorvex2/analysis/analyzer.h"
#include "quorvex2/core/format.h"
#include "quorvex2/core/root.h"
#include "quorvex2/core/text.h"
#include "quorvex2/core/time_text.h"
#include "quorvex2/core/version.h"
#include "quorvex2/export/text_control.h"

namespace quorvex2 {

namespace {

using detail::Tr;
constexpr int32_t kCellWidth = detail::ColumnBlocks::kCellWidth;
using Runner = clsAnalyzedRunnerData;

constexpr const char* kCrLf = "\r\n";
constexpr const char* kThanks =
    "Thanks to everyone who timed, punched and ran for the splits in this report.";

// Whole minutes and two-digit seconds above one minute; below it the seconds alone (two digits
// when `pad` is set).
std::string MinutesSeconds(Date t, bool pad) {
  const int32_t seconds = TimeToSeconds(t) % 60;
  std::string ss = std::to_string(seconds);
  if (seconds < 10) ss.insert(0, 1, '0');
  if (t > kMinute) return std::to_string(TimeToMinutes(t)) + ss;
  return pad ? ss : std::to_string(seconds);
}

std::string ResultCell(Runner& runner) {
  const std::string result = runner.Result();
  if (!IsValidTime(result)) return result;
  return MinutesSeconds(*ParseTimeText(result), false);
}

struct Table {
  int32_t legs = 0;  // L = ControlCount + 1
  bool total_row = false;
};

std::vector<std::string> LegLabels(const Table& table) {
  std::vector<std::string> labels{"  "};
  for (int32_t k = 1; k < table.legs; ++k) labels.push_back(FitString(std::to_string(k), 2, true));
  labels.push_back(" F");
  if (table.total_row) labels.push_back("TT");
  return labels;
}

class MailWriter {
  using Cell = std::string (MailWriter::*)(Runner&, int32_t leg) const;

 public:
  explicit MailWriter(clsAnalyzer& analyzer) : a_(analyzer), legs_(analyzer.ControlCount + 1) {}

  std::string Write() {
    Heading();
    Section(Tr("■ ラップタイム (mmmss)"), true, {legs_, true}, &MailWriter::LapCell,
            &MailWriter::LapTotalCell, LapAverages());
    Section(Tr("■積算タイム (mmmss)"), true, {legs_, false}, &MailWriter::SplitCell, nullptr,
            SplitAverages());
    Section(Tr("■相対値 (%)"), true, {legs_, true}, &MailWriter::RelativeCell,
            &MailWriter::RelativeTotalCell, {});
    ValueSection(Tr("■巡航速度 (%)"),
                 [this](Runner& r) { return r.CruiseSpeed().ToString("#0", nodata_); });
    ValueSection(Tr("■ミス率 (%)"),
                 [this](Runner& r) { return r.MissRate().ToString("#0.0", nodata_); });
    Section(Tr("■ミスタイム (mmmss)"), false, {legs_, true}, &MailWriter::MissCell,
            &MailWriter::MissTotalCell, {});
    Footer();
    return out_;
  }

 private:
  std::string LapCell(Runner& r, int32_t k) const {
    return r.LapTime(k)->ToString("plane", false, nodata_, "↓", "×");
  }
  std::string LapTotalCell(Runner& r, int32_t) const { return ResultCell(r); }
  std::string SplitCell(Runner& r, int32_t k) const {
    return r.SplitTime(k)->ToString("plane", false, nodata_, "↓", "×");
  }
  std::string RelativeCell(Runner& r, int32_t k) const {
    return r.LapRelative(k)->ToString("#0", nodata_, "↓");
  }
  std::string RelativeTotalCell(Runner& r, int32_t) const {
    return r.TotalTimeRelative().ToString("#0", nodata_, "↓");
  }
  std::string MissCell(Runner& r, int32_t k) const {
    return r.MissTime(k)->ToString("plane", false, nodata_, "↓");
  }
  std::string MissTotalCell(Runner& r, int32_t) const {
    return r.MissTimeTotal().ToString("plane", false, nodata_, "↓");
  }

  void Heading() {
    out_ += Tr("◎ ") + a_.DataSetName() + " " + a_.ClassInfo() + kCrLf;
    const clsQuorvex2* root = detail::CurrentRoot();
    out_ += "    - " + (root ? root->EventData()->ToString() : std::string()) + kCrLf;
    out_ += kCrLf;
  }

  // The "  Ave3" column: the reference time of each leg and their total.
  std::vector<std::string> LapAverages() const {
    auto general = a_.GeneralData();
    std::vector<std::string> cells{"  Ave3"};
    for (int32_t k = 1; k <= legs_; ++k) {
      cells.push_back(MinutesSeconds(general->UpperLapAverage(k), true));
    }
    cells.push_back(MinutesSeconds(general->UpperLapTotal(), true));
    return cells;
  }

  // The "  Ave3" column of the cumulative times: running sums of the reference times.
  std::vector<std::string> SplitAverages() const {
    auto general = a_.GeneralData();
    std::vector<std::string> cells{"  Ave3"};
    Date sum = 0;
    for (int32_t k = 1; k <= legs_; ++k) {
      sum += general->UpperLapAverage(k);
      cells.push_back(MinutesSeconds(sum, true));
    }
    return cells;
  }

  void Section(const std::string& title, bool blank_after_title, const Table& table, Cell leg_cell,
               Cell total_cell, const std::vector<std::string>& average_column) {
    Title(title, blank_after_title);
    detail::ColumnBlocks blocks(LegLabels(table));
    for (int32_t i = 1; i <= a_.Count(); ++i) {
      auto runner = a_.Item(i);
      std::vector<std::string> cells{detail::ColumnName(*runner->OtherData(), kCellWidth)};
      for (int32_t k = 1; k <= table.legs; ++k) cells.push_back((this->*leg_cell)(*runner, k));
      if (table.total_row) cells.push_back((this->*total_cell)(*runner, 0));
      blocks.AddColumn(cells);
    }
    if (!average_column.empty()) blocks.AddColumn(average_column);
    out_ += blocks.Finish();
  }

  template <class Value>
  void ValueSection(const std::string& title, Value value) {
    Title(title, false);
    detail::ColumnBlocks blocks({"  ", "  "});
    for (int32_t i = 1; i <= a_.Count(); ++i) {
      auto runner = a_.Item(i);
      blocks.AddColumn({detail::ColumnName(*runner->OtherData(), kCellWidth), value(*runner)});
    }
    out_ += blocks.Finish();
  }

  void Title(const std::string& title, bool blank_after) {
    out_ += title + kCrLf;
    if (blank_after) out_ += kCrLf;
  }

  void Footer() {
    out_ += "Made with Quorvex Ver." + VersionText(false) + kCrLf;
    out_ += std::string(kThanks) + kCrLf;
  }

  clsAnalyzer& a_;
  int32_t legs_;
  const std::string nodata_ = Tr("－");
  std::string out_;
};

}  // namespace

std::string clsTextControl::OutputTextMail(const std::shared_ptr<clsAnalyzer>& wAnalyzer) const {
  if (!wAnalyzer->GeneralData()->HasLegs(detail::MakeInternal()))
    throw std::runtime_error("OutputTextMail: the analyzer was never executed");
  return MailWriter(*wAnalyzer).Write();
}

}  // namespace quorvex2
