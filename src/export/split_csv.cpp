// The two comma-separated split exports: the SplitsBrowser file and the spreadsheet-macro table.
// Fields are neither quoted nor escaped, as both readers expect.
#include <string>

#include "quorvex2/analysis/analyzer.h"
#include "quorvex2/core/format.h"
#include "quorvex2/core/time_text.h"
#include "quorvex2/export/text_control.h"

namespace quorvex2 {

namespace {

template <class Line>
std::string RunnersWithTime(clsAnalyzer& analyzer, Line line) {
  std::string out;
  for (int32_t i = 1; i <= analyzer.Count(); ++i) {
    auto runner = analyzer.Item(i);
    if (IsValidTime(runner->Result())) out += line(*runner) + "\r\n";
  }
  return out;
}

}  // namespace

std::string clsTextControl::OutputCsvSplitsBrowser(
    const std::shared_ptr<clsAnalyzer>& wAnalyzer) const {
  clsAnalyzer& analyzer = *wAnalyzer;
  const int32_t legs = analyzer.ControlCount + 1;
  std::string out = analyzer.DataSetName() + "," + std::to_string(analyzer.ControlCount) + "\r\n";
  return out + RunnersWithTime(analyzer, [legs](clsAnalyzedRunnerData& r) {
           std::string line =
               r.RunnerName() + "," + r.ClubName() + "," +
               r.OtherData()->StartTime.ToString("h:nn:ss", false, "9:00:00", "9:00:00", "9:00:00");
           for (int32_t k = 1; k <= legs; ++k) {
             line += ',';
             line += r.ModifiedLapTime(k)->ToString("hh:nn:ss", true, "0:00", "0:00", "0:00");
           }
           return line;
         });
}

std::string clsTextControl::OutputCsvOstrandMacro(
    const std::shared_ptr<clsAnalyzer>& wAnalyzer) const {
  clsAnalyzer& analyzer = *wAnalyzer;
  const int32_t legs = analyzer.ControlCount + 1;
  std::string out = "クラス,氏名,所属,順位,記録,スタート時刻";
  for (int32_t k = 1; k <= legs; ++k) {
    out += ',';
    out += MakeLegName(legs - 1, false, k);
  }
  out += "\r\n";
  return out + RunnersWithTime(analyzer, [legs](clsAnalyzedRunnerData& r) {
           auto lap = r.OtherData();
           std::string line = lap->ClassName() + "," + r.RunnerName() + "," + r.ClubName() + "," +
                              r.Rank() + "," + r.Result() + "," + lap->StartTime.ToString();
           for (int32_t k = 1; k <= legs; ++k) {
             line += ',';
             line += r.ModifiedSplitTime(k)->ToString();
           }
           return line;
         });
}

}  // namespace quorvex2
