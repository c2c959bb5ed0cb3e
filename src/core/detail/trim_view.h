#pragma once
// Trimming without a copy, for the readers' hot paths.
#include <string_view>

namespace quorvex2::detail {

// The text without leading and trailing half-width spaces (tabs are kept), as Trim() gives it.
inline std::string_view TrimSpaces(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace quorvex2::detail
