#pragma once
// Texts with named placeholders, kept whole so that a translation may move them: "{path} is
// empty". FillIn puts the values in, in one pass, so a value that holds braces stays as it is.
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace quorvex2::detail {

struct Placeholder {
  std::string_view name;  // without braces
  std::string value;
};

// The text with every "{name}" of a placeholder replaced by its value; any other brace stays.
std::string FillIn(std::string_view text, std::span<const Placeholder> values);
inline std::string FillIn(std::string_view text, std::initializer_list<Placeholder> values) {
  return FillIn(text, std::span<const Placeholder>(values.begin(), values.size()));
}

}  // namespace quorvex2::detail
