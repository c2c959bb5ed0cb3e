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

void IofCodeBook::Reserve(std::string_view text) {
  constexpr std::string_view kTag = "ControlCode>";
  for (size_t at = text.find(kTag); at != std::string_view::npos; at = text.find(kTag, at + 1)) {
    const size_t from = text.find_first_not_of(" \t\r\n", at + kTag.size());
    if (from == std::string_view::npos) break;
    const size_t end = text.find('<', from);
    if (end == std::string_view::npos) break;
    const std::string code = Trim(std::string(text.substr(from, end - from)));
    if (!code.empty() && !IsLettered(code)) reserved_.insert(IofFileNumber(code));
  }
}

void IofCodeBook::Continue(const std::unordered_map<std::string, int32_t>& earlier) {
  lettered_ = earlier;
  for (const auto& [text, number] : earlier) reserved_.insert(number);
}

int32_t IofCodeBook::Number(const std::string& code) {
  const std::string text = Trim(code);
  if (!IsLettered(text)) return IofFileNumber(text);
  if (const auto it = lettered_.find(text); it != lettered_.end()) {
    if (std::find(met_.begin(), met_.end(), text) == met_.end()) met_.push_back(text);
    return it->second;
  }
  while (next_ == kFinish || reserved_.contains(next_)) ++next_;
  const int32_t number = next_++;
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
