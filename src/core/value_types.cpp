// ToString of the five value objects: the placeholders of the special codes, the sign rule, the
// compact and "plane" forms.
#include "quorvex2/core/value_types.h"

#include <cmath>

#include "quorvex2/core/format.h"
#include "quorvex2/core/time_text.h"

namespace quorvex2 {
namespace {

// "-" when the value is at least one second below zero: a value between -1 s and 0 prints as
// zero without a sign. Like every branch of the time forms, the test is made on the value rounded
// to whole seconds, so a difference of two clock times a second apart (a hair above -1 s) keeps
// its sign.
std::string SignOf(Date value) {
  return RoundToSecond(value) <= -kSecond ? "-" : "";
}

// The bare minute-second number of text exports: 65 s -> "105", 45 s -> "45". The branch is
// chosen on the rounded value: 60 x (1/86400) lies a hair below one minute but prints "100". A
// negative value of a minute or more prints its minutes the same way after the sign.
std::string PlaneText(Date value) {
  const DateParts parts = SplitDate(value);
  if (RoundToSecond(std::fabs(value)) >= kMinute) {
    const int minutes = parts.hour * 60 + parts.minute;
    return SignOf(value) + std::to_string(minutes) + (parts.second < 10 ? "0" : "") +
           std::to_string(parts.second);
  }
  return SignOf(value) + std::to_string(parts.second);
}

// Steps shared by the time and miss-time values once the codes have been handled.
std::string FormatTime(Date value, const std::string& expression, bool compact) {
  if (compact) return FormatCompactTime(value);
  if (expression == "plane") return PlaneText(value);
  return SignOf(value) + FormatValue(std::fabs(value), expression);
}

}  // namespace

std::string clsTimeValue::ToString(const std::string& FormatExpression, bool Compact,
                                   const std::string& NoDataValue, const std::string& SkipValue,
                                   const std::string& DisqValue) const {
  if (value_ == kTimeNoData) return NoDataValue;
  if (value_ == kTimeDisq) return DisqValue;
  if (value_ == kTimeSkip) return SkipValue;
  return FormatTime(value_, FormatExpression, Compact);
}

std::string clsMissTimeValue::ToString(const std::string& FormatExpression, bool Compact,
                                       const std::string& NoDataValue,
                                       const std::string& SkipValue) const {
  if (value_ == kNotComputed) return NoDataValue;
  if (value_ == kTimeDisq) return NoDataValue;
  if (value_ == kTimeSkip) return SkipValue;
  return FormatTime(value_, FormatExpression, Compact);
}

std::string clsDateValue::ToString(const std::string& FormatExpression) const {
  return value_ == 0 ? std::string() : FormatValue(value_, FormatExpression);
}

std::string clsPercentValue::ToString(const std::string& FormatExpression,
                                      const std::string& NoDataValue,
                                      const std::string& SkipValue) const {
  if (value_ == 0) return NoDataValue;
  if (value_ == -1) return SkipValue;
  if (value_ == -2) return NoDataValue;
  const float percent = value_ * 100.0f;  // single precision, as stored
  return FormatSingle(percent, FormatExpression);
}

std::string clsLegRankValue::ToString(bool UseHyphen, bool UseParentheses) const {
  const std::string closing = UseParentheses ? ")" : "";
  if (value_ != 0) return std::to_string(value_) + closing;
  return UseHyphen ? "-" + closing : std::string();
}

}  // namespace quorvex2
