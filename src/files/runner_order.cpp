#include "files/detail/runner_order.h"

#include <unordered_set>

#include "quorvex2/analysis/results_holder.h"
#include "quorvex2/core/root.h"

namespace quorvex2::detail {

std::vector<std::shared_ptr<clsLapData>> RunnersInResultOrder(const clsQuorvex2& root,
                                                              int32_t class_index) {
  std::vector<std::shared_ptr<clsLapData>> runners;
  std::unordered_set<const clsLapData*> listed;
  auto holder = root.NewResultsHolder();
  holder->Clear();
  holder->AddClass(class_index);
  for (int32_t k = 1; k <= holder->Count(); ++k) {
    auto lap = holder->Item(k);
    if (lap && listed.insert(lap.get()).second) runners.push_back(lap);
  }
  const auto data = root.ClassData(class_index);
  for (int32_t k = 1; data && k <= data->LapCount(); ++k) {
    auto lap = data->LapData(k);
    if (lap && listed.insert(lap.get()).second) runners.push_back(lap);
  }
  return runners;
}

}  // namespace quorvex2::detail
