// Written times: the normaliser of the many ways lap files write a time, the compact duration
// form, whole seconds and minutes, and the order of non-time results.
#include "quorvex2/core/time_text.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "core/detail/utf8.h"
#include "quorvex2/core/format.h"
#include "quorvex2/core/text.h"

namespace quorvex2 {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool AllDigits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (!IsDigit(c)) return false;
  }
  return true;
}

// Matches a pattern in which "#" stands for one digit and every other character for itself.
bool MatchesDigitPattern(std::string_view text, std::string_view pattern) {
  if (text.size() != pattern.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    if (pattern[i] == '#' ? !IsDigit(text[i]) : text[i] != pattern[i]) return false;
  }
  return true;
}

int DigitsValue(std::string_view digits) {
  int value = 0;
  for (char c : digits) value = value * 10 + (c - '0');
  return value;
}

// "hh:mm:ss" from digit fields of up to two digits, each padded with zeros in front.
std::string Clock(std::string_view hours, std::string_view minutes, std::string_view seconds) {
  std::string out;
  for (std::string_view field : {hours, minutes, seconds}) {
    if (!out.empty()) out += ':';
    out.append(2 - std::min<size_t>(field.size(), 2), '0');
    out.append(field);
  }
  return out;
}

std::string TwoDigits(int n) {
  return {char('0' + n / 10 % 10), char('0' + n % 10)};
}

// Packed digits as "hh:mm:ss"; other lengths come back as they are.
std::string UnpackDigits(const std::string& text, bool seconds_first) {
  const std::string_view d = text;
  switch (d.size()) {
    case 1:
      return seconds_first ? Clock("", "", d) : text;
    case 2:
      return seconds_first ? Clock("", "", d) : Clock(d, "", "");
    case 3:
      return seconds_first ? Clock("", d.substr(0, 1), d.substr(1))
                           : Clock(d.substr(0, 1), d.substr(1), "");
    case 4:
      return seconds_first ? Clock("", d.substr(0, 2), d.substr(2))
                           : Clock(d.substr(0, 2), d.substr(2), "");
    case 5:
      return Clock(d.substr(0, 1), d.substr(1, 2), d.substr(3));
    case 6:
      return Clock(d.substr(0, 2), d.substr(2, 2), d.substr(4));
    default:
      return text;
  }
}

// A written time that the time conversion rejects, read by the patterns of hand-typed times:
// "#:##" and "##:##" are minutes and seconds, 1:23'45" and 12:34'56" use the minute and second
// marks, "###:##" has three-digit minutes. Returns the text unchanged when none matches.
std::string ReadLooseTime(const std::string& text) {
  const std::string_view t = text;
  if (MatchesDigitPattern(t, "#:##")) return Clock("", t.substr(0, 1), t.substr(2));
  if (MatchesDigitPattern(t, "##:##")) return Clock("", t.substr(0, 2), t.substr(3));
  if (MatchesDigitPattern(t, "#:##'##\"")) {
    return Clock(t.substr(0, 1), t.substr(2, 2), t.substr(5, 2));
  }
  if (MatchesDigitPattern(t, "##:##'##\"")) {
    return Clock(t.substr(0, 2), t.substr(3, 2), t.substr(6, 2));
  }
  if (MatchesDigitPattern(t, "###:##")) {
    const int minutes = DigitsValue(t.substr(0, 3));
    return Clock(TwoDigits(minutes / 60), TwoDigits(minutes % 60), t.substr(4, 2));
  }
  return text;
}

std::string ReadSecondsFirstText(const std::string& t) {
  if (!IsValidTime(t)) return ReadLooseTime(t);
  // A valid time with one colon is minutes and seconds: 12:34 is 0 h 12 min 34 s.
  if (CountString(t, ":") == 1) return std::string("0:").append(t);
  return t;
}

// "hh:mm:ss" with minutes or seconds above 59 carried into the next unit: 00:01:75 is 0:02:15.
bool IsCarryForm(std::string_view t) {
  return t.size() == 8 && IsDigit(t[0]) && IsDigit(t[1]) && IsDigit(t[3]) && IsDigit(t[4]) &&
         IsDigit(t[6]) && IsDigit(t[7]) && t.find(':') != std::string_view::npos;
}

