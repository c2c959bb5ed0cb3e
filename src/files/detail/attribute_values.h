#pragma once
// How lap file attributes turn into values and back.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "quorvex2/core/types.h"

namespace quorvex2::detail {

// The longest numeric prefix of the text (0 when there is none), rounded to the nearest whole
// number with halves to the even neighbour. std::overflow_error beyond 32 bits.
int32_t ReadWholeNumber(std::string_view text);

// The value under the "#" expression: decimal digits, a minus sign for negatives, "" for 0.
std::string WholeNumberText(int32_t value);

// A date, a time of day or both ("2003/05/18", "9:05:00", "2003/05/18 09:05:00"); nothing when
// the text is none of them (hours above 23 included).
std::optional<Date> ReadDateText(std::string_view text);

// A leg time as written: a time of day, "×"/"X" (disqualified), "↓"/"→"/"+" (skipped);
// anything else, "－" and "" included, is no data.
Date ReadLapTimeText(std::string_view text);

// The text in lower case and half-width characters (how file-name texts are compared and kept).
std::string LowerNarrow(const std::string& text);

}  // namespace quorvex2::detail
