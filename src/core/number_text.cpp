// Numbers written in texts: the numeric test and the leading number.
#include <charconv>
#include <cstdlib>
#include <string>
#include <string_view>

#include "quorvex2/core/text.h"

namespace quorvex2 {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Length of the number at text[pos]: optional sign, digits with at most one point (at least one
// digit), optional exponent. 0 when there is no number.
size_t NumberLength(std::string_view text, size_t pos) {
  size_t i = pos;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  size_t digits = 0;
  bool point = false;
  for (; i < text.size(); ++i) {
    if (IsDigit(text[i])) {
      ++digits;
    } else if (text[i] == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (digits == 0) return 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    const size_t exponent_start = j;
    while (j < text.size() && IsDigit(text[j])) ++j;
    if (j > exponent_start) i = j;
  }
  return i - pos;
}

size_t SkipBlanks(std::string_view text, size_t pos) {
  while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
  return pos;
}

}  // namespace

bool IsNumeric(const std::string& Text) {
  const size_t start = SkipBlanks(Text, 0);
  const size_t length = NumberLength(Text, start);
  return length > 0 && SkipBlanks(Text, start + length) == Text.size();
}

double LeadingNumber(std::string_view Text) {
  const size_t start = SkipBlanks(Text, 0);
  const size_t length = NumberLength(Text, start);
  if (length == 0) return 0;
  std::string_view number = Text.substr(start, length);
  const bool negative = number.front() == '-';
  if (negative || number.front() == '+') number.remove_prefix(1);
  double value = 0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  // Out of range: the platform's conversion gives infinity or zero, as strtod does.
  if (error == std::errc::result_out_of_range)
    value = std::strtod(std::string(number).c_str(), nullptr);
  return negative ? -value : value;
}

}  // namespace quorvex2
