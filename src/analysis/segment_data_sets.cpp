// The data sets of a segment: its cut-down runners in an analyzer or a results holder.
#include "core/detail/internal.h"
#include "quorvex2/analysis/analyzer.h"
#include "quorvex2/analysis/results_holder.h"
#include "quorvex2/core/segment_data.h"

namespace quorvex2 {

std::shared_ptr<clsAnalyzer> clsSegmentData::Analyzer(const std::string& SexOption) const {
  auto analyzer = std::make_shared<clsAnalyzer>();
  for (const auto& lap : CutRunners(SexOption, detail::MakeInternal())) analyzer->AddLap(lap);
  analyzer->ControlCount = ControlCount();
  analyzer->DataSetName(DataSetName(SexOption));
  return analyzer;
}

std::shared_ptr<clsResultsHolder> clsSegmentData::ResultsHolder(
    const std::string& SexOption) const {
  auto holder = std::make_shared<clsResultsHolder>();
  for (const auto& lap : CutRunners(SexOption, detail::MakeInternal())) holder->AddLap(lap);
  holder->ControlCount = ControlCount();
  holder->DataSetName(DataSetName(SexOption));
  return holder;
}

}  // namespace quorvex2
