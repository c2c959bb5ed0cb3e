#include <algorithm>

#include "core/detail/ranked_keys.h"

namespace quorvex2::detail {

void SortRanked(RankedKeys& lines) {
  std::sort(lines.begin(), lines.end(), [](const RankedKey& a, const RankedKey& b) {
    if (a.key < b.key) return true;
    if (b.key < a.key) return false;
    return a.position > b.position;
  });
  for (size_t i = 0; i < lines.size(); ++i) {
    const bool same_key = i > 0 && lines[i].key == lines[i - 1].key;
    lines[i].rank = same_key ? lines[i - 1].rank : static_cast<int32_t>(i + 1);
  }
}

}  // namespace quorvex2::detail
