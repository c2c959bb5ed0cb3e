#pragma once
// Reading and writing times as the lap files and outputs write them.
#include <cstdint>
#include <string>

#include "quorvex2/core/types.h"

namespace quorvex2 {

// Turns a written time ("1234", "12:34", "1:23'45\"", "125:30", "1:05:09(2)", full-width forms)
// into a time text under OutFormat; texts that are no time come back unchanged ("DNF").
std::string NormalizeTimeText(const std::string& Text, bool SecondsFirst = true,
                              const std::string& OutFormat = "hh:nn:ss");

// "n:ss", "nn:ss" or "h:nn:ss" by size, with a "-" for negative values; MinWidth > 0 right-aligns
// the text in that many columns.
std::string FormatCompactTime(Date Value, int32_t MinWidth = 0);

int32_t TimeToSeconds(Date Value);
int32_t TimeToMinutes(Date Value);

// The text as a date when it is a valid date or time, else DefaultDate.
Date ParseDateOrDefault(const std::string& Text, Date DefaultDate);

// Sort rank of a result text that is not a time (DNS 99, DNF 90, MP 30, P3 3, ...).
int32_t ResultStatusOrder(const std::string& Result);

// The label of a leg: "△→１", "１→２", "10→11", "12→◎"; without origin "→１", "→◎".
std::string MakeLegName(int32_t ControlCount, bool WithOrigin, int32_t LegIndex);

}  // namespace quorvex2
