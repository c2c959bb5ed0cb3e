#include "files/iof_code_book.h"

#include <algorithm>

#include "files/iof_reader_parts.h"
#include "quorvex2/core/text.h"

namespace quorvex2::detail {
namespace {

bool IsLettered(const std::string& code) {
  return !code.empty() &&
         std::any_of(code.begin(), code.end(), [](char c) { return c < '0' || c > '9'; });
}

}  // namespace

int32_t IofCodeBook::Number(const std::string& code) {
  const std::string text = Trim(code);
  if (!IsLettered(text)) return IofFileNumber(text);
  if (const auto it = lettered_.find(text); it != lettered_.end()) return it->second;
  const auto number = static_cast<int32_t>(kFirstLettered + met_.size());
  if (number > kLastLettered) return 0;
  lettered_.emplace(text, number);
  met_.push_back(text);
  return number;
}

std::string IofCodeBook::Digits(const std::string& code) {
  return IsLettered(Trim(code)) ? std::to_string(Number(code)) : code;
}

std::string IofCodeBook::Numbered() const {
  std::string list;
  for (const std::string& text : met_) {
    if (!list.empty()) list += ", ";
    list += text + " = " + std::to_string(lettered_.at(text));
  }
  return list;
}

}  // namespace quorvex2::detail
