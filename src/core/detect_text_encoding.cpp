// Deciding the encoding of a text file from its bytes: byte-order marks, an HTML page's declared
// charset, ASCII and valid UTF-8 first, then the character-set detectors, with Shift-JIS kept
// wherever the bytes are Shift-JIS and nothing says otherwise. uchardet places the script and the
// family of sets; among the Latin sets of Western and Central Europe ICU's detector proposes,
// whose letter statistics tell them apart better on the few hundred accented letters of a result
// list, where uchardet often names a DOS, Mac or Central European set for Western names. Where
// even ICU's statistics are too thin (a Polish or Czech list beside English captions), the words
// decide: the reading among Windows-1252, Windows-1250 and Latin-2 whose words are the most
// likely wins over the detectors' when it is strictly more likely.
#include <uchardet/uchardet.h>
#include <unicode/ucsdet.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <type_traits>

#include "core/detail/ascii_case.h"
#include "core/detail/declared_encoding.h"
#include "core/detail/iconv_converter.h"
#include "core/detail/unlikely_words.h"
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
// letters are 0xC0-0xFF, and 0x80-0x9F holds punctuation and a few letters (Š, Ž, Ś, Ť, Ź in
// Windows-1250) that stand inside Latin words ("O’Brien", "Men’s") or begin them ("Žiga", "ŠK
// Senec"): such a byte after an ASCII letter, or before an ASCII letter and another letter or a
// blank, is no evidence. A kanji between separators ("1,Taro,男,M21A") or a full-width letter
// before a digit ("Ｍ21A") is.
bool HoldsJapanese(std::string_view bytes) {
  const auto letter = [bytes](size_t i) {
    return i < bytes.size() && std::isalpha(Byte(bytes, i)) != 0;
  };
  const auto starts_latin_word = [&](size_t i) {
    return letter(i + 1) && (letter(i + 2) || (i + 2 < bytes.size() && bytes[i + 2] == ' '));
  };
  int katakana_run = 0;
  bool after_letter = false;  // the character before is an ASCII letter
  for (size_t i = 0; i < bytes.size(); ++i) {
    const unsigned char c = Byte(bytes, i);
    if (c >= 0xA1 && c <= 0xDF) {
      if (++katakana_run >= 2) return true;
      after_letter = false;
      continue;
    }
    katakana_run = 0;
    if (c >= 0x81 && c <= 0x9F && !after_letter && !starts_latin_word(i)) return true;
    after_letter = letter(i);
    if ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) ++i;  // a double-byte character
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

// The Latin set ICU's detector ranks first ("" when it names none), markup left out.
std::string IcuLatinReading(std::string_view bytes) {
  static const std::set<std::string> latin = {"ISO-8859-1",   "ISO-8859-2",   "ISO-8859-9",
                                              "windows-1252", "windows-1250", "windows-1254"};
  UErrorCode status = U_ZERO_ERROR;
  const std::unique_ptr<UCharsetDetector, void (*)(UCharsetDetector*)> detector(
      ucsdet_open(&status), ucsdet_close);
  if (U_FAILURE(status)) return "";
  ucsdet_enableInputFilter(detector.get(), true);
  const auto length = static_cast<int32_t>(std::min<size_t>(bytes.size(), INT32_MAX));
  ucsdet_setText(detector.get(), bytes.data(), length, &status);
  int32_t count = 0;
  const UCharsetMatch** matches = ucsdet_detectAll(detector.get(), &count, &status);
  for (int32_t i = 0; U_SUCCESS(status) && i < count; ++i) {
    const char* name = ucsdet_getName(matches[i], &status);
    if (U_SUCCESS(status) && latin.contains(name)) return detail::ToUpperAscii(name);
  }
  return "";
}

// The detector's reading of text that is not Shift-JIS, as an encoding iconv decodes. A Latin
// reading of Western or Central Europe (uchardet's DOS and Mac sets included) is ICU's; the Baltic
// sets, which ICU does not know, and other scripts stay uchardet's. Latin-1 is read as its
// superset in use, Windows-1252, and so is text neither detector can place.
std::string OtherEncoding(const std::string& reading, std::string_view bytes) {
  static const std::set<std::string> ruled_by_icu = {"",
                                                     "ISO-8859-1",
                                                     "ISO-8859-2",
                                                     "ISO-8859-3",
                                                     "ISO-8859-9",
                                                     "ISO-8859-15",
                                                     "ISO-8859-16",
                                                     "WINDOWS-1250",
                                                     "WINDOWS-1252",
                                                     "IBM852",
                                                     "MAC-CENTRALEUROPE"};
  std::string encoding = reading;
  if (ruled_by_icu.contains(reading)) encoding = IcuLatinReading(bytes);
  if (encoding.empty() || encoding == "ISO-8859-1" || !detail::IconvKnows(encoding))
    return "WINDOWS-1252";
  return encoding;
}

// Among the Western, Central European and Turkish readings of the bytes, the one with the fewest
// unlikely words: the detectors' Latin `encoding` wherever it is as likely as any, and any
// encoding of another kind as it is.
std::string MostLikelyLatinReading(std::string_view bytes, const std::string& encoding) {
  static const std::set<std::string> latin = {"WINDOWS-1252", "WINDOWS-1250", "ISO-8859-2",
                                              "WINDOWS-1254", "ISO-8859-9"};
  if (!latin.contains(encoding)) return encoding;
  std::string best = encoding;
  int fewest = detail::UnlikelyWordCount(DecodeText(bytes, encoding));
  for (const std::string other : {"WINDOWS-1252", "WINDOWS-1250", "ISO-8859-2", "WINDOWS-1254"}) {
    if (fewest == 0) break;
    if (other == encoding) continue;
    const int unlikely = detail::UnlikelyWordCount(DecodeText(bytes, other));
    if (unlikely < fewest) {
      fewest = unlikely;
      best = other;
    }
  }
  return best;
}

}  // namespace

std::string DetectTextEncoding(std::string_view bytes) {
  if (std::string marked = MarkedEncoding(bytes); !marked.empty()) return marked;
  if (IsAscii(bytes)) return "ASCII";
  if (std::string declared =
          detail::EncodingOfDeclaration(detail::HtmlDeclaredCharset(bytes), bytes);
      !declared.empty()) {
    return declared;
  }
  if (detail::IsValidUtf8(bytes)) return "UTF-8";
  const std::string reading = DetectorReading(bytes);
  if (reading == "SHIFT_JIS") return "CP932";
  if (IsValidShiftJis(bytes) && (reading.empty() || HoldsJapanese(bytes))) return "CP932";
  return MostLikelyLatinReading(bytes, OtherEncoding(reading, bytes));
}

}  // namespace quorvex2
