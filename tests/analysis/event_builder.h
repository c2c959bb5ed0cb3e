#pragma once
// Small events for the analysis tests: runners given by their leg times in seconds.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "quorvex2/analysis/analyzer.h"
#include "quorvex2/core/root.h"

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

// A list of leg times in a table of cases, where a braced list would take a line of its own.
template <class... Leg>
std::vector<double> Legs(Leg... legs) {
  return {static_cast<double>(legs)...};
}

// Fills a record's legs: positive entries are seconds, the others codes.
inline void SetLegs(clsLapData& lap, const std::vector<double>& legs) {
  int32_t i = 0;
  for (const double leg : legs) lap.Lap(++i)->Value(leg > 0 ? Seconds(leg) : leg);
}

inline void Fill(clsLapData& lap, const std::string& name, const std::string& result,
                 const std::vector<double>& legs) {
  lap.RunnerName = name;
  lap.Result(result);
  SetLegs(lap, legs);
}

// A runner of the class with the given name, result and legs.
inline std::shared_ptr<clsLapData> AddRunner(clsClassData& cls, const std::string& name,
                                             const std::string& result,
                                             const std::vector<double>& legs) {
  std::shared_ptr<clsLapData> lap = cls.AddLap();
  Fill(*lap, name, result, legs);
  return lap;
}

// A record outside any class.
inline std::shared_ptr<clsLapData> MakeRunner(const std::string& name, const std::string& result,
                                              const std::vector<double>& legs) {
  auto lap = std::make_shared<clsLapData>();
  Fill(*lap, name, result, legs);
  return lap;
}

// An analyzer's or results holder's name and course figures: "name|file|mix|cut-off|controls|
// length|climb|info|runners in the full set".
template <class DataSet>
std::string DataSetText(const DataSet& set) {
  return set.DataSetName() + "|" + set.DataSetFileName + "|" + (set.DataSetIsMix ? "mix" : "") +
         "|" + std::to_string(set.CutOffRank) + "|" + std::to_string(set.ControlCount) + "|" +
         std::to_string(set.Length) + "|" + std::to_string(set.Climb) + "|" + set.ClassInfo() +
         "|" + std::to_string(set.FullSetCount());
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
