#include "files/quorvex1_runner_line.h"

#include <algorithm>
#include <cctype>
#include <initializer_list>

#include "quorvex2/core/format.h"
#include "quorvex2/core/text.h"
#include "quorvex2/core/time_text.h"

namespace quorvex2::detail {
namespace {

constexpr const char* kTimeFormat = "hh:nn:ss";

bool IsAnyOf(const std::string& text, std::initializer_list<const char*> words) {
  return std::any_of(words.begin(), words.end(), [&](const char* w) { return text == w; });
}

bool HasNumericValue(const std::string& text, double value) {
  return IsNumeric(text) && LeadingNumber(text) == value;
}

bool IsSkipText(const std::string& text) {
  return IsAnyOf(text, {"↓", "→", "+"}) || HasNumericValue(text, -1);
}

bool IsDisqText(const std::string& text) {
  return IsAnyOf(text, {"--:--", "×", "N/A", "X"}) || HasNumericValue(text, -2);
}

// The result as written; none for one of only punctuation and blanks (the empty clock
// "  :  :  " of a runner who has not run yet).
std::string ResultText(const std::string& field) {
  const bool says_something = std::any_of(field.begin(), field.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || (c & 0x80) != 0;
  });
  return says_something ? field : "";
}

Date ReadStart(const std::string& field) {
  return ParseTimeText(NormalizeTimeText(field, false, kTimeFormat)).value_or(0);
}

// Leg values that never decrease are times since the start: each positive value becomes its
// difference to the previous positive value as read, in whole seconds as the times are written
// (so equal legs are equal).
void CumulativeToLegTimes(clsLapData& lap, const std::vector<Date>& valid_times) {
  if (!std::is_sorted(valid_times.begin(), valid_times.end())) return;
  Date previous = 0;
  for (int32_t k = 1; k <= lap.LegCount(); ++k) {
    const Date value = lap.LapValue(k);
    if (value <= 0) continue;
    if (previous > 0) lap.Lap(k)->Value(RoundToSecond(value - previous));
    previous = value;
  }
}

void ReadLegs(clsLapData& lap, const std::vector<std::string>& fields, const TableColumns& columns,
              bool cumulative_legs) {
  std::vector<Date> valid_times;
  for (int32_t k = 1; k <= columns.highest_leg; ++k) {
    const auto value = LegFieldValue(FieldAt(fields, columns.legs[k]));
    if (!value) continue;
    lap.Lap(k)->Value(*value);
    if (*value > 0) valid_times.push_back(*value);
  }
  if (cumulative_legs) CumulativeToLegTimes(lap, valid_times);
}

}  // namespace

std::optional<Date> LegFieldValue(const std::string& field) {
  const std::string text = ToUpper(ToNarrow(Trim(field)));
  if (text.empty()) return std::nullopt;
  if (IsSkipText(text)) return kTimeSkip;
  if (IsDisqText(text)) return kTimeDisq;
  if (const auto time = ParseTimeText(NormalizeTimeText(field, true, kTimeFormat))) {
    return *time;
  }
  return kTimeNoData;
}

std::shared_ptr<clsLapData> ReadRunnerLine(const std::vector<std::string>& fields,
                                           const TableColumns& columns, bool cumulative_legs) {
  auto lap = std::make_shared<clsLapData>();
  lap->RunnerName = FieldAt(fields, columns.runner_name);
  lap->ClubName = FieldAt(fields, columns.club);
  lap->Result(ResultText(FieldAt(fields, columns.result)));
  lap->Rank = FieldAt(fields, columns.rank);
  lap->Seed = FieldAt(fields, columns.seed);
  lap->Sex = FieldAt(fields, columns.sex);
  lap->StartTime.Value(ReadStart(FieldAt(fields, columns.start)));
  ReadLegs(*lap, fields, columns, cumulative_legs);
  return lap;
}

}  // namespace quorvex2::detail
