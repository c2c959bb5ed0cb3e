#include "core/detail/localized_text.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "core/detail/catalogue.h"
#include "core/detail/utf8.h"
#include "quorvex2/core/text.h"
#include "quorvex2/core/time_text.h"

namespace quorvex2::detail {

std::string LegCaption(int32_t ControlCount, bool WithOrigin, int32_t LegIndex) {
  if (IsSourceLanguage()) return MakeLegName(ControlCount, WithOrigin, LegIndex);
  const bool is_finish = int64_t{LegIndex} == int64_t{ControlCount} + 1;
  const std::string destination = is_finish ? Tr("leg", "◎") : std::to_string(LegIndex);
  std::string origin;
  if (WithOrigin) origin = LegIndex == 1 ? Tr("leg", "△") : std::to_string(LegIndex - 1);
  return origin + "→" + destination;
}

std::string NoDataMark() {
  return Tr("－");
}

std::string CompactName(const std::string& name) {
  return IsSourceLanguage() ? MakeNameKey(name) : name;
}

namespace {

// The scripts of names that put the family name first: CJK symbols, kana and kanji, hangul,
// compatibility ideographs, full- and half-width forms, and the kanji beyond the first plane.
bool IsEastAsian(char32_t cp) {
  return (cp >= 0x3000 && cp <= 0x9FFF) || (cp >= 0xAC00 && cp <= 0xD7AF) ||
         (cp >= 0xF900 && cp <= 0xFAFF) || (cp >= 0xFF00 && cp <= 0xFFEF) ||
         (cp >= 0x20000 && cp <= 0x3FFFF);
}

}  // namespace

bool PutsFamilyFirst(const std::string& name) {
  if (IsSourceLanguage()) return true;
  for (size_t pos = 0; pos < name.size();) {
    if (IsEastAsian(DecodeUtf8(name, pos))) return true;
  }
  return false;
}

std::string PersonName(const std::string& family, const std::string& given) {
  if (family.empty() || given.empty()) return family + given;
  const bool family_first = PutsFamilyFirst(family) || PutsFamilyFirst(given);
  return family_first ? family + " " + given : given + " " + family;
}

std::optional<std::pair<std::string, std::string>> GivenFirstParts(const std::string& name) {
  if (PutsFamilyFirst(name)) return std::nullopt;
  const std::string words = Trim(name);
  const size_t blank = words.rfind(' ');
  if (blank == std::string::npos) return std::pair{words, std::string()};
  return std::pair{words.substr(blank + 1), Trim(words.substr(0, blank))};
}

std::string ColumnName(const std::string& name, int32_t width) {
  if (IsSourceLanguage()) return name;
  const std::string words = ReplaceAll(Trim(name), "　", " ");
  std::string family = words.substr(0, words.find(' '));
  if (const auto parts = GivenFirstParts(words)) family = parts->first;
  return FitString(family, width - 1, false, true);
}

std::string WideInJapanese(const std::string& text) {
  return IsSourceLanguage() ? ToWide(text) : text;
}

}  // namespace quorvex2::detail
