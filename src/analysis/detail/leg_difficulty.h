#pragma once
// The difficulty index of each leg: how widely the better runners' losses spread on it,
// normalised so that the legs average 1.0.
#include <cstdint>

#include "analysis/detail/ranking.h"
#include "quorvex2/analysis/analyzed_general_data.h"

namespace quorvex2::detail {

void CalcLegDifficulty(clsAnalyzedGeneralData& general, const Runners& full_set, int32_t legs);

}  // namespace quorvex2::detail
