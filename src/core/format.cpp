// The format-expression language: date/time tokens and numeric digit positions.
#include "quorvex2/core/format.h"

#include <fmt/format.h>

#include <cmath>
#include <string_view>

namespace quorvex2 {
namespace {

// Tokens are at most four ASCII letters: compared by hand, as memcmp costs more than the
// comparison itself here.
bool StartsWith(std::string_view text, size_t pos, std::string_view token) {
  if (text.size() - pos < token.size()) return false;
  for (size_t k = 0; k < token.size(); ++k) {
    if (text[pos + k] != token[k]) return false;
  }
  return true;
}

void AppendTwoDigits(std::string& out, int n) {
  out += static_cast<char>('0' + n / 10 % 10);
  out += static_cast<char>('0' + n % 10);
}

void AppendNumber(std::string& out, int n) {
  if (n >= 10) AppendNumber(out, n / 10);
  out += static_cast<char>('0' + n % 10);
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
  out.reserve(e.size() + 4);
  for (size_t i = 0; i < e.size();) {
    if (StartsWith(e, i, "yyyy")) {
      AppendTwoDigits(out, d.year / 100), AppendTwoDigits(out, d.year % 100), i += 4;
    } else if (StartsWith(e, i, "yy")) {
      AppendTwoDigits(out, d.year % 100), i += 2;
    } else if (StartsWith(e, i, "mm")) {
      AppendTwoDigits(out, d.month), i += 2;
    } else if (StartsWith(e, i, "dd")) {
      AppendTwoDigits(out, d.day), i += 2;
    } else if (StartsWith(e, i, "hh")) {
      AppendTwoDigits(out, d.hour), i += 2;
    } else if (StartsWith(e, i, "nn")) {
      AppendTwoDigits(out, d.minute), i += 2;
    } else if (StartsWith(e, i, "ss")) {
      AppendTwoDigits(out, d.second), i += 2;
    } else if (e[i] == 'h') {
      AppendNumber(out, d.hour), ++i;
    } else if (e[i] == 'n') {
      AppendNumber(out, d.minute), ++i;
    } else if (e[i] == 's') {
      AppendNumber(out, d.second), ++i;
    } else if (e[i] == 'm') {
      AppendNumber(out, d.month), ++i;
    } else if (e[i] == 'd') {
      AppendNumber(out, d.day), ++i;
    } else {
      out += e[i], ++i;
    }
  }
  return out;
}

namespace {

// The significant decimal digits a value is shown with: a double's and a single's.
constexpr int kDoubleDigits = 15;
constexpr int kSingleDigits = 7;

// The digits of |value| x 10^decimals rounded half away from zero, no leading zeros ("0" for
// nothing). The value is taken as the decimal number of its `significant` digits, as a single
// (7) or double (15) value is shown, so 41.05 stored in single precision rounds to 41.1 under
// "#0.0" although its binary value lies just below the half.
std::string RoundedDigits(double magnitude, int decimals, int significant) {
  // "d.ddddde±x": the significant digits and the power of ten of the first.
  const std::string scientific = fmt::format("{:.{}e}", magnitude, significant - 1);
  const size_t mark = scientific.find('e');
  std::string mantissa = scientific.substr(0, mark);
  std::erase(mantissa, '.');
  const int exponent = std::stoi(scientific.substr(mark + 1));
  const int keep = exponent + 1 + decimals;  // digits before the rounding position
  if (keep < 0) return "0";
  if (keep >= static_cast<int>(mantissa.size())) {
    return mantissa + std::string(static_cast<size_t>(keep) - mantissa.size(), '0');
  }
  std::string digits = mantissa.substr(0, static_cast<size_t>(keep));
  if (mantissa[static_cast<size_t>(keep)] >= '5') {
    size_t i = digits.size();
    while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
    if (i == 0) {
      digits.insert(0, 1, '1');
    } else {
      ++digits[i - 1];
    }
  }
  const size_t nonzero = digits.find_first_not_of('0');
  return nonzero == std::string::npos ? "0" : digits.substr(nonzero);
}

std::string FormatNumberOf(double value, const std::string& expression, int significant) {
  // Literal text around the digit positions is copied: "#0%" or "(0)" work as expected.
  const size_t first = expression.find_first_of("0#.");
  if (first == std::string::npos) return expression;
  const size_t last = expression.find_last_of("0#.");
  const std::string_view e = expression;
  const NumberPattern p = ParseNumberPattern(e.substr(first, last - first + 1));
  if (!std::isfinite(value)) value = 0;

  // Rounded half away from zero to the decimals, in decimal digits: no binary fraction leaks
  // into the output.
  std::string digits = value == 0 ? "0" : RoundedDigits(std::fabs(value), p.decimals, significant);
  const bool is_zero = digits == "0";
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
  const std::string sign = value < 0 && !is_zero ? "-" : "";
  return std::string(e.substr(0, first)) + sign + number + std::string(e.substr(last + 1));
}

}  // namespace

std::string FormatNumber(double value, const std::string& expression) {
  return FormatNumberOf(value, expression, kDoubleDigits);
}

std::string FormatValue(double value, const std::string& expression) {
  return IsNumericExpression(expression) ? FormatNumber(value, expression)
                                         : FormatDate(value, expression);
}

std::string FormatSingle(float value, const std::string& expression) {
  return IsNumericExpression(expression) ? FormatNumberOf(value, expression, kSingleDigits)
                                         : FormatDate(value, expression);
}

}  // namespace quorvex2
