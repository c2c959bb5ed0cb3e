#include "files/si_listing_tokens.h"

#include <algorithm>
#include <array>
#include <regex>
#include <string_view>

#include <fmt/format.h>

#include "core/detail/east_asian.h"
#include "core/detail/utf8.h"
#include "quorvex2/core/format.h"
#include "quorvex2/core/text.h"
#include "quorvex2/core/time_text.h"

namespace quorvex2::detail::sportident {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

// ASCII letters and every byte of a non-ASCII character (the letters of other scripts).
bool IsLetterByte(char c) {
  return static_cast<unsigned char>(c) >= 0x80 || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

int32_t CharacterWidth(const std::string& line, size_t& pos, ColumnWidths widths) {
  if (static_cast<unsigned char>(line[pos]) < 0x80) {
    ++pos;
    return 1;
  }
  const size_t start = pos;
  const char32_t character = DecodeUtf8(line, pos);
  if (widths == ColumnWidths::kOnePerCharacter) return 1;
  if (widths == ColumnWidths::kDisplayWidth) return IsWideEastAsian(character) ? 2 : 1;
  // Shift-JIS holds no hangul and not every hanzi: they are as wide as the kanji beside them,
  // as the printouts of their own code pages line them up.
  const int32_t bytes = GetByteLength(line.substr(start, pos - start));
  return bytes == 1 && IsWideEastAsian(character) ? 2 : bytes;
}

bool OneOf(const std::string& text, std::initializer_list<std::string_view> words) {
  const std::string lower = ToLower(text);
  return std::find(words.begin(), words.end(), lower) != words.end();
}

// A control code: digits, or letters and digits (0 then); 0 when too long for a number.
int32_t CodeNumber(const std::string& text) {
  if (text.empty() || text.size() > 9) return 0;
  if (!std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return 0;
  }
  return std::stoi(text);
}

}  // namespace

ColumnWidths WidthsOf(const std::vector<std::string>& lines) {
  const bool east_asian = std::any_of(lines.begin(), lines.end(),
                                      [](const std::string& line) { return HoldsEastAsian(line); });
  return east_asian ? ColumnWidths::kShiftJisBytes : ColumnWidths::kOnePerCharacter;
}

std::vector<Token> Tokenize(const std::string& line, ColumnWidths widths) {
  std::vector<Token> tokens;
  int32_t column = 1;
  for (size_t pos = 0; pos < line.size();) {
    if (IsBlank(line[pos])) {
      ++pos;
      ++column;
      continue;
    }
    Token token;
    token.offset = pos;
    token.first_column = column;
    while (pos < line.size() && !IsBlank(line[pos])) column += CharacterWidth(line, pos, widths);
    token.text = line.substr(token.offset, pos - token.offset);
    token.last_column = column - 1;
    tokens.push_back(std::move(token));
  }
  return tokens;
}

std::vector<std::string> ListingLines(std::vector<std::string> lines) {
  for (std::string& line : lines) {
    if (line.size() > kMostListingBytes) {
      size_t cut = kMostListingBytes;
      while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
      line.resize(cut);
    }
    if (line.find("\xC2\xA0") != std::string::npos) line = ReplaceAll(line, "\xC2\xA0", " ");
  }
  return lines;
}

std::string ExpandTabs(const std::string& line, ColumnWidths widths) {
  constexpr int32_t kTabWidth = 8;
  if (line.find('\t') == std::string::npos) return line;
  std::string out;
  int32_t column = 0;
  for (size_t pos = 0; pos < line.size();) {
    if (line[pos] == '\t') {
      const int32_t blanks = kTabWidth - column % kTabWidth;
      out.append(static_cast<size_t>(blanks), ' ');
      column += blanks;
      ++pos;
      continue;
    }
    const size_t start = pos;
    column += CharacterWidth(line, pos, widths);
    out.append(line, start, pos - start);
  }
  return out;
}

bool IsTime(const std::string& text) {
  static const std::regex kTime(R"(\d{1,4}:\d\d(:\d\d)?([.,]\d{1,3})?)");
  return text.size() <= 14 && std::regex_match(text, kTime);
}

std::string PlainTime(const std::string& text) {
  if (!IsTime(text)) return text;
  const std::string whole = text.substr(0, text.find_first_of(".,"));
  if (whole.find(':') != 4 || whole.size() != 7) return whole;
  const int minutes = std::stoi(whole.substr(0, 4));
  return fmt::format("{}:{:02}{}", minutes / 60, minutes % 60, whole.substr(4));
}

std::optional<Date> TokenTime(const std::string& text) {
  if (!IsTime(text)) return std::nullopt;
  return ParseTimeText(NormalizeTimeText(PlainTime(text), true, "hh:nn:ss"));
}

bool IsMissingMark(const std::string& text) {
  if (text == "0.00" || text == "0:00") return true;
  return std::count(text.begin(), text.end(), '-') >= 2 &&
         text.find_first_not_of("-:") == std::string::npos;
}

bool IsTimeField(const std::string& text) {
  return IsTime(text) || IsMissingMark(text);
}

size_t TimesFrom(const std::vector<Token>& tokens, size_t from) {
  return static_cast<size_t>(
      std::count_if(tokens.begin() + static_cast<std::ptrdiff_t>(from), tokens.end(),
                    [](const Token& token) { return IsTimeField(token.text); }));
}

bool IsNumberField(const std::string& text) {
  const size_t digits = text.find_first_not_of("0123456789");
  if (digits == 0 || text.empty()) return false;
  return digits == std::string::npos || (digits == text.size() - 1 && text.back() == '.');
}

ResultStatus StatusOf(const std::string& text) {
  if (OneOf(text, {"mp", "pm", "fehlst", "fehl", "felst"})) return ResultStatus::kMissingPunch;
  if (OneOf(text, {"dnf", "aufg", "aufgeg.", "abd", "ab", "abbr", "vzdal", "utg", "brutt", "kesk",
                   "ret", "сошел", "сошёл", "сход"})) {
    return ResultStatus::kDidNotFinish;
  }
  if (OneOf(text, {"dns", "disq", "dsq", "dq", "disk", "disk.", "nc", "ot", "ocl", "pf", "n.a.",
                   "hyl", "desc", "nest", "снят", "дискв", "дискв.", "н/с"})) {
    return ResultStatus::kOther;
  }
  return ResultStatus::kNone;
}

bool IsStatusWord(const std::string& text) {
  return StatusOf(text) != ResultStatus::kNone;
}

bool IsOutOfCompetitionMark(const std::string& text) {
  return OneOf(text, {"nc", "n/c", "ak", "a.k.", "ot"});
}

bool HasLetter(const std::string& text) {
  return std::any_of(text.begin(), text.end(), IsLetterByte);
}

bool ReadControlItems(const Token& token, std::vector<ControlItem>& items) {
  static const std::regex kBracketed(R"((\d+)\(([A-Za-z0-9]+)\))");
  static const std::regex kDashed(R"(\d+-([A-Za-z0-9]+))");
  std::smatch m;
  if (std::regex_match(token.text, m, kDashed)) {
    items.push_back({CodeNumber(m.str(1)), token.last_column});
    return true;
  }
  std::vector<ControlItem> found;
  auto at = token.text.cbegin();
  while (at != token.text.cend()) {
    if (!std::regex_search(at, token.text.cend(), m, kBracketed) || m.position(0) != 0) {
      return false;
    }
    at = m[0].second;
    const auto end = static_cast<int32_t>(at - token.text.cbegin());
    found.push_back({CodeNumber(m.str(2)), token.first_column + end - 1});
  }
  items.insert(items.end(), found.begin(), found.end());
  return !found.empty();
}

bool IsFinishMark(const std::string& text) {
  if (text.empty() || text.size() > 8) return false;
  const std::string word = text.back() == '.' ? text.substr(0, text.size() - 1) : text;
  return !word.empty() && GetByteLength(word) <= 6 &&
         std::all_of(word.begin(), word.end(), IsLetterByte);
}

}  // namespace quorvex2::detail::sportident
