// The values of one runner as the IOF ResultList writes them.
#include <algorithm>
#include <cmath>

#include "files/detail/attribute_values.h"
#include "files/iof_result_list.h"
#include "quorvex2/core/format.h"
#include "quorvex2/core/lap_data.h"
#include "quorvex2/core/text.h"

namespace quorvex2::detail {

IofTotal IofTotalTime(const clsLapData& lap) {
  IofTotal total;
  total.time = ReadDateText(lap.Result()).value_or(0);
  if (total.time != 0) return total;
  for (int32_t k = 1; k <= lap.LegCount() && k <= clsLapData::kMaxLegs; ++k) {
    const Date value = lap.LapValue(k);
    if (value > 0) total.time += value;
    if (value == kTimeDisq) total.missing_punch = true;
  }
  return total;
}

std::optional<Date> IofFinishTime(const clsLapData& lap, int32_t controls) {
  if (IsValidTime(lap.Result())) return IofTotalTime(lap).time;
  const int32_t last = std::min(lap.LegCount(), clsLapData::kMaxLegs);
  if (last <= 0 || last <= controls || lap.LapValue(last) <= 0) return std::nullopt;
  return IofTotalTime(lap).time;
}

std::string IofCompetitorStatus(const clsLapData& lap, bool missing_punch) {
  if (!lap.Rank.empty() && !IsNumeric(lap.Rank)) {
    return lap.Rank.find('(') != std::string::npos ? "OverTime" : "NotCompeting";
  }
  if (IsValidTime(lap.Result())) return "OK";
  if (!lap.Result().empty()) return lap.Result() == "DNS" ? "Inactive" : "Disqualified";
  return missing_punch ? "Disqualified" : "OK";
}

std::string IofMinutesSeconds(Date time) {
  const long long seconds = std::llround(time * 86400.0);
  const long long rest = seconds % 60;
  return std::to_string(seconds / 60) + (rest < 10 ? ":0" : ":") + std::to_string(rest);
}

std::string IofSex(const std::string& sex) {
  if (sex == "M" || sex == "m" || sex == "男" || sex == "男性") return "M";
  if (sex == "F" || sex == "f" || sex == "女" || sex == "女性") return "F";
  return "";
}

}  // namespace quorvex2::detail
