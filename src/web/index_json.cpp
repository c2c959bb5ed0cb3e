#include "web/detail/index_json.h"

#include "core/detail/internal.h"
#include "core/detail/result_sort_key.h"
#include "quorvex2/analysis/analyzer.h"
#include "quorvex2/core/format.h"
#include "quorvex2/core/root.h"

namespace quorvex2::detail {

namespace {

void AppendNameParts(JsonText& json, const WebSummary::NameParts& parts) {
  json.BeginArray().String(parts->first).String(parts->second).EndArray();
}

void AppendEntry(JsonText& json, const WebEntry& entry, const WebSummary& summary) {
  json.BeginObject();
  json.Key("kind").String(KindName(entry.kind));
  json.Key("name").String(entry.name);
  json.Key("page").String(entry.page);
  json.Key("info").String(summary.info);
  json.Key("classes").BeginArray();
  for (const std::string& name : entry.classes) json.String(name);
  json.EndArray();
  json.Key("runners").Int(summary.runners);
  json.Key("winner").String(summary.winner);
  json.Key("result").String(summary.result);
  if (summary.winner_parts) AppendNameParts(json.Key("winnerParts"), summary.winner_parts);
  json.EndObject();
}

void AppendPeople(JsonText& json, const std::vector<WebSummary>& summaries) {
  json.Key("people").BeginArray();
  for (size_t entry = 0; entry < summaries.size(); ++entry) {
    for (const WebSummary::Person& person : summaries[entry].people) {
      json.BeginArray()
          .String(person.name)
          .String(person.club)
          .Int(static_cast<int64_t>(entry))
          .Int(person.serial)
          .String(person.result)
          .String(person.rank);
      if (person.parts) AppendNameParts(json, person.parts);
      json.EndArray();
    }
  }
  json.EndArray();
}

}  // namespace

WebSummary SummariseEntry(const WebEntry& entry, const clsAnalyzer& analyzer,
                          const std::vector<std::shared_ptr<clsLapData>>& without_legs) {
  WebSummary summary;
  summary.info = analyzer.ClassInfo();
  summary.runners = analyzer.Count() + static_cast<int32_t>(without_legs.size());
  if (analyzer.Count() > 0) {
    const auto first = analyzer.Item(1);
    if (ResultSortKey(first->Result()) < 1) {
      summary.winner = first->RunnerName();
      summary.winner_parts = first->OtherData()->NameParts(MakeInternal());
      summary.result = first->Result();
    }
  }
  if (entry.kind != WebEntryKind::kClass) return summary;
  for (int32_t i = 1; i <= analyzer.Count(); ++i) {
    const auto runner = analyzer.Item(i);
    summary.people.push_back({runner->RunnerName(), runner->ClubName(), runner->Result(),
                              runner->Rank(), runner->SerialNum(),
                              runner->OtherData()->NameParts(MakeInternal())});
  }
  int32_t serial = FirstSerialWithoutLegs(analyzer);
  for (const auto& lap : without_legs) {
    summary.people.push_back({lap->RunnerName, lap->ClubName, lap->Result(), "", serial++,
                              lap->NameParts(MakeInternal())});
  }
  return summary;
}

void AppendEvent(JsonText& json, const clsQuorvex2& root) {
  const auto event = root.EventData();
  const Date date = event->EventDate.Value();
  json.Key("event").BeginObject();
  json.Key("name").String(event->EventName);
  json.Key("date").String(date == 0 ? "" : FormatDate(date, "yyyy-mm-dd"));
  json.Key("terrain").String(event->Terrain);
  json.EndObject();
}

std::string IndexJson(const clsQuorvex2& root, const std::vector<WebEntry>& entries,
                      const std::vector<WebSummary>& summaries) {
  JsonText json;
  json.BeginObject();
  AppendEvent(json, root);
  json.Key("entries").BeginArray();
  for (size_t i = 0; i < entries.size(); ++i) AppendEntry(json, entries[i], summaries[i]);
  json.EndArray();
  AppendPeople(json, summaries);
  json.EndObject();
  return json.Take();
}

}  // namespace quorvex2::detail
