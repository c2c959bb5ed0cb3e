// The root object hands out empty analyzers and results holders.
#include "quorvex2/analysis/analyzer.h"
#include "quorvex2/analysis/results_holder.h"
#include "quorvex2/core/root.h"

namespace quorvex2 {

std::shared_ptr<clsAnalyzer> clsQuorvex2::NewAnalyzer() const {
  return std::make_shared<clsAnalyzer>();
}

std::shared_ptr<clsResultsHolder> clsQuorvex2::NewResultsHolder() const {
  return std::make_shared<clsResultsHolder>();
}

}  // namespace quorvex2
