#include "quorvex2/core/segment_data.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "core/detail/component_state.h"
#include "core/detail/internal.h"
#include "quorvex2/core/format.h"
#include "quorvex2/core/root.h"

namespace quorvex2 {
namespace {

// "M21A;3" -> class name and the leg at which the stretch begins.
std::pair<std::string, int32_t> SplitTarget(const std::string& entry) {
  const size_t at = entry.rfind(';');
  if (at == std::string::npos) return {entry, 1};
  return {entry.substr(0, at), static_cast<int32_t>(std::atoi(entry.c_str() + at + 1))};
}

// The runner's leg, or no data where the record has no such leg.
Date LegValue(const clsLapData& runner, int32_t leg) {
  if (leg < 1 || leg > clsLapData::kMaxLegs) return QX_TIME_NODATA;
  return runner.LapValue(leg);
}

std::shared_ptr<clsLapData> CopyDescription(const clsLapData& runner) {
  auto cut = std::make_shared<clsLapData>();
  cut->RunnerName = runner.RunnerName;
  cut->ClubName = runner.ClubName;
  cut->Rank = runner.Rank;
  cut->ID = runner.ID;
  cut->Ecard = runner.Ecard;
  cut->StartTime.Value(runner.StartTime.Value());
  cut->RankFix = runner.RankFix;
  cut->Seed = runner.Seed;
  cut->Age = runner.Age;
  cut->Sex = runner.Sex;
  cut->SetSerialNum(runner.SerialNum(), detail::MakeInternal());
  cut->SetClassName(runner.ClassName(), detail::MakeInternal());
  if (const auto parts = runner.NameParts(detail::MakeInternal())) {
    cut->SetNameParts(parts->first, parts->second, detail::MakeInternal());
  }
  return cut;
}

// Legs first_leg.. of the runner as legs 1..legs of a new record, the result summed from them.
std::shared_ptr<clsLapData> CutRunner(const clsLapData& runner, int32_t first_leg, int32_t legs) {
  std::shared_ptr<clsLapData> cut = CopyDescription(runner);
  Date total = 0;
  bool complete = true;
  for (int32_t i = 1; i <= legs; ++i) {
    const Date leg = LegValue(runner, first_leg + i - 1);
    cut->Lap(i)->Value(leg);
    if (leg > 0) {
      total += leg;
    } else {
      complete = false;
    }
  }
  cut->Result(complete ? FormatDate(total, "h:nn:ss") : "DISQ");
  return cut;
}

}  // namespace

std::vector<std::shared_ptr<clsLapData>> clsSegmentData::CutRunners(const std::string& SexOption,
                                                                    detail::Internal) const {
  std::vector<std::shared_ptr<clsLapData>> runners;
  const clsQuorvex2* root = detail::CurrentRoot();
  if (!root) return runners;
  const int32_t legs = std::min(control_count_ + 1, clsLapData::kMaxLegs);
  for (const std::string& entry : TargetClassList) {
    const auto [class_name, first_leg] = SplitTarget(entry);
    const std::shared_ptr<clsClassData> cls = root->ClassData(class_name);
    if (!cls) continue;
    for (int32_t i = 1; i <= cls->LapCount(); ++i) {
      const std::shared_ptr<clsLapData> runner = cls->LapData(i);
      if (SexOption.empty() || runner->Sex == SexOption) {
        runners.push_back(CutRunner(*runner, first_leg, legs));
      }
    }
  }
  return runners;
}

std::string clsSegmentData::DataSetName(const std::string& SexOption) const {
  return SexOption.empty() ? segment_name_ : segment_name_ + " - " + SexOption;
}

}  // namespace quorvex2
