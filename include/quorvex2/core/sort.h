#pragma once
// The component's one sorting facility (ascending keys, equal keys newest first, competition
// ranks) and the field splitter of its comma-separated expressions.
#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace quorvex2 {

// A sort key: a number (dates are numbers of days) or a string. Numbers compare numerically,
// strings by character code; a number sorts before a string.
using SortKeyValue = std::variant<double, std::string>;
using SortItemValue = std::variant<std::string, int32_t, std::shared_ptr<void>>;

class CclsSortLine {
 public:
  SortKeyValue SortKey;
  SortItemValue Item;
  int32_t RankOrder = 0;

  // The line is reached as the record it is (LineObject(i).RankOrder) or, the way object
  // properties are, through -> (LineObject(i)->RankOrder).
  CclsSortLine* operator->() { return this; }
  const CclsSortLine* operator->() const { return this; }

 private:
  friend class CclsSort;
  int64_t sequence_ = 0;  // insertion number: among equal keys the newest line comes first
};

class CclsSort {
 public:
  CclsSort() { Clear(); }

  void AddString(const SortKeyValue& Key, const std::string& Value);
  void AddLong(const SortKeyValue& Key, int32_t Value);
  void AddObject(const SortKeyValue& Key, std::shared_ptr<void> Value);

  int32_t Count() const { return static_cast<int32_t>(lines_.size()); }
  // 1-based; std::out_of_range outside 1..Count.
  const SortKeyValue& SortKey(int32_t Index) const;
  std::string StringItem(int32_t Index) const;
  int32_t LongItem(int32_t Index) const;
  std::shared_ptr<void> ObjectItem(int32_t Index) const;
  template <class T>
  std::shared_ptr<T> ObjectItemAs(int32_t Index) const {
    return std::static_pointer_cast<T>(ObjectItem(Index));
  }
  // 1-based; std::out_of_range outside 1..Count.
  CclsSortLine& LineObject(int32_t Index);
  const std::vector<CclsSortLine>& LineSet() const;

  // Standard competition ranks: keys 10, 12, 12, 15 get 1, 2, 2, 4.
  void CalcRankOrder();
  void Clear();

 private:
  // Lines are appended as they come and put in order when next read: the order is that of
  // inserting each line before the first line whose key is greater than or equal to its own.
  void Insert(SortKeyValue key, SortItemValue item);
  void Order() const;
  CclsSortLine& Line(int32_t Index) const;

  mutable std::vector<CclsSortLine> lines_;
  mutable size_t ordered_count_ = 0;  // lines_[0, ordered_count_) are in order
  int64_t next_sequence_ = 0;
};

class CclsSplit {
 public:
  // Splits Text at every Separator (no trimming, empty fields kept).
  void Expression(const std::string& Separator, const std::string& Text);
  // The fields joined with Separator.
  std::string Expression(const std::string& Separator) const;
  // The trimmed field (0-based); "" outside 0..Bound.
  std::string Value(int32_t Index) const;
  void Value(int32_t Index, const std::string& NewValue);
  // The untrimmed fields Index..Bound joined with Separator; "" outside 0..Bound.
  std::string AfterValue(int32_t Index, const std::string& Separator) const;
  int32_t Bound() const { return static_cast<int32_t>(fields_.size()) - 1; }

 private:
  std::vector<std::string> fields_;
};

}  // namespace quorvex2
