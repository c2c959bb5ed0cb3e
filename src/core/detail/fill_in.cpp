#include "core/detail/fill_in.h"

namespace quorvex2::detail {
namespace {

// The placeholder named at the text's start ("{name}..."), or nullptr.
const Placeholder* NamedAt(std::string_view text, std::span<const Placeholder> values) {
  for (const Placeholder& value : values) {
    if (text.size() > value.name.size() + 1 && text[value.name.size() + 1] == '}' &&
        text.substr(1, value.name.size()) == value.name) {
      return &value;
    }
  }
  return nullptr;
}

}  // namespace

std::string FillIn(std::string_view text, std::span<const Placeholder> values) {
  std::string out;
  out.reserve(text.size() + 32);
  for (size_t pos = 0; pos < text.size();) {
    const size_t brace = text.find('{', pos);
    out.append(text.substr(pos, brace - pos));
    if (brace == std::string_view::npos) break;
    const Placeholder* value = NamedAt(text.substr(brace), values);
    if (value == nullptr) {
      out += '{';
      pos = brace + 1;
      continue;
    }
    out += value->value;
    pos = brace + value->name.size() + 2;
  }
  return out;
}

}  // namespace quorvex2::detail
