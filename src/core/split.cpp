#include <cstddef>

#include "quorvex2/core/sort.h"
#include "quorvex2/core/text.h"

namespace quorvex2 {

void CclsSplit::Expression(const std::string& Separator, const std::string& Text) {
  fields_.clear();
  if (Text.empty()) return;
  if (Separator.empty()) {
    fields_.push_back(Text);
    return;
  }
  size_t from = 0;
  for (size_t at = Text.find(Separator); at != std::string::npos; at = Text.find(Separator, from)) {
    fields_.push_back(Text.substr(from, at - from));
    from = at + Separator.size();
  }
  fields_.push_back(Text.substr(from));
}

std::string CclsSplit::Expression(const std::string& Separator) const {
  return AfterValue(0, Separator);
}

std::string CclsSplit::Value(int32_t Index) const {
  if (Index < 0 || Index > Bound()) return "";
  return Trim(fields_[static_cast<size_t>(Index)]);
}

void CclsSplit::Value(int32_t Index, const std::string& NewValue) {
  if (Index < 0) return;
  if (Index > Bound()) {
    if (NewValue.empty()) return;
    fields_.resize(static_cast<size_t>(Index) + 1);
  }
  fields_[static_cast<size_t>(Index)] = Trim(NewValue);
}

std::string CclsSplit::AfterValue(int32_t Index, const std::string& Separator) const {
  if (Index < 0 || Index > Bound()) return "";
  std::string joined = fields_[static_cast<size_t>(Index)];
  for (size_t i = static_cast<size_t>(Index) + 1; i < fields_.size(); ++i) {
    joined += Separator + fields_[i];
  }
  return joined;
}

}  // namespace quorvex2
