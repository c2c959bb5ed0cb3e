#include "files/detail/attribute_values.h"

#include <cmath>
#include <limits>
#include <stdexcept>

#include "quorvex2/core/format.h"
#include "quorvex2/core/text.h"

namespace quorvex2::detail {

int32_t ReadWholeNumber(std::string_view text) {
  // Plain digits, the usual case, need no reading as a decimal number.
  if (!text.empty() && text.size() <= 9) {
    int32_t value = 0;
    size_t i = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
      value = value * 10 + (text[i] - '0');
    }
    if (i == text.size()) return value;
  }
  const double rounded = std::nearbyint(LeadingNumber(text));  // halves to even
  if (!(rounded >= std::numeric_limits<int32_t>::min() &&
        rounded <= std::numeric_limits<int32_t>::max())) {
    throw std::overflow_error("Overflow");
  }
  return static_cast<int32_t>(rounded);
}

std::string WholeNumberText(int32_t value) {
  return value == 0 ? "" : std::to_string(value);
}

std::optional<Date> ReadDateText(std::string_view text) {
  return ParseDateText(text);
}

Date ReadLapTimeText(std::string_view text) {
  if (auto time = ReadDateText(text)) return *time;
  if (text == "×" || text == "X") return QX_TIME_DISQ;
  if (text == "↓" || text == "→" || text == "+") return QX_TIME_SKIP;
  return QX_TIME_NODATA;
}

std::string LowerNarrow(const std::string& text) {
  return ToNarrow(ToLower(text));
}

}  // namespace quorvex2::detail
