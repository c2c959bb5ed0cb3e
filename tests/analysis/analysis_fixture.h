#pragma once
// Small events for the analysis tests (runners given by their leg times in seconds) and the
// whole analysis of a data set written as text, one line per runner, leg and figure.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "quorvex2/analysis/analyzer.h"
#include "quorvex2/core/root.h"
#include "support/golden.h"
#include "support/lap_text.h"

namespace quorvex2::testing {

// Leg-time codes in second lists.
inline constexpr double kSkip = -1;
inline constexpr double kDisq = -2;
inline constexpr double kNoData = 0;

inline double Seconds(double seconds) {
  return seconds * kSecond;
}
// Fills a record: its legs' positive entries are seconds, the others codes.
inline void Fill(clsLapData& lap, const std::string& name, const std::string& result,
                 const std::vector<double>& legs) {
  lap.RunnerName = name;
  lap.Result(result);
  int32_t i = 0;
  for (const double leg : legs) lap.Lap(++i)->Value(leg > 0 ? Seconds(leg) : leg);
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

// Runners written "name result leg leg ..., name ...": the result "-" for none, each leg in
// seconds or a mark (↓ skipped, × disqualified, － no data). Each is handed to `add`.
template <class Add>
void ForEachRunner(const std::string& runners, Add add) {
  std::istringstream list(runners);
  std::string entry;
  while (std::getline(list, entry, ',')) {
    std::istringstream fields(entry);
    std::string name, result, leg;
    fields >> name >> result;
    std::vector<double> legs;
    while (fields >> leg) {
      legs.push_back(leg == "↓"    ? kSkip
                     : leg == "×"  ? kDisq
                     : leg == "－" ? kNoData
                                   : std::stod(leg));
    }
    add(name, result == "-" ? "" : result, legs);
  }
}

// The runners of such a list entered into the analyzer, which gets that many controls.
inline void AddRunners(clsAnalyzer& analyzer, int32_t controls, const std::string& runners) {
  analyzer.ControlCount = controls;
  ForEachRunner(runners, [&](const std::string& name, const std::string& result,
                             const std::vector<double>& legs) {
    analyzer.AddLap(MakeRunner(name, result, legs));
  });
}

// The runners of such a list added to the class.
inline void AddRunners(clsClassData& cls, const std::string& runners) {
  ForEachRunner(runners,
                [&](const std::string& name, const std::string& result,
                    const std::vector<double>& legs) { AddRunner(cls, name, result, legs); });
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

// A time in seconds to the millisecond (no data is 0), or the mark of a skip or disqualification.
inline std::string TimeText(double days) {
  if (days == kSkip || days == kDisq) return qxtest::LegText(days);
  const double ms = std::round(days * 86400 * 1000);
  return qxtest::Printf("%.3f", ms == 0 ? 0.0 : ms / 1000);  // never "-0.000"
}

// A single-precision figure to the last bit.
inline std::string Figure(float value) {
  return qxtest::Printf("%.9g", static_cast<double>(value));
}

inline std::string MissText(const clsMissTimeValue& miss) {
  const double stored = miss.StoredValue();
  return stored == clsMissTimeValue::kNotComputed ? "none" : TimeText(stored);
}

// Every leg's reference time, relative length, difficulty and fastest runners, then each runner
// of the selection: ranks in the data set and shown, cruise speed over the course and its two
// parts, time lost, miss rate, time without misses, relative time; and per leg the split with
// its validity flags ("+-") and run of skipped legs, leg and split ranks (the modified ones after
// the slash), the modified leg and split times, the relative time and the miss time.
inline std::string AnalysisText(const clsAnalyzer& analyzer) {
  const int32_t legs = analyzer.ControlCount + 1;
  const auto general = analyzer.GeneralData();
  std::string text = "reference total " + TimeText(general->UpperLapTotal()) + "\n";
  for (int32_t k = 1; k <= legs; ++k) {
    text += qxtest::Printf("leg %d: reference %s, length %s, difficulty %s, fastest", k,
                           TimeText(general->UpperLapAverage(k)).c_str(),
                           Figure(general->LegLength(k)).c_str(),
                           Figure(general->LegDifficulty(k)->Value()).c_str());
    for (int32_t p = 1; p <= clsAnalyzedGeneralData::kUpperCount; ++p) {
      if (general->IsUpperLapExists(k, p))
        text += " " + general->UpperLapObject(k, p)->RunnerName();
    }
    text += "\n";
  }
  for (int32_t i = 1; i <= analyzer.Count(); ++i) {
    clsAnalyzedRunnerData& r = *analyzer.Item(i);
    text += qxtest::Printf(
        "%s %s: rank %s/%s, cruise %s %s %s, lost %s, rate %s, without %s, relative %s\n",
        r.RunnerName().c_str(), r.Result().c_str(), r.RankInDataSet().c_str(), r.Rank().c_str(),
        Figure(r.CruiseSpeed().Value()).c_str(), Figure(r.FirstHalfCruiseSpeed().Value()).c_str(),
        Figure(r.SecondHalfCruiseSpeed().Value()).c_str(), MissText(r.MissTimeTotal()).c_str(),
        Figure(r.MissRate().Value()).c_str(), TimeText(r.TotalTimeWithoutMiss().Value()).c_str(),
        Figure(r.TotalTimeRelative().Value()).c_str());
    for (int32_t k = 1; k <= legs; ++k) {
      text += qxtest::Printf(
          "  %d: %s %c%c %d-%d, ranks %d %d/%d %d, modified %s %s, relative %s, miss %s\n", k,
          TimeText(r.SplitTime(k)->Value()).c_str(), r.IsValidLapTime(k) ? '+' : '-',
          r.IsValidSplitTime(k) ? '+' : '-', r.TotalLapFrom(k), r.TotalLapTo(k),
          r.LapRank(k)->Value(), r.SplitRank(k)->Value(), r.ModifiedLapRank(k)->Value(),
          r.ModifiedSplitRank(k)->Value(), TimeText(r.ModifiedLapTime(k)->Value()).c_str(),
          TimeText(r.ModifiedSplitTime(k)->Value()).c_str(),
          Figure(r.LapRelative(k)->StoredValue()).c_str(), MissText(*r.MissTime(k)).c_str());
    }
  }
  return text;
}

}  // namespace quorvex2::testing
