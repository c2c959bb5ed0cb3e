#pragma once
// Font family names: the Windows Japanese families the component names, mapped to the IPA
// families that fontconfig provides.
#include <string>

namespace quorvex2 {

// The family to ask fontconfig for: ＭＳ ゴシック -> IPAGothic, ＭＳ Ｐゴシック -> IPAPGothic,
// ＭＳ 明朝 -> IPAMincho, ＭＳ Ｐ明朝 -> IPAPMincho (also their Latin spellings); a leading "@"
// (vertical writing) is dropped; other names pass unchanged.
std::string MapFontFamily(const std::string& Name);

// True for a vertical-writing font name ("@" followed by a family).
bool IsVerticalFontName(const std::string& Name);

// The family of the font file fontconfig really picks for the name (after mapping), so a
// caller can tell a missing font from a found one.
std::string MatchedFontFamily(const std::string& Name);

}  // namespace quorvex2
