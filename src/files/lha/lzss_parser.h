#pragma once
// Splits data into literals and back references for the -lh5- format: an 8 KiB window, matches
// of 3 to 256 bytes, found through hash chains with one step of lazy matching.
#include <cstdint>
#include <string_view>
#include <vector>

namespace quorvex2::detail::lha {

inline constexpr int kMinMatch = 3;
inline constexpr int kMaxMatch = 256;
inline constexpr int kWindowSize = 8192;

struct LzssCommand {
  uint16_t symbol;  // 0-255 a literal byte, 256 + length - 3 a match
  uint16_t offset;  // for a match: distance back - 1
  bool IsMatch() const { return symbol >= 256; }
};

class LzssParser {
 public:
  explicit LzssParser(std::string_view data);
  // The next command; false at the end of the data.
  bool Next(LzssCommand& command);

 private:
  struct Match {
    int length = 0;
    int distance = 0;
  };
  Match LongestMatch(size_t pos) const;
  void Insert(size_t pos);
  void InsertUpTo(size_t end);

  std::string_view data_;
  size_t pos_ = 0;       // next byte to encode
  size_t inserted_ = 0;  // positions below this are in the hash chains
  std::vector<int32_t> head_;
  std::vector<int32_t> prev_;
  Match pending_;  // a match found one step ahead by the lazy evaluation
  bool has_pending_ = false;
};

}  // namespace quorvex2::detail::lha
