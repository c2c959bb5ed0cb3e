#pragma once
// Walking UTF-8 texts by code point. Invalid bytes decode as U+FFFD, one byte at a time, so every
// input makes progress.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quorvex2::detail {

inline constexpr char32_t kReplacementChar = 0xFFFD;

// Decodes the code point at text[pos] and advances pos past it (by one byte when invalid).
char32_t DecodeUtf8(std::string_view text, size_t& pos);
// True when the sequence at text[pos] was valid UTF-8 (DecodeUtf8 did not replace it).
bool IsValidUtf8At(std::string_view text, size_t pos);
// True when the whole text is valid UTF-8.
bool IsValidUtf8(std::string_view text);
void AppendUtf8(std::string& out, char32_t cp);
std::u32string ToU32(std::string_view text);
std::string FromU32(std::u32string_view text);

}  // namespace quorvex2::detail
