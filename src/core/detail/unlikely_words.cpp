#include "core/detail/unlikely_words.h"

#include <unicode/uchar.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

#include "core/detail/utf8.h"

namespace quorvex2::detail {
namespace {

// The accented small letters each language of the result lists writes, its own and those common
// in its names. Languages with one set of letters share a row.
constexpr std::array<std::u32string_view, 18> kAlphabets = {
    U"áčďéěíňóřšťúůýž",    // Czech
    U"áäčďéíĺľňóôŕšťúýž",  // Slovak
    U"ąćęłńóśźż",          // Polish
    U"áéíóöőúüű",          // Hungarian
    U"čćđšž",              // Slovenian, Croatian
    U"ăâîșşțţ",            // Romanian
    U"äöüßé",              // German
    U"åäöéü",              // Swedish
    U"åæøéóôü",            // Norwegian, Danish
    U"åäöšž",              // Finnish
    U"áðéíóúýþæö",         // Icelandic
    U"àâçéèêëîïôœùûüÿ",    // French
    U"áéíñóúü",            // Spanish
    U"àáâãçéêíóôõú",       // Portuguese
    U"àèéìíîòóùú",         // Italian
    U"äéèëïöü",            // Dutch
    U"äöõüšž",             // Estonian
    U"âçğıîiöşûü",         // Turkish; "i" stands for İ, whose small letter is the ASCII one
};

using LanguageSet = uint32_t;
constexpr LanguageSet kEveryLanguage = (LanguageSet{1} << kAlphabets.size()) - 1;

// The languages that write the letter.
LanguageSet LanguagesWriting(char32_t letter) {
  const auto small = static_cast<char32_t>(u_tolower(static_cast<UChar32>(letter)));
  LanguageSet languages = 0;
  for (size_t i = 0; i < kAlphabets.size(); ++i) {
    if (kAlphabets[i].find(small) != std::u32string_view::npos) languages |= LanguageSet{1} << i;
  }
  return languages;
}

// Blanks, ASCII punctuation and digits, and the general punctuation (dashes, quotation marks,
// the ellipsis) that Latin sets share, separate words; every other character belongs to one.
bool SeparatesWords(char32_t c) {
  if (c < 0x80) return !u_isalpha(static_cast<UChar32>(c));
  return c == 0xA0 || c == 0xAB || c == 0xBB || (c >= 0x2000 && c <= 0x206F);
}

bool IsLetter(char32_t c) {
  return u_isalpha(static_cast<UChar32>(c)) != 0;
}

struct Word {
  bool has_letter = false;
  bool has_symbol = false;
  bool is_accented = false;
  LanguageSet languages = kEveryLanguage;

  void Add(char32_t c) {
    if (!IsLetter(c)) {
      has_symbol = true;
    } else {
      has_letter = true;
      if (c >= 0x80) {
        is_accented = true;
        languages &= LanguagesWriting(c);
      }
    }
  }
};

}  // namespace

int UnlikelyWordCount(std::string_view text) {
  int with_symbols = 0;
  int accented = 0;
  std::array<int, kAlphabets.size()> written_by{};
  Word word;
  const auto end_word = [&] {
    if (word.has_letter && word.has_symbol) {
      ++with_symbols;
    } else if (word.is_accented) {
      ++accented;
      for (size_t i = 0; i < kAlphabets.size(); ++i) {
        if (word.languages & (LanguageSet{1} << i)) ++written_by[i];
      }
    }
    word = Word();
  };
  for (size_t pos = 0; pos < text.size();) {
    const char32_t c = DecodeUtf8(text, pos);
    if (SeparatesWords(c)) {
      end_word();
    } else {
      word.Add(c);
    }
  }
  end_word();
  // No name has a symbol among its letters, while an accented word of another language may
  // well be right in a list of many nations: the first weighs twice.
  return 2 * with_symbols + accented - *std::max_element(written_by.begin(), written_by.end());
}

}  // namespace quorvex2::detail
