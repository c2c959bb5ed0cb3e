// Deciding the encoding of a text file from its bytes: byte-order marks, ASCII and valid UTF-8
// first, then the character-set detector (uchardet), with Shift-JIS kept wherever the bytes are
// Shift-JIS and nothing says otherwise.
#include <uchardet/uchardet.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <type_traits>

#include "core/detail/iconv_converter.h"
#include "core/detail/utf8.h"
#include "quorvex2/core/encoding.h"

namespace quorvex2 {
namespace {

unsigned char Byte(std::string_view bytes, size_t i) {
  return static_cast<unsigned char>(bytes[i]);
}

std::string MarkedEncoding(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) return "UTF-8";
  if (bytes.starts_with("\xFF\xFE")) return "UTF-16LE";
  if (bytes.starts_with("\xFE\xFF")) return "UTF-16BE";
  return "";
}

bool IsAscii(std::string_view bytes) {
  return std::all_of(bytes.begin(), bytes.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool IsValidUtf8(std::string_view bytes) {
  for (size_t pos = 0; pos < bytes.size();) {
    if (!detail::IsValidUtf8At(bytes, pos)) return false;
    detail::DecodeUtf8(bytes, pos);
  }
  return true;
}

// True when CP932 decodes every byte.
bool IsValidShiftJis(std::string_view bytes) {
  thread_local detail::IconvConverter converter("UTF-8", "CP932");
  bool valid = true;
  converter.Convert(bytes, [&valid](std::string_view, size_t, std::string&) {
    valid = false;
    return size_t{1};
  });
  return valid;
}

// Japanese text in Shift-JIS has double-byte characters led by 0x81-0x9F (symbols, full-width
// letters, kana, the common kanji) or runs of half-width katakana (0xA1-0xDF). Text in a
// single-byte European encoding that happens to decode as Shift-JIS has neither: its accented
// letters are 0xC0-0xFF, and 0x80-0x9F only holds punctuation.
bool HoldsJapanese(std::string_view bytes) {
  int katakana_run = 0;
  for (size_t i = 0; i < bytes.size(); ++i) {
    const unsigned char c = Byte(bytes, i);
    if (c >= 0xA1 && c <= 0xDF) {
      if (++katakana_run >= 2) return true;
      continue;
    }
    katakana_run = 0;
    if (c >= 0x81 && c <= 0x9F) return true;
    if (c >= 0xE0 && c <= 0xFC) ++i;  // the trail byte of a double-byte character
  }
  return false;
}

// The detector's reading of the bytes ("" when it is unsure).
std::string DetectorReading(std::string_view bytes) {
  const std::unique_ptr<std::remove_pointer_t<uchardet_t>, void (*)(uchardet_t)> detector(
      uchardet_new(), uchardet_delete);
  if (uchardet_handle_data(detector.get(), bytes.data(), bytes.size()) != 0) return "";
  uchardet_data_end(detector.get());
  return uchardet_get_charset(detector.get());
}

bool IconvKnows(const std::string& encoding) {
  return detail::IconvConverter("UTF-8", encoding.c_str()).IsOpen();
}

// The detector's reading of text that is not Shift-JIS, as an encoding iconv decodes. Western
// European text is often read as one of the Latin sets that share its letters (Latin-1, -3, -9
// for short texts); they are all read as Windows-1252, their superset in use.
std::string OtherEncoding(const std::string& reading) {
  static const std::set<std::string> western = {"",           "ASCII",      "UTF-8",
                                                "ISO-8859-1", "ISO-8859-3", "ISO-8859-15"};
  if (western.contains(reading) || !IconvKnows(reading)) return "WINDOWS-1252";
  return reading;
}

}  // namespace

std::string DetectTextEncoding(std::string_view bytes) {
  if (std::string marked = MarkedEncoding(bytes); !marked.empty()) return marked;
  if (IsAscii(bytes)) return "ASCII";
  if (IsValidUtf8(bytes)) return "UTF-8";
  const std::string reading = DetectorReading(bytes);
  if (reading == "SHIFT_JIS") return "CP932";
  if (IsValidShiftJis(bytes) && (reading.empty() || HoldsJapanese(bytes))) return "CP932";
  return OtherEncoding(reading);
}

}  // namespace quorvex2
