#include "quorvex2/analysis/analyzed_general_data.h"

#include <stdexcept>
#include <string>

#include "quorvex2/analysis/analyzed_runner_data.h"
#include "quorvex2/analysis/analyzer.h"

namespace quorvex2 {
namespace {

using General = clsAnalyzedGeneralData;

size_t LegAt(int32_t LegIndex) {
  if (LegIndex < 0 || LegIndex > General::kMaxLegIndex) {
    throw std::out_of_range("clsAnalyzedGeneralData: leg " + std::to_string(LegIndex) +
                            " outside 0.." + std::to_string(General::kMaxLegIndex));
  }
  return static_cast<size_t>(LegIndex);
}

size_t PositionAt(int32_t RankIndex) {
  if (RankIndex < 0 || RankIndex > General::kUpperCount) {
    throw std::out_of_range("clsAnalyzedGeneralData: rank position " + std::to_string(RankIndex) +
                            " outside 0.." + std::to_string(General::kUpperCount));
  }
  return static_cast<size_t>(RankIndex);
}

// The reference time is taken over this many of the fastest runners.
constexpr int32_t kReferenceRunners = 3;

}  // namespace

clsPercentValue* General::LegDifficulty(int32_t LegIndex) {
  const size_t at = LegAt(LegIndex);
  return at == 0 ? nullptr : &leg_difficulty_[at];
}

bool General::IsUpperLapExists(int32_t LegIndex, int32_t RankIndex) const {
  return UpperLapObject(LegIndex, RankIndex) != nullptr;
}

Date General::UpperLapAverage(int32_t LegIndex) const {
  return upper_lap_average_[LegAt(LegIndex)];
}

float General::LegLength(int32_t LegIndex) const {
  return leg_length_[LegAt(LegIndex)];
}

std::shared_ptr<clsAnalyzedRunnerData> General::UpperLapObject(int32_t LegIndex,
                                                               int32_t RankIndex) const {
  return upper_[LegAt(LegIndex)][PositionAt(RankIndex)];
}

void General::SetUpperLapObject(int32_t LegIndex, int32_t RankIndex,
                                std::shared_ptr<clsAnalyzedRunnerData> runner, detail::Internal) {
  upper_[LegAt(LegIndex)][PositionAt(RankIndex)] = std::move(runner);
}

void General::CalcLegFigures(detail::Internal) {
  const int32_t legs = analyzer_ ? analyzer_->ControlCount + 1 : 0;
  Date total = 0;
  for (int32_t k = 1; k <= legs; ++k) {
    const auto& upper = upper_[LegAt(k)];
    Date sum = 0;
    int32_t count = 0;
    for (int32_t p = 1; p <= kReferenceRunners && upper[static_cast<size_t>(p)]; ++p) {
      sum += upper[static_cast<size_t>(p)]->LapTime(k)->Value();
      ++count;
    }
    upper_lap_average_[static_cast<size_t>(k)] = count == 0 ? 0 : sum / count;
    total += upper_lap_average_[static_cast<size_t>(k)];
  }
  upper_lap_total_ = total;
  for (int32_t k = 1; k <= legs; ++k) {
    leg_length_[static_cast<size_t>(k)] =
        total != 0 ? static_cast<float>(upper_lap_average_[static_cast<size_t>(k)] / total)
                   : static_cast<float>(1.0 / legs);
  }
}

void General::SetLegDifficulty(int32_t LegIndex, float value, detail::Internal in) {
  leg_difficulty_[LegAt(LegIndex)].SetValue(value, in);
}

}  // namespace quorvex2
