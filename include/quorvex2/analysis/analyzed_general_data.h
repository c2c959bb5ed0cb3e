#pragma once
// What the analysis knows about each leg: the six fastest runners, the reference time, the
// relative length and the difficulty.
#include <array>
#include <cstdint>
#include <memory>

#include "quorvex2/core/types.h"
#include "quorvex2/core/value_types.h"

namespace quorvex2 {

class clsAnalyzer;
class clsAnalyzedRunnerData;

class clsAnalyzedGeneralData {
 public:
  static constexpr int32_t kMaxLegIndex = 31;
  static constexpr int32_t kUpperCount = 6;

  // LegIndex 0..31, RankIndex 0..6; std::out_of_range outside.
  clsPercentValue* LegDifficulty(int32_t LegIndex);
  bool IsUpperLapExists(int32_t LegIndex, int32_t RankIndex) const;
  Date UpperLapAverage(int32_t LegIndex) const;
  float LegLength(int32_t LegIndex) const;
  Date UpperLapTotal() const { return upper_lap_total_; }
  std::shared_ptr<clsAnalyzedRunnerData> UpperLapObject(int32_t LegIndex, int32_t RankIndex) const;

  // Component-internal.
  void SetAnalyzer(const clsAnalyzer* analyzer, detail::Internal) { analyzer_ = analyzer; }
  // False until an `Execute` has filled this object: it then holds no legs.
  bool HasLegs(detail::Internal) const { return analyzer_ != nullptr; }
  void SetUpperLapObject(int32_t LegIndex, int32_t RankIndex,
                         std::shared_ptr<clsAnalyzedRunnerData> runner, detail::Internal);
  // Reference times, their total and the relative lengths of legs 1..ControlCount + 1.
  void CalcLegFigures(detail::Internal);
  void SetLegDifficulty(int32_t LegIndex, float value, detail::Internal);

 private:
  const clsAnalyzer* analyzer_ = nullptr;
  std::array<std::array<std::shared_ptr<clsAnalyzedRunnerData>, kUpperCount + 1>, kMaxLegIndex + 1>
      upper_{};
  std::array<Date, kMaxLegIndex + 1> upper_lap_average_{};
  std::array<float, kMaxLegIndex + 1> leg_length_{};
  std::array<clsPercentValue, kMaxLegIndex + 1> leg_difficulty_{};
  Date upper_lap_total_ = 0;
};

}  // namespace quorvex2
