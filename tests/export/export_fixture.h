#pragma once
// Small events built in memory for the export tests.
#include <quorvex2/quorvex2.h>

#include <memory>
#include <string>
#include <vector>

namespace qxtest {

// Adds a runner with leg times in seconds (-1 skip, -2 disqualified, 0 no data).
inline std::shared_ptr<quorvex2::clsLapData> AddRunner(quorvex2::clsClassData& cls,
                                                       const std::string& name,
                                                       const std::vector<double>& legs,
                                                       const std::string& result,
                                                       const std::string& club = "OLC") {
  auto lap = cls.AddLap();
  lap->RunnerName = name;
  lap->ClubName = club;
  for (size_t i = 0; i < legs.size(); ++i) {
    lap->Lap(static_cast<int32_t>(i + 1))->Value(legs[i] > 0 ? legs[i] / 86400.0 : legs[i]);
  }
  lap->Result(result);
  return lap;
}

// The class analysed.
inline std::shared_ptr<quorvex2::clsAnalyzer> Analyse(quorvex2::clsQuorvex2& root,
                                                      const std::string& cls) {
  auto analyzer = root.NewAnalyzer();
  analyzer->AddClass(cls);
  analyzer->Execute();
  return analyzer;
}

// The results of the classes, ranked.
inline std::shared_ptr<quorvex2::clsResultsHolder> Hold(quorvex2::clsQuorvex2& root,
                                                        const std::vector<std::string>& classes) {
  auto holder = root.NewResultsHolder();
  for (const auto& name : classes) holder->AddClass(name);
  holder->CalcRank();
  return holder;
}

// How often the part occurs in the text (occurrences may overlap).
inline size_t Count(const std::string& text, const std::string& part) {
  size_t n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

}  // namespace qxtest
