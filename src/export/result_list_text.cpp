// The fixed-width result list of a results holder.
#include <string>

#include "quorvex2/analysis/results_holder.h"
#include "quorvex2/core/text.h"
#include "quorvex2/export/text_control.h"

namespace quorvex2 {

namespace {

std::string RankCell(const clsResultsHolder& results, int32_t i, const clsLapData& runner) {
  if (results.DataSetIsMix) {
    return FitString(results.RankInDataSet(i), 6, true, true) + " (" +
           FitString(runner.ClassName(), 8, false, true) + ")  ";
  }
  const std::string rank = results.RankIsAvalilable() ? runner.Rank : results.RankInDataSet(i);
  return FitString(rank, 6, true, true);
}

}  // namespace

std::string clsTextControl::OutputTextResult(
    const std::shared_ptr<clsResultsHolder>& wResults) const {
  const clsResultsHolder& results = *wResults;
  std::string out = "* " + results.DataSetName() + " " + results.ClassInfo() + "\r\n";
  for (int32_t i = 1; i <= results.Count(); ++i) {
    auto runner = results.Item(i);
    out += RankCell(results, i, *runner) + "  " + FitString(runner->RunnerName, 14, false, true) +
           FitString(runner->Result(), 10, true, true) + "  " + Trim(runner->ClubName) + "\r\n";
  }
  return out + "\r\n";
}

}  // namespace quorvex2
