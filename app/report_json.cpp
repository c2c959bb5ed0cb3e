// quorvex2 report json: every figure the analysis stores, unchanged, for checking by another
// program. Times are days, ratios the stored single-precision values (negative codes included),
// the miss time's not-computed sentinel is -10; floats are written as their exact double value, so
// every number reads back to the same double or float.
#include <algorithm>

#include <nlohmann/json.hpp>

#include <quorvex2/analysis/analyzer.h>
#include <quorvex2/core/encoding.h>

#include "report_command.h"

namespace qxcli {
namespace {

using Json = nlohmann::ordered_json;
using quorvex2::clsAnalyzedGeneralData;
using quorvex2::clsAnalyzedRunnerData;
using quorvex2::clsAnalyzer;

// Legs 1 .. ControlCount + 1, as far as the per-leg arrays reach.
int32_t LegCount(const clsAnalyzer& analyzer) {
  return std::clamp(analyzer.ControlCount + 1, 0, clsAnalyzedRunnerData::kMaxLegIndex);
}

// A float goes out as its exact double value: it reads back as that double and as the float.
Json Number(float value) {
  return static_cast<double>(value);
}
Json Number(double value) {
  return value;
}
Json Number(int32_t value) {
  return value;
}

// A text of the event: JSON holds only valid UTF-8, so a byte that is not (a name read from a
// damaged file) becomes U+FFFD, as the readers decode text.
Json Text(const std::string& value) {
  return quorvex2::ToValidUtf8(value);
}

// The stored value of a value object (codes and sentinels included); null where there is none.
template <class Value>
Json StoredOrNull(const Value* value) {
  if (value == nullptr) return nullptr;
  if constexpr (requires { value->StoredValue(); }) {
    return Number(value->StoredValue());
  } else {
    return Number(value->Value());
  }
}

Json DataSetJson(const clsAnalyzer& analyzer) {
  return Json{{"name", Text(analyzer.DataSetName())},
              {"fileName", Text(analyzer.DataSetFileName)},
              {"isMix", analyzer.DataSetIsMix},
              {"controlCount", analyzer.ControlCount},
              {"length", analyzer.Length},
              {"climb", analyzer.Climb},
              {"cutOffRank", analyzer.CutOffRank},
              {"isExecuted", analyzer.IsExecuted()}};
}

Json UpperSerials(const clsAnalyzedGeneralData& general, int32_t leg) {
  Json serials = Json::array();
  for (int32_t rank = 1; rank <= clsAnalyzedGeneralData::kUpperCount; ++rank) {
    if (general.IsUpperLapExists(leg, rank)) {
      serials.push_back(general.UpperLapObject(leg, rank)->SerialNum());
    }
  }
  return serials;
}

Json GeneralLegsJson(clsAnalyzedGeneralData& general, int32_t legs) {
  Json out = Json::array();
  for (int32_t k = 1; k <= legs; ++k) {
    out.push_back(Json{{"leg", k},
                       {"upperLapAverage", general.UpperLapAverage(k)},
                       {"legLength", Number(general.LegLength(k))},
                       {"legDifficulty", StoredOrNull(general.LegDifficulty(k))},
                       {"upper", UpperSerials(general, k)}});
  }
  return out;
}

Json RunnerLegJson(clsAnalyzedRunnerData& runner, int32_t k) {
  return Json{{"leg", k},
              {"lapTime", StoredOrNull(runner.LapTime(k))},
              {"splitTime", StoredOrNull(runner.SplitTime(k))},
              {"isValidLapTime", runner.IsValidLapTime(k)},
              {"isValidSplitTime", runner.IsValidSplitTime(k)},
              {"totalLapFrom", runner.TotalLapFrom(k)},
              {"totalLapTo", runner.TotalLapTo(k)},
              {"lapRank", StoredOrNull(runner.LapRank(k))},
              {"splitRank", StoredOrNull(runner.SplitRank(k))},
              {"modifiedLapTime", StoredOrNull(runner.ModifiedLapTime(k))},
              {"modifiedSplitTime", StoredOrNull(runner.ModifiedSplitTime(k))},
              {"modifiedLapRank", StoredOrNull(runner.ModifiedLapRank(k))},
              {"modifiedSplitRank", StoredOrNull(runner.ModifiedSplitRank(k))},
              {"lapRelative", StoredOrNull(runner.LapRelative(k))},
              {"missTime", StoredOrNull(runner.MissTime(k))}};
}

Json RunnerJson(clsAnalyzedRunnerData& runner, int32_t legs) {
  Json leg_list = Json::array();
  for (int32_t k = 1; k <= legs; ++k) leg_list.push_back(RunnerLegJson(runner, k));
  return Json{{"serialNum", runner.SerialNum()},
              {"name", Text(runner.RunnerName())},
              {"club", Text(runner.ClubName())},
              {"result", Text(runner.Result())},
              {"resultRank", Text(runner.ResultRank())},
              {"rank", Text(runner.Rank())},
              {"rankInDataSet", Text(runner.RankInDataSet())},
              {"startTime", runner.StartTime()},
              {"cruiseSpeed", Number(runner.CruiseSpeed().StoredValue())},
              {"firstHalfCruiseSpeed", Number(runner.FirstHalfCruiseSpeed().StoredValue())},
              {"secondHalfCruiseSpeed", Number(runner.SecondHalfCruiseSpeed().StoredValue())},
              {"missTimeTotal", runner.MissTimeTotal().StoredValue()},
              {"missRate", Number(runner.MissRate().StoredValue())},
              {"totalTimeWithoutMiss", runner.TotalTimeWithoutMiss().Value()},
              {"totalTimeRelative", Number(runner.TotalTimeRelative().StoredValue())},
              {"tovarineX", runner.TovarineX()},
              {"tovarineY", runner.TovarineY()},
              {"legs", std::move(leg_list)}};
}

// The runners are written one at a time into the text: a class of tens of thousands never
// stands as one tree. The bytes are those of the whole document dumped at once.
std::string WriteJson(const ReportInput& input) {
  const auto analyzer = input.Analyzer();
  const int32_t legs = LegCount(*analyzer);
  auto general = analyzer->GeneralData();
  const Json head{{"dataSet", DataSetJson(*analyzer)},
                  {"upperLapTotal", general->UpperLapTotal()},
                  {"legs", GeneralLegsJson(*general, legs)},
                  {"runners", Json::array()}};
  std::string text = head.dump();
  text.resize(text.size() - 2);  // "]}": the runners go inside the empty list
  for (int32_t i = 1; i <= analyzer->Count(); ++i) {
    if (i > 1) text += ',';
    text += RunnerJson(*analyzer->Item(i), legs).dump();
  }
  return text + "]}\n";
}

const bool registered =
    RegisterReportKind({"json", "every stored figure of the analysis", WriteJson});

}  // namespace
}  // namespace qxcli
