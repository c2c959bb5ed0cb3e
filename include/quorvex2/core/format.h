#pragma once
// The format-expression language shared by every output ("hh:nn:ss", "yyyy/mm/dd", "#0.0", ...)
// and the conversions between dates and their texts.
#include <optional>
#include <string>

#include "quorvex2/core/types.h"

namespace quorvex2 {

// Formats a date/time (days) under a date/time expression (yyyy mm dd hh h nn n ss and literal
// characters). The value is rounded to the nearest second first; a negative value takes the
// time of day of its absolute value.
std::string FormatDate(Date value, const std::string& expression);

// Formats a number under a numeric expression ("#0", "#0.0", "0.0", "00", "#"): rounded half away
// from zero; "#" prints nothing for 0. The value is rounded as the decimal number of the 15
// significant digits a double is shown with.
std::string FormatNumber(double value, const std::string& expression);

// Dispatches on the expression: numeric expressions (only 0 # . characters) go to FormatNumber,
// all others to FormatDate.
std::string FormatValue(double value, const std::string& expression);

// FormatValue of a single-precision value (ratios, shares of a length): rounded as the decimal
// number of the 7 significant digits a single is shown with, so 41.05 gives "41.1" under "#0.0"
// although its binary value lies just below the half.
std::string FormatSingle(float value, const std::string& expression);

// Parses a time text: "h:mm", "hh:mm", "h:mm:ss", "hh:mm:ss" (one or two digits per field,
// surrounding spaces allowed); hours above 23, minutes or seconds above 59, AM/PM and fractions
// are rejected. Returns the time of day in days.
std::optional<Date> ParseTimeText(std::string_view text);

// Parses a date ("2003/05/18", "2003-5-18", "2003.05.18", "03/05/18" (1930-2029),
// "2003年5月18日"), a date, spaces and a time ("2003/5/18 10:00:00"), or a time alone.
// Returns days since 1899-12-30.
std::optional<Date> ParseDateText(std::string_view text);

// True when the text is a valid time (ParseTimeText succeeds).
bool IsValidTime(const std::string& text);
// True when the text is a valid date or time (ParseDateText succeeds).
bool IsValidDate(const std::string& text);

// Days since 1899-12-30 of a calendar date and time.
Date MakeDate(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);

// Calendar fields of a date value after rounding to the nearest second (time of day of the
// absolute value for negative values).
struct DateParts {
  int year, month, day, hour, minute, second;
};
DateParts SplitDate(Date value);

// The value rounded to the nearest whole second (half away from zero), as the formatter rounds.
Date RoundToSecond(Date value);

}  // namespace quorvex2
