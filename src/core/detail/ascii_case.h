#pragma once
// Letter case of ASCII letters only, for texts that are not yet decoded (markup read as bytes,
// encoding names): every other byte stays as it is, so offsets into the copy are offsets into
// the original.
#include <cctype>
#include <string>
#include <string_view>

namespace quorvex2::detail {

inline std::string ToLowerAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

inline std::string ToUpperAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace quorvex2::detail