// "?CL": any one character (of any width), then "CL" (OCL, NCL).
bool IsOneCharThenCl(std::string_view t) {
  if (t.size() < 3 || t.substr(t.size() - 2) != "CL") return false;
  size_t pos = 0;
  detail::DecodeUtf8(t, pos);
  return pos == t.size() - 2;
}

}  // namespace

// The text is converted to half-width before it is read (rather than only at the end), so a time
// typed with full-width digits and colons is read like its half-width form; for half-width input
// the two orders give the same result.
std::string NormalizeTimeText(const std::string& Text, bool SecondsFirst,
                              const std::string& OutFormat) {
  std::string t = Trim(ToNarrow(Text));
  if (const size_t paren = t.find('('); paren != std::string::npos) t = Trim(t.substr(0, paren));

  // Only plain digit strings are packed times; signed, fractional or exponent numbers stay as
  // they are and fail the time test.
  if (AllDigits(t)) {
    t = UnpackDigits(t, SecondsFirst);
  } else if (SecondsFirst) {
    t = ReadSecondsFirstText(t);
  }

  if (IsCarryForm(t)) {
    const int hours = DigitsValue(t.substr(0, 2));
    const int minutes = DigitsValue(t.substr(3, 2));
    const int seconds = DigitsValue(t.substr(6, 2));
    return FormatDate((hours * 3600 + minutes * 60 + seconds) / 86400.0, OutFormat);
  }
  if (const auto time = ParseTimeText(t)) return FormatDate(*time, OutFormat);
  return t;
}

std::string FormatCompactTime(Date Value, int32_t MinWidth) {
  const std::string sign = Value < 0 ? "-" : "";
  // The form is chosen on the value rounded to whole seconds, so that 3599.6 s, which prints as
  // one hour, takes the hour form ("1:00:00", not "00:00").
  const Date magnitude = RoundToSecond(std::fabs(Value));
  const char* format = magnitude >= kHour          ? "h:nn:ss"
                       : magnitude >= 10 * kMinute ? "nn:ss"
                                                   : "n:ss";
  std::string text = FormatDate(magnitude, format);
  if (text != "0:00") text = sign + text;
  return MinWidth > 0 ? FitString(text, MinWidth, true, true) : text;
}

int32_t TimeToSeconds(Date Value) {
  const DateParts parts = SplitDate(Value);
  const int32_t seconds = (parts.hour * 60 + parts.minute) * 60 + parts.second;
  return Value < 0 ? -seconds : seconds;
}

int32_t TimeToMinutes(Date Value) {
  const DateParts parts = SplitDate(Value);
  return parts.hour * 60 + parts.minute;
}

Date ParseDateOrDefault(const std::string& Text, Date DefaultDate) {
  return ParseDateText(Text).value_or(DefaultDate);
}

int32_t ResultStatusOrder(const std::string& Result) {
  const std::string t = ToUpper(Trim(ToNarrow(Result)));
  if (t.empty()) return 98;
  if (t.find('\'') != std::string::npos || t.find(':') != std::string::npos) return 0;
  if (t == "DNS") return 99;
  if (t[0] == 'P') {
    // The number after "P", rounded to a whole rank like the platform's conversion.
    const double rank = LeadingNumber(t.substr(1));
    return static_cast<int32_t>(std::clamp(std::round(rank), -2147483648.0, 2147483647.0));
  }
  if (t == "MP") return 30;
  if (t == "DNF") return 90;
  if (IsOneCharThenCl(t)) return 91;
  if (t == "DNQ") return 92;
  if (t[0] == 'D') return 93;
  return 98;
}

std::string MakeLegName(int32_t ControlCount, bool WithOrigin, int32_t LegIndex) {
  const auto number = [](int32_t n) -> std::string {
    static const char* const kWideDigits[] = {"０", "１", "２", "３", "４",
                                              "５", "６", "７", "８", "９"};
    return n >= 0 && n < 10 ? kWideDigits[n] : std::to_string(n);
  };
  const bool is_finish = int64_t{LegIndex} == int64_t{ControlCount} + 1;
  const std::string destination = is_finish ? "◎" : number(LegIndex);
  std::string origin;
  if (WithOrigin) origin = LegIndex == 1 ? "△" : number(LegIndex - 1);
  return origin + "→" + destination;
}

}  // namespace quorvex2
