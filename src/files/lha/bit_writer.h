#pragma once
// Packs bit fields most significant bit first, as the LHA decoders read them.
#include <cstdint>
#include <string>

namespace quorvex2::detail::lha {

class BitWriter {
 public:
  // Appends the low `count` bits of `value` (count at most 32).
  void Put(int count, uint32_t value) {
    if (count == 0) return;
    buffer_ = (buffer_ << count) | (value & ((uint64_t{1} << count) - 1));
    pending_ += count;
    while (pending_ >= 8) {
      pending_ -= 8;
      bytes_.push_back(static_cast<char>((buffer_ >> pending_) & 0xFF));
    }
  }
  // Pads the last byte with zero bits and hands the bytes over.
  std::string Finish() {
    if (pending_ > 0) Put(8 - pending_, 0);
    return std::move(bytes_);
  }
  size_t ByteCount() const { return bytes_.size(); }

 private:
  uint64_t buffer_ = 0;
  int pending_ = 0;
  std::string bytes_;
};

}  // namespace quorvex2::detail::lha
