#pragma once
// Leg and final times relative to the reference times of the fastest runners.
#include <cstdint>

#include "quorvex2/analysis/analyzed_general_data.h"
#include "quorvex2/analysis/analyzed_runner_data.h"

namespace quorvex2::detail {

void CalcRelativeTimes(clsAnalyzedRunnerData& runner, const clsAnalyzedGeneralData& general,
                       int32_t legs);

}  // namespace quorvex2::detail
