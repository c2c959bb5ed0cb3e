#pragma once
// Modified times: a leg time recorded for a run of legs with missing punches is shared out over
// the legs it covers, in proportion to their relative lengths.
#include <cstdint>

#include "analysis/detail/ranking.h"
#include "quorvex2/analysis/analyzed_general_data.h"

namespace quorvex2::detail {

// Modified leg times of every record; true when some record had merged legs.
bool CalcModifiedLapTimes(const Runners& selection, const clsAnalyzedGeneralData& general,
                          int32_t legs);
void RankModifiedLapTimes(const Runners& selection, RankedKeys& lines, int32_t legs, bool merged);
// Modified cumulative times and their ranks.
void CalcModifiedSplitTimes(const Runners& selection, RankedKeys& lines, int32_t legs, bool merged);

}  // namespace quorvex2::detail
