#include "quorvex2/core/sort.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "quorvex2/core/text.h"

namespace quorvex2 {

void CclsSort::AddString(const SortKeyValue& Key, const std::string& Value) {
  Insert(Key, Value);
}
void CclsSort::AddLong(const SortKeyValue& Key, int32_t Value) {
  Insert(Key, Value);
}
void CclsSort::AddObject(const SortKeyValue& Key, std::shared_ptr<void> Value) {
  Insert(Key, std::move(Value));
}

void CclsSort::Insert(SortKeyValue key, SortItemValue item) {
  CclsSortLine line;
  line.SortKey = std::move(key);
  line.Item = std::move(item);
  line.sequence_ = next_sequence_++;
  lines_.push_back(std::move(line));
}

void CclsSort::Order() const {
  if (ordered_count_ == lines_.size()) return;
  const auto before = [](const CclsSortLine& a, const CclsSortLine& b) {
    if (a.SortKey < b.SortKey) return true;
    if (b.SortKey < a.SortKey) return false;
    return a.sequence_ > b.sequence_;
  };
  if (lines_.size() - ordered_count_ == 1) {
    // One new line: put it before the first line whose key is greater than or equal to its own.
    CclsSortLine line = std::move(lines_.back());
    lines_.pop_back();
    const auto at = std::lower_bound(lines_.begin(), lines_.end(), line, before);
    lines_.insert(at, std::move(line));
  } else {
    const auto middle = lines_.begin() + static_cast<std::ptrdiff_t>(ordered_count_);
    std::sort(middle, lines_.end(), before);
    std::inplace_merge(lines_.begin(), middle, lines_.end(), before);
  }
  ordered_count_ = lines_.size();
}

const std::vector<CclsSortLine>& CclsSort::LineSet() const {
  Order();
  return lines_;
}

CclsSortLine& CclsSort::Line(int32_t Index) const {
  if (Index < 1 || Index > Count()) {
    throw std::out_of_range("CclsSort: line " + std::to_string(Index) + " outside 1.." +
                            std::to_string(Count()));
  }
  Order();
  return lines_[static_cast<size_t>(Index - 1)];
}

CclsSortLine& CclsSort::LineObject(int32_t Index) {
  return Line(Index);
}

const SortKeyValue& CclsSort::SortKey(int32_t Index) const {
  return Line(Index).SortKey;
}

std::string CclsSort::StringItem(int32_t Index) const {
  const SortItemValue& item = Line(Index).Item;
  if (const auto* text = std::get_if<std::string>(&item)) return *text;
  if (const auto* number = std::get_if<int32_t>(&item)) return std::to_string(*number);
  return "";
}

int32_t CclsSort::LongItem(int32_t Index) const {
  const SortItemValue& item = Line(Index).Item;
  if (const auto* number = std::get_if<int32_t>(&item)) return *number;
  if (const auto* text = std::get_if<std::string>(&item)) {
    return static_cast<int32_t>(LeadingNumber(*text));
  }
  return 0;
}

std::shared_ptr<void> CclsSort::ObjectItem(int32_t Index) const {
  const SortItemValue& item = Line(Index).Item;
  if (const auto* object = std::get_if<std::shared_ptr<void>>(&item)) return *object;
  return nullptr;
}

void CclsSort::CalcRankOrder() {
  Order();
  for (size_t i = 0; i < lines_.size(); ++i) {
    const bool same_key = i > 0 && lines_[i].SortKey == lines_[i - 1].SortKey;
    lines_[i].RankOrder = same_key ? lines_[i - 1].RankOrder : static_cast<int32_t>(i + 1);
  }
}

void CclsSort::Clear() {
  lines_.clear();
  ordered_count_ = 0;
  next_sequence_ = 0;
}

}  // namespace quorvex2
