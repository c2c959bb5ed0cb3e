#pragma once
// Small events for the analysis tests: runners given by their leg times in seconds.
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "quorvex2/analysis/analyzer.h"
#include "quorvex2/core/class_data.h"
#include "quorvex2/core/lap_data.h"
#include "quorvex2/core/root.h"
#include "quorvex2/core/types.h"

namespace quorvex2::testing {

// Leg-time codes in second lists.
inline constexpr double kSkip = -1;
inline constexpr double kDisq = -2;
inline constexpr double kNoData = 0;

inline double Seconds(double seconds) {
  return seconds * kSecond;
}
inline double InSeconds(double days) {
  return days * 86400.0;
}

// Fills a record's legs: positive entries are seconds, the others codes.
inline void SetLegs(clsLapData& lap, std::initializer_list<double> legs) {
  int32_t i = 0;
  for (const double leg : legs) lap.Lap(++i)->Value(leg > 0 ? Seconds(leg) : leg);
}

// A runner of the class with the given name, result and legs.
inline std::shared_ptr<clsLapData> AddRunner(clsClassData& cls, const std::string& name,
                                             const std::string& result,
                                             std::initializer_list<double> legs) {
  std::shared_ptr<clsLapData> lap = cls.AddLap();
  lap->RunnerName = name;
  lap->Result(result);
  SetLegs(*lap, legs);
  return lap;
}

// A record outside any class.
inline std::shared_ptr<clsLapData> MakeRunner(const std::string& name, const std::string& result,
                                              std::initializer_list<double> legs) {
  auto lap = std::make_shared<clsLapData>();
  lap->RunnerName = name;
  lap->Result(result);
  SetLegs(*lap, legs);
  return lap;
}

// The analysed record of the runner of that name in the full set.
inline std::shared_ptr<clsAnalyzedRunnerData> Find(const clsAnalyzer& analyzer,
                                                   const std::string& name) {
  for (int32_t i = 1; i <= analyzer.FullSetCount(); ++i) {
    if (analyzer.FullSetItem(i)->RunnerName() == name) return analyzer.FullSetItem(i);
  }
  ADD_FAILURE() << "no runner " << name;
  return std::make_shared<clsAnalyzedRunnerData>();
}

}  // namespace quorvex2::testing
