// The format-expression language: date/time tokens and numeric digit positions.
#include "quorvex2/core/format.h"

#include <fmt/format.h>

#include <cmath>
#include <string_view>

namespace quorvex2 {
namespace {

bool StartsWith(std::string_view text, size_t pos, std::string_view token) {
  return text.substr(pos, token.size()) == token;
}

std::string TwoDigits(int n) {
  return fmt::format("{:02d}", n);
}

bool IsNumericExpression(const std::string& expression) {
  if (expression.empty()) return false;
  for (char c : expression) {
    if (c != '0' && c != '#' && c != '.') return false;
  }
  return true;
}

// The digit positions of a numeric expression.
struct NumberPattern {
  int integer_zeros = 0;  // "0" positions before the point: digits always printed
  int decimals = 0;       // digit positions after the point
  bool has_point = false;
};

NumberPattern ParseNumberPattern(std::string_view pattern) {
  NumberPattern p;
  for (char c : pattern) {
    if (c == '.') {
      p.has_point = true;
    } else if (p.has_point) {
      ++p.decimals;
    } else if (c == '0') {
      ++p.integer_zeros;
    }
  }
  return p;
}

}  // namespace

std::string FormatDate(Date value, const std::string& expression) {
  const DateParts d = SplitDate(value);
  std::string out;
  const std::string_view e = expression;
  for (size_t i = 0; i < e.size();) {
    if (StartsWith(e, i, "yyyy")) {
      out += fmt::format("{:04d}", d.year), i += 4;
    } else if (StartsWith(e, i, "yy")) {
      out += TwoDigits(d.year % 100), i += 2;
    } else if (StartsWith(e, i, "mm")) {
      out += TwoDigits(d.month), i += 2;
    } else if (StartsWith(e, i, "dd")) {
      out += TwoDigits(d.day), i += 2;
    } else if (StartsWith(e, i, "hh")) {
      out += TwoDigits(d.hour), i += 2;
    } else if (StartsWith(e, i, "nn")) {
      out += TwoDigits(d.minute), i += 2;
    } else if (StartsWith(e, i, "ss")) {
      out += TwoDigits(d.second), i += 2;
    } else if (e[i] == 'h') {
      out += std::to_string(d.hour), ++i;
    } else if (e[i] == 'n') {
      out += std::to_string(d.minute), ++i;
    } else if (e[i] == 's') {
      out += std::to_string(d.second), ++i;
    } else if (e[i] == 'm') {
      out += std::to_string(d.month), ++i;
    } else if (e[i] == 'd') {
      out += std::to_string(d.day), ++i;
    } else {
      out += e[i], ++i;
    }
  }
  return out;
}

std::string FormatNumber(double value, const std::string& expression) {
  // Literal text around the digit positions is copied: "#0%" or "(0)" work as expected.
  const size_t first = expression.find_first_of("0#.");
  if (first == std::string::npos) return expression;
  const size_t last = expression.find_last_of("0#.");
  const std::string_view e = expression;
  const NumberPattern p = ParseNumberPattern(e.substr(first, last - first + 1));
  if (!std::isfinite(value)) value = 0;

  // Rounded half away from zero to the decimals; the digits come from the integer text of the
  // scaled value, so no binary fraction leaks into the output.
  const double scaled = std::round(std::fabs(value) * std::pow(10.0, p.decimals));
  std::string digits = std::isfinite(scaled) ? fmt::format("{:.0f}", scaled) : "0";
  if (digits.size() <= static_cast<size_t>(p.decimals)) {
    digits.insert(0, p.decimals + 1 - digits.size(), '0');
  }
  std::string integer = digits.substr(0, digits.size() - p.decimals);
  const std::string fraction = digits.substr(digits.size() - p.decimals);
  if (integer == "0") integer.clear();
  if (integer.size() < static_cast<size_t>(p.integer_zeros)) {
    integer.insert(0, p.integer_zeros - integer.size(), '0');
  }
  std::string number = integer;
  if (p.has_point) number += "." + fraction;
  const bool is_zero = scaled == 0;
  const std::string sign = value < 0 && !is_zero ? "-" : "";
  return std::string(e.substr(0, first)) + sign + number + std::string(e.substr(last + 1));
}

std::string FormatValue(double value, const std::string& expression) {
  return IsNumericExpression(expression) ? FormatNumber(value, expression)
                                         : FormatDate(value, expression);
}

}  // namespace quorvex2
