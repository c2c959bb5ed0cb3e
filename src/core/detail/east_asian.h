#pragma once
// The East Asian scripts: the letters of Japanese, Chinese and Korean names and texts.
#include <string_view>

namespace quorvex2::detail {

// CJK symbols and punctuation, kana and kanji, hangul, compatibility ideographs, full- and
// half-width forms, and the kanji beyond the first plane.
bool IsEastAsian(char32_t cp);
// Such a character shown two columns wide (not the half-width katakana, hangul and symbols).
bool IsWideEastAsian(char32_t cp);
// Whether the UTF-8 text holds such a character.
bool HoldsEastAsian(std::string_view text);

}  // namespace quorvex2::detail
