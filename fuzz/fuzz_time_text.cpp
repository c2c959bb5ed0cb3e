// Drives the time-text, width and encoding procedures with arbitrary bytes and checks the
// promises that must hold for every input.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "quorvex2/core/encoding.h"
#include "quorvex2/core/format.h"
#include "quorvex2/core/text.h"
#include "quorvex2/core/time_text.h"
#include "quorvex2/core/value_types.h"

namespace {

using namespace quorvex2;

void Check(bool condition) {
  if (!condition) std::abort();
}

// A double taken from the first eight bytes, and a tame one (a few days either way) from the
// text's bytes, so both wild and realistic values are formatted.
double WildValue(const std::string& data) {
  double value = 0;
  std::memcpy(&value, data.data(), std::min(sizeof(value), data.size()));
  return value;
}

double TameValue(const std::string& data) {
  int64_t n = 0;
  for (unsigned char c : data.substr(0, 6)) n = n * 131 + c;
  return static_cast<double>(n % (86400 * 4) - 86400 * 2) / 86400.0 + (data.size() % 7) / 10.0;
}

void FuzzTimes(const std::string& text) {
  for (bool seconds_first : {true, false}) {
    for (const char* format : {"hh:nn:ss", "h:nn:ss", "nn:ss"}) {
      const std::string normalized = NormalizeTimeText(text, seconds_first, format);
      // A result that is a time is written under the format: normalising it again is stable.
      if (IsValidTime(normalized) && std::strcmp(format, "nn:ss") != 0) {
        Check(NormalizeTimeText(normalized, false, format) == normalized);
      }
    }
  }
  ParseDateOrDefault(text, 0);
  if (const auto date = ParseDateText(text)) Check(std::isfinite(*date));
  ResultStatusOrder(text);
}

void FuzzValues(const std::string& data) {
  for (double value : {WildValue(data), TameValue(data)}) {
    FormatCompactTime(value);
    Check(GetByteLength(FormatCompactTime(value, 8)) >= 8);
    for (const char* expression : {"hh:nn:ss", "yyyy/mm/dd hh:nn", "#0.0", "00", "#"}) {
      FormatValue(value, expression);
    }
    clsTimeValue time;
    time.Value(value);
    time.ToString("plane");
    time.ToString("hh:nn:ss", true);
    TimeToSeconds(value);
  }
}

void FuzzWidths(const std::string& text) {
  const int32_t width = static_cast<int32_t>(text.size() % 23);
  const int32_t start = static_cast<int32_t>(text.size() % 5) + 1;
  const std::string part = MidByWidth(text, start, width);
  Check(GetByteLength(part) <= width);
  if (GetByteLength(text) >= start - 1 + width) Check(GetByteLength(part) == width);
  Check(GetByteLength(FitString(text, width, text.size() % 2 == 0)) == width);
  const std::string narrow = ToNarrow(text);
  Check(ToNarrow(ToWide(narrow)) == ToNarrow(narrow));
  ToUpper(text);
  MakeNameKey(text);
}

void FuzzEncodings(const std::string& data) {
  const std::string utf8 = SjisToUtf8(data);
  // Decoded Shift-JIS holds only characters Shift-JIS can hold, so it survives a round trip
  // unless a broken byte became U+FFFD (which goes out as "?").
  if (utf8.find("\xEF\xBF\xBD") == std::string::npos) Check(SjisToUtf8(Utf8ToSjis(utf8)) == utf8);
  Check(GetByteLength(utf8) == static_cast<int32_t>(Utf8ToSjis(utf8).size()));
  Utf8ToSjis(data);
  Utf16leToUtf8(data);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  const std::string data(reinterpret_cast<const char*>(bytes), size);
  FuzzTimes(data);
  FuzzValues(data);
  FuzzWidths(data);
  FuzzEncodings(data);
  return 0;
}
