// Offering a loaded runner record to a class: append it, merge it into the runner it matches,
// or drop it, under the load mode.
#include <algorithm>

#include "core/detail/component_state.h"
#include "core/detail/internal.h"
#include "quorvex2/core/class_data.h"
#include "quorvex2/core/text.h"

namespace quorvex2 {
namespace {

constexpr int32_t kBaseModeMask = 4095;

// Runner names match when equal after lower case, half width and without any spaces.
std::string RunnerNameKey(const std::string& name) {
  return MakeNameKey(ToNarrow(ToLower(name)));
}

// The key of the name with the family and the given name the other way round, when the file
// gave them apart ("" otherwise; `key` is the name's own key): the readers join them in the order
// of the language, so one person may come as "Yamada Taro" from one file and "Taro Yamada" from
// another.
std::string SwappedNameKey(const clsLapData& lap, const std::string& key) {
  const auto parts = lap.NameParts(detail::MakeInternal());
  if (!parts) return "";
  const auto& [family, given] = *parts;
  const bool family_first = lap.RunnerName == family + " " + given;
  const std::string swapped = RunnerNameKey(family_first ? given + family : family + given);
  return swapped == key ? "" : swapped;
}

// A field is taken over when the existing one is empty, or when the incoming one is not and new
// data has priority.
bool TakeOver(bool existing_empty, bool incoming_empty, bool new_data_first) {
  return existing_empty || (!incoming_empty && new_data_first);
}

void MergeText(std::string& existing, const std::string& incoming, bool new_data_first) {
  if (TakeOver(existing.empty(), incoming.empty(), new_data_first)) existing = incoming;
}

void MergeNumber(int32_t& existing, int32_t incoming, bool new_data_first) {
  if (TakeOver(existing == 0, incoming == 0, new_data_first)) existing = incoming;
}

void MergeLaps(clsLapData& existing, const clsLapData& incoming, bool new_data_first) {
  if (existing.LegCount() != 0 && !(incoming.LegCount() != 0 && new_data_first)) return;
  const int32_t legs = std::min(incoming.LegCount(), clsLapData::kMaxLegs);
  for (int32_t i = 1; i <= legs; ++i) existing.Lap(i)->Value(incoming.LapValue(i));
}

// RankFix and SerialNum are never merged.
void MergeRecord(clsLapData& existing, const clsLapData& incoming, bool new_data_first) {
  MergeText(existing.Age, incoming.Age, new_data_first);
  MergeText(existing.ClubName, incoming.ClubName, new_data_first);
  MergeNumber(existing.ID, incoming.ID, new_data_first);
  MergeNumber(existing.Ecard, incoming.Ecard, new_data_first);
  MergeText(existing.Rank, incoming.Rank, new_data_first);
  if (TakeOver(existing.Result().empty(), incoming.Result().empty(), new_data_first)) {
    existing.Result(incoming.Result());
  }
  MergeText(existing.RunnerName, incoming.RunnerName, new_data_first);
  MergeText(existing.Seed, incoming.Seed, new_data_first);
  MergeText(existing.Sex, incoming.Sex, new_data_first);
  const Date start = incoming.StartTime.Value();
  if (TakeOver(existing.StartTime.Value() == 0, start == 0, new_data_first)) {
    existing.StartTime.Value(start);
  }
  MergeLaps(existing, incoming, new_data_first);
}

}  // namespace

bool clsClassData::AddLapObject(std::shared_ptr<clsLapData>& LapObject, int32_t LapFileLoadMode) {
  if (!LapObject) return false;
  ++detail::State().runners_offered;
  if (!LapObject->Result().empty() || LapObject->LegCount() > 0) ++detail::State().results_offered;
  LapObject->SetClassName(class_name_, detail::MakeInternal());
  if (LapFileLoadMode == QX_LOADMODE_NORMAL || LapFileLoadMode == QX_LOADMODE_APPEND) {
    return Append(LapObject);
  }
  const std::shared_ptr<clsLapData> match = FindMatch(*LapObject, LapFileLoadMode & kBaseModeMask);
  if (!match) {
    if (LapFileLoadMode & QX_LOADMODE_NOTADD_NEWDATA) return false;
    return Append(LapObject);
  }
  if (match != LapObject) {
    MergeRecord(*match, *LapObject, (LapFileLoadMode & QX_LOADMODE_PRIORITY_NEWDATA) != 0);
  }
  return false;
}

std::shared_ptr<clsLapData> clsClassData::FindMatch(const clsLapData& incoming,
                                                    int32_t base_mode) const {
  if (base_mode == QX_LOADMODE_MERGE_ID) return FindByID(incoming.ID);
  if (base_mode == QX_LOADMODE_MERGE_NAME) return FindByName(incoming);
  return nullptr;
}

std::shared_ptr<clsLapData> clsClassData::FindByID(int32_t id) const {
  for (const auto& lap : laps_) {
    if (lap->ID == id) return lap;
  }
  return nullptr;
}

std::shared_ptr<clsLapData> clsClassData::FindByName(const clsLapData& incoming) const {
  const std::string key = RunnerNameKey(incoming.RunnerName);
  name_keys_.resize(laps_.size());
  for (size_t i = 0; i < laps_.size(); ++i) {
    NameKeyCache& cache = name_keys_[i];
    if (cache.name != laps_[i]->RunnerName) {
      cache.name = laps_[i]->RunnerName;
      cache.key = RunnerNameKey(cache.name);
      cache.swapped = SwappedNameKey(*laps_[i], cache.key);
    }
    if (cache.key == key) return laps_[i];
  }
  // Only where no name matches as written: a name given in parts, either way round.
  const std::string swapped = SwappedNameKey(incoming, key);
  for (size_t i = 0; i < laps_.size(); ++i) {
    const NameKeyCache& cache = name_keys_[i];
    if ((!swapped.empty() && cache.key == swapped) ||
        (!cache.swapped.empty() && cache.swapped == key)) {
      return laps_[i];
    }
  }
  return nullptr;
}

}  // namespace quorvex2
