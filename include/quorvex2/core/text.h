#pragma once
// Text procedures: display widths (full-width characters count two columns), case and width
// conversions, fields, quotes. Texts are UTF-8.
#include <cstdint>
#include <string>

namespace quorvex2 {

// Display width: the length of the text in Shift-JIS (a character CP932 cannot hold counts 1).
int32_t GetByteLength(const std::string& Text);
// The part of the text from the 1-based start column that fits in Width columns; a full-width
// character cut in half becomes one space.
std::string MidByWidth(const std::string& Text, int32_t Start, int32_t Width);
std::string FitString(const std::string& Text, int32_t Width, bool RightAlign = false,
                      bool TrimText = false);
std::string CutRight(const std::string& Text, int32_t Count, const std::string& Suffix = "");
int32_t CountString(const std::string& Text, const std::string& Pattern);
// Every occurrence of From replaced by To, scanning left to right without overlaps: replacing
// "-0-" in "-0-0-" gives "-S-0-".
std::string ReplaceAll(const std::string& Text, const std::string& From, const std::string& To);
// The 1-based Index-th field of Text split at Separator; "" when out of range.
std::string GetSeparatedValue(const std::string& Text, int32_t Index, const std::string& Separator);
// The text without half-width spaces, ideographic spaces (U+3000) and NUL characters.
std::string MakeNameKey(const std::string& Text);
std::string AddQuote(const std::string& Text);
std::string RemoveQuote(const std::string& Text);

// Leading and trailing half-width spaces removed (tabs are kept, as the platform's Trim does).
std::string Trim(const std::string& Text);
// ASCII and full-width Latin letters.
std::string ToUpper(const std::string& Text);
std::string ToLower(const std::string& Text);
// Full-width ASCII forms, the ideographic space, katakana, the long-vowel mark and 。「」、・ to
// their half-width forms (クラス -> ｸﾗｽ, ゴール -> ｺﾞｰﾙ, ヴ -> ｳﾞ); ’ ” “ ‘ to ' " " `.
// Hiragana and kanji stay.
std::string ToNarrow(const std::string& Text);
// The reverse: half-width ASCII and katakana to full width, voiced marks joined back.
std::string ToWide(const std::string& Text);

// True when the text is a number as the platform reads one (optional sign, digits, one point).
bool IsNumeric(const std::string& Text);
// The leading decimal number of the text; 0 when there is none.
double LeadingNumber(std::string_view Text);

}  // namespace quorvex2
