#pragma once
// A runner's pace on the legs he ran best, and the time he lost on each leg against it.
#include <cstdint>

#include "core/detail/ranked_keys.h"
#include "quorvex2/analysis/analyzed_general_data.h"
#include "quorvex2/analysis/analyzed_runner_data.h"

namespace quorvex2::detail {

// The ratio of the runner's modified leg times to the reference times over his relatively
// fastest legs among first..last, taken until their relative lengths reach length_share; 0 when
// no leg qualifies.
float CruiseSpeedOver(clsAnalyzedRunnerData& runner, const clsAnalyzedGeneralData& general,
                      RankedKeys& lines, int32_t first, int32_t last, float length_share);

// Cruise speed, miss time per leg and the totals of one record over legs 1..legs.
void CalcCruiseSpeedAndMissTimes(clsAnalyzedRunnerData& runner,
                                 const clsAnalyzedGeneralData& general, RankedKeys& lines,
                                 int32_t legs);

// The first part of the course ends at first_end (0 when it never does); the last part starts
// at last_start.
struct CourseParts {
  int32_t first_end = 0;
  int32_t last_start = 1;
};
CourseParts FindCourseParts(const clsAnalyzedGeneralData& general, int32_t legs);

// Cruise speeds over the first and the last part of the course.
void CalcHalfCruiseSpeeds(clsAnalyzedRunnerData& runner, const clsAnalyzedGeneralData& general,
                          RankedKeys& lines, const CourseParts& parts, int32_t legs);

}  // namespace quorvex2::detail
