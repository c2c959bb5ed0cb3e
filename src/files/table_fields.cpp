#include "files/table_fields.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace quorvex2::detail {
namespace {

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr size_t kMostDigits = 6;  // hours or minutes; more is no time a table holds

std::string_view TrimBlanks(std::string_view text) {
  const size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

bool AllDigits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Digits of at most max_digits (at least one unless empty_ok), as a number; -1 otherwise.
double DigitsValue(std::string_view text, size_t max_digits, bool empty_ok = false) {
  if (text.empty()) return empty_ok ? 0 : -1;
  if (text.size() > max_digits || !AllDigits(text)) return -1;
  double value = 0;
  for (char c : text) value = value * 10 + (c - '0');
  return value;
}

// "ss", "ss.ff" or "ss,ff" below 60 s; -1 otherwise.
double SecondsValue(std::string_view text) {
  const size_t point = text.find_first_of(".,");
  const double whole = DigitsValue(text.substr(0, point), 2);
  if (whole < 0 || whole >= 60) return -1;
  if (point == std::string_view::npos) return whole;
  const std::string_view fraction = text.substr(point + 1);
  const double digits = DigitsValue(fraction, kMostDigits);
  if (digits < 0) return -1;
  double scale = 1;
  for (size_t i = 0; i < fraction.size(); ++i) scale *= 10;
  return whole + digits / scale;
}

// One field of a row starting at `at`: quoted or plain, up to the next delimiter.
std::string ReadField(std::string_view line, size_t& at, char delimiter) {
  std::string field;
  size_t i = at;
  while (i < line.size() && (line[i] == ' ' || line[i] == '\t') && line[i] != delimiter) ++i;
  if (i < line.size() && line[i] == '"') {
    for (++i; i < line.size(); ++i) {
      if (line[i] != '"') {
        field += line[i];
      } else if (i + 1 < line.size() && line[i + 1] == '"') {
        field += line[++i];
      } else {
        ++i;
        break;
      }
    }
  }
  const size_t end = std::min(line.find(delimiter, i), line.size());
  field += line.substr(i, end - i);
  at = end;
  return std::string(TrimBlanks(field));
}

}  // namespace

char GuessDelimiter(std::string_view line) {
  constexpr std::array<char, 4> kDelimiters{';', ',', '\t', '\\'};
  char best = kDelimiters[0];
  long most = -1;
  for (char delimiter : kDelimiters) {
    const long count = std::count(line.begin(), line.end(), delimiter);
    if (count > most) {
      best = delimiter;
      most = count;
    }
  }
  return best;
}

std::vector<std::string> SplitTableRow(std::string_view line, char delimiter) {
  std::vector<std::string> fields;
  size_t at = 0;
  while (true) {
    fields.push_back(ReadField(line, at, delimiter));
    if (at >= line.size()) break;
    ++at;  // past the delimiter
  }
  return fields;
}

std::string UnquotedField(std::string_view field) {
  size_t at = 0;
  return ReadField(field, at, '\0');
}

const std::string& FieldOf(const std::vector<std::string>& row, int32_t position) {
  static const std::string kEmpty;
  if (position < 0 || static_cast<size_t>(position) >= row.size()) return kEmpty;
  return row[static_cast<size_t>(position)];
}

std::optional<double> ReadElapsedSeconds(std::string_view text) {
  text = TrimBlanks(text);
  const size_t first = text.find(':');
  if (first == std::string_view::npos) return std::nullopt;
  const size_t second = text.find(':', first + 1);
  const std::string_view head = text.substr(0, first);
  double hours = 0;
  double minutes;
  double seconds;
  if (second == std::string_view::npos) {
    minutes = DigitsValue(head, kMostDigits);
    seconds = SecondsValue(text.substr(first + 1));
  } else {
    hours = DigitsValue(head, kMostDigits, true);
    minutes = DigitsValue(text.substr(first + 1, second - first - 1), 2);
    if (minutes >= 60) return std::nullopt;
    seconds = SecondsValue(text.substr(second + 1));
  }
  if (hours < 0 || minutes < 0 || seconds < 0) return std::nullopt;
  return (hours * 60 + minutes) * 60 + seconds;
}

std::optional<int32_t> ReadCount(std::string_view text) {
  text = TrimBlanks(text);
  int32_t value = 0;
  if (text.empty() || !AllDigits(text)) return std::nullopt;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::vector<std::string> NonEmptyLines(const std::vector<std::string>& lines) {
  std::vector<std::string> kept;
  for (const std::string& line : lines) {
    const size_t end = line.find_last_not_of(kBlanks);
    if (end != std::string::npos) kept.push_back(line.substr(0, end + 1));
  }
  if (!kept.empty() && kept.front().starts_with(kByteOrderMark)) {
    kept.front().erase(0, kByteOrderMark.size());
  }
  return kept;
}

}  // namespace quorvex2::detail
