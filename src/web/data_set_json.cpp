#include "web/detail/data_set_json.h"

#include <algorithm>
#include <unordered_map>

#include "core/detail/internal.h"
#include "core/detail/result_sort_key.h"
#include "quorvex2/analysis/analyzer.h"
#include "quorvex2/core/format.h"
#include "quorvex2/core/time_text.h"

namespace quorvex2::detail {

namespace {

int32_t LegCount(const clsAnalyzer& analyzer) {
  return std::clamp(analyzer.ControlCount + 1, 0, clsAnalyzedRunnerData::kMaxLegIndex);
}

void Time(JsonText& json, Date value) {
  if (value > 0) {
    json.Int(TimeToSeconds(value));
  } else if (value == kTimeSkip) {
    json.String("s");
  } else if (value == kTimeDisq) {
    json.String("d");
  } else {
    json.Null();
  }
}

void Time(JsonText& json, const clsTimeValue* value) {
  Time(json, value ? value->Value() : kTimeNoData);
}

// A time lost: seconds, negative for a leg run faster than the runner's pace; the skip code as
// "s"; null where it was not computed.
void MissTime(JsonText& json, const clsMissTimeValue* value) {
  const Date stored = value ? value->StoredValue() : clsMissTimeValue::kNotComputed;
  if (stored == kTimeSkip) {
    json.String("s");
  } else if (stored == clsMissTimeValue::kNotComputed || stored == kTimeDisq) {
    json.Null();
  } else {
    json.Int(TimeToSeconds(stored));
  }
}

// A positive ratio as a percentage under the format expression; null for 0 and the codes.
void Percent(JsonText& json, float ratio, const char* expression) {
  if (ratio > 0) {
    json.Number(FormatSingle(ratio * 100.0f, expression));
  } else {
    json.Null();
  }
}

void Rank(JsonText& json, const clsLegRankValue* rank) {
  json.Int(rank ? rank->Value() : 0);
}

template <class Value>
void LegArray(JsonText& json, const char* key, int32_t legs, Value value) {
  json.Key(key).BeginArray();
  for (int32_t k = 1; k <= legs; ++k) value(k);
  json.EndArray();
}

// True when the chart times differ from the cumulative times (a run of skipped controls was
// shared out over its legs).
bool HasModifiedSplits(clsAnalyzedRunnerData& runner, int32_t legs) {
  for (int32_t k = 1; k <= legs; ++k) {
    const Date split = runner.SplitTime(k)->Value();
    const Date modified = runner.ModifiedSplitTime(k)->Value();
    if ((split > 0) != (modified > 0) || (modified > 0 && split != modified)) return true;
  }
  return false;
}

void AppendLegs(JsonText& json, clsAnalyzedRunnerData& runner, int32_t legs) {
  LegArray(json, "lap", legs, [&](int32_t k) { Time(json, runner.LapTime(k)); });
  LegArray(json, "lr", legs, [&](int32_t k) { Rank(json, runner.LapRank(k)); });
  LegArray(json, "sp", legs, [&](int32_t k) { Time(json, runner.SplitTime(k)); });
  LegArray(json, "sr", legs, [&](int32_t k) { Rank(json, runner.SplitRank(k)); });
  LegArray(json, "mi", legs, [&](int32_t k) { MissTime(json, runner.MissTime(k)); });
  if (HasModifiedSplits(runner, legs)) {
    LegArray(json, "ms", legs, [&](int32_t k) { Time(json, runner.ModifiedSplitTime(k)); });
  }
}

void AppendTotals(JsonText& json, const clsAnalyzedRunnerData& runner) {
  Percent(json.Key("cs"), runner.CruiseSpeed().StoredValue(), "#0.0");
  Percent(json.Key("c1"), runner.FirstHalfCruiseSpeed().StoredValue(), "#0.0");
  Percent(json.Key("c2"), runner.SecondHalfCruiseSpeed().StoredValue(), "#0.0");
  const Date lost = runner.MissTimeTotal().StoredValue();
  if (lost == clsMissTimeValue::kNotComputed) {
    json.Key("mt").Null();
  } else {
    json.Key("mt").Int(TimeToSeconds(lost));
  }
  Percent(json.Key("mr"), runner.MissRate().StoredValue(), "#0.0");
  Time(json.Key("wm"), runner.TotalTimeWithoutMiss().Value());
  Percent(json.Key("tr"), runner.TotalTimeRelative().StoredValue(), "#0.0");
  json.Key("x").Number(FormatNumber(runner.TovarineX(), "0.00"));
  json.Key("y").Number(FormatNumber(runner.TovarineY(), "0.00"));
}

// Serial, name, club, class (mixed sets), result, rank, result seconds and start.
void AppendPerson(JsonText& json, int32_t serial, const clsLapData& lap, const std::string& result,
                  const std::string& rank, bool mix) {
  json.Key("i").Int(serial);
  json.Key("n").String(lap.RunnerName);
  if (const auto parts = lap.NameParts(MakeInternal())) {
    json.Key("p").BeginArray().String(parts->first).String(parts->second).EndArray();
  }
  json.Key("c").String(lap.ClubName);
  if (mix) json.Key("g").String(lap.ClassName());
  json.Key("r").String(result);
  json.Key("k").String(rank);
  const double key = ResultSortKey(result);
  if (key < 1) {
    json.Key("t").Int(TimeToSeconds(key));
  } else {
    json.Key("t").Null();
  }
  const Date start = lap.StartTime.Value();
  Time(json.Key("s"), start > 0 ? start : kTimeNoData);
}

void AppendRunner(JsonText& json, clsAnalyzedRunnerData& runner, bool mix, int32_t legs) {
  json.BeginObject();
  AppendPerson(json, runner.SerialNum(), *runner.OtherData(), runner.Result(),
               mix ? runner.RankInDataSet() : runner.Rank(), mix);
  AppendTotals(json, runner);
  AppendLegs(json, runner, legs);
  json.EndObject();
}

// A runner the analysis left out: his result, no figures.
void AppendRunnerWithoutLegs(JsonText& json, const clsLapData& lap, int32_t serial, bool mix,
                             int32_t legs) {
  json.BeginObject();
  AppendPerson(json, serial, lap, lap.Result(), "", mix);
  for (const char* key : {"cs", "c1", "c2", "mt", "mr", "wm", "tr", "x", "y"}) json.Key(key).Null();
  for (const char* key : {"lap", "sp"}) LegArray(json, key, legs, [&](int32_t) { json.Null(); });
  for (const char* key : {"lr", "sr"}) LegArray(json, key, legs, [&](int32_t) { json.Int(0); });
  LegArray(json, "mi", legs, [&](int32_t) { json.Null(); });
  json.EndObject();
}

void AppendSet(JsonText& json, const WebEntry& entry, const clsAnalyzer& analyzer) {
  json.Key("set").BeginObject();
  json.Key("kind").String(KindName(entry.kind));
  json.Key("name").String(entry.name);
  json.Key("info").String(analyzer.ClassInfo());
  json.Key("length").Int(analyzer.Length);
  json.Key("climb").Int(analyzer.Climb);
  json.Key("controls").Int(analyzer.ControlCount);
  json.Key("codes");
  if (static_cast<int32_t>(entry.codes.size()) == analyzer.ControlCount + 2) {
    json.BeginArray();
    for (int32_t code : entry.codes) json.Int(code);
    json.EndArray();
  } else {
    json.Null();
  }
  json.Key("classes").BeginArray();
  for (const std::string& name : entry.classes) json.String(name);
  json.EndArray();
  json.Key("mix").Bool(analyzer.DataSetIsMix);
  json.Key("xyOmitted").Bool(analyzer.IsTovarineOmitted());
  json.EndObject();
}

// Each leg's up to six fastest runners as indexes into the runner list.
void AppendUpperRunners(JsonText& json, const clsAnalyzer& analyzer, int32_t legs) {
  std::unordered_map<const clsAnalyzedRunnerData*, int32_t> index;
  for (int32_t i = 1; i <= analyzer.Count(); ++i) index.emplace(analyzer.Item(i).get(), i - 1);
  auto general = analyzer.GeneralData();
  LegArray(json, "top", legs, [&](int32_t k) {
    json.BeginArray();
    for (int32_t rank = 1; rank <= clsAnalyzedGeneralData::kUpperCount; ++rank) {
      const auto upper = general->UpperLapObject(k, rank);
      const auto found = upper ? index.find(upper.get()) : index.end();
      if (found != index.end()) json.Int(found->second);
    }
    json.EndArray();
  });
}

void AppendLegFigures(JsonText& json, const clsAnalyzer& analyzer, int32_t legs) {
  auto general = analyzer.GeneralData();
  json.Key("legs").BeginObject();
  LegArray(json, "ref", legs,
           [&](int32_t k) { json.Int(TimeToSeconds(general->UpperLapAverage(k))); });
  LegArray(json, "len", legs,
           [&](int32_t k) { json.Number(FormatSingle(general->LegLength(k) * 100.0f, "0.0")); });
  LegArray(json, "dif", legs, [&](int32_t k) {
    json.Number(FormatSingle(general->LegDifficulty(k)->StoredValue() * 100.0f, "0"));
  });
  AppendUpperRunners(json, analyzer, legs);
  json.EndObject();
  json.Key("refTotal").Int(TimeToSeconds(general->UpperLapTotal()));
}

}  // namespace

void AppendDataSet(JsonText& json, const WebEntry& entry, clsAnalyzer& analyzer,
                   const std::vector<std::shared_ptr<clsLapData>>& without_legs) {
  const int32_t legs = LegCount(analyzer);
  AppendSet(json, entry, analyzer);
  AppendLegFigures(json, analyzer, legs);
  json.Key("runners").BeginArray();
  for (int32_t i = 1; i <= analyzer.Count(); ++i) {
    AppendRunner(json, *analyzer.Item(i), analyzer.DataSetIsMix, legs);
  }
  int32_t serial = FirstSerialWithoutLegs(analyzer);
  for (const auto& lap : without_legs) {
    AppendRunnerWithoutLegs(json, *lap, serial++, analyzer.DataSetIsMix, legs);
  }
  json.EndArray();
}

}  // namespace quorvex2::detail
