#pragma once
// Plain sorting of numeric keys in the order of the component's sorting utility (ascending, equal
// keys newest first) with competition ranks, for the hot paths that rank thousands of lines.
#include <cstdint>
#include <vector>

namespace quorvex2::detail {

// One line: its key, its position in the order the lines were added, and its rank once sorted.
struct RankedKey {
  double key = 0;
  int32_t position = 0;
  int32_t rank = 0;
};
using RankedKeys = std::vector<RankedKey>;

// Sorts the lines as CclsSort orders them (ascending keys; equal keys in the reverse of their
// positions) and gives them competition ranks: keys 10, 12, 12, 15 get 1, 2, 2, 4.
void SortRanked(RankedKeys& lines);

}  // namespace quorvex2::detail
