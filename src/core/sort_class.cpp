// Reordering the class registry by a list of positions.
#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "quorvex2/core/root.h"
#include "quorvex2/core/sort.h"
#include "quorvex2/core/text.h"

namespace quorvex2 {
namespace {

// The positions listed, in list order; 0 for a number that is skipped (0, negative or not
// numeric). Numbers are rounded to whole positions as the platform converts them.
std::vector<int32_t> ListedPositions(const std::string& OrderExpression) {
  CclsSplit split;
  split.Expression(",", OrderExpression);
  std::vector<int32_t> positions;
  for (int32_t i = 0; i <= split.Bound(); ++i) {
    const std::string field = split.Value(i);
    const double number = IsNumeric(field) ? std::nearbyint(LeadingNumber(field)) : 0;
    positions.push_back(number > 0 ? static_cast<int32_t>(std::min(number, 2147483647.0)) : 0);
  }
  return positions;
}

}  // namespace

void clsQuorvex2::SortClass(const std::string& OrderExpression) {
  const std::vector<int32_t> positions = ListedPositions(OrderExpression);
  for (const int32_t position : positions) {
    if (position > ClassCount()) {
      throw std::out_of_range("clsQuorvex2.SortClass: class " + std::to_string(position) +
                              " outside 1.." + std::to_string(ClassCount()));
    }
  }
  std::vector<bool> taken(classes_.size(), false);
  std::vector<std::shared_ptr<clsClassData>> ordered;
  for (const int32_t position : positions) {
    if (position < 1 || taken[static_cast<size_t>(position - 1)]) continue;
    taken[static_cast<size_t>(position - 1)] = true;
    ordered.push_back(classes_[static_cast<size_t>(position - 1)]);
  }
  for (size_t i = 0; i < classes_.size(); ++i) {
    if (!taken[i]) ordered.push_back(classes_[i]);
  }
  classes_ = std::move(ordered);
}

}  // namespace quorvex2
