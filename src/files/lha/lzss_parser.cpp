#include "files/lha/lzss_parser.h"

#include <algorithm>

namespace quorvex2::detail::lha {
namespace {

constexpr int kHashBits = 15;
constexpr int kMaxChain = 96;
// The decoder's ring buffer holds 8192 bytes; one less keeps a copy from touching the byte that
// is being written.
constexpr int kMaxDistance = kWindowSize - 1;

uint32_t Hash(const char* p) {
  uint32_t v = static_cast<uint8_t>(p[0]) | (static_cast<uint8_t>(p[1]) << 8) |
               (static_cast<uint32_t>(static_cast<uint8_t>(p[2])) << 16);
  return (v * 2654435761u) >> (32 - kHashBits);
}

}  // namespace

LzssParser::LzssParser(std::string_view data)
    : data_(data), head_(size_t{1} << kHashBits, -1), prev_(kWindowSize, -1) {}

void LzssParser::Insert(size_t pos) {
  if (pos + kMinMatch > data_.size()) return;
  uint32_t h = Hash(data_.data() + pos);
  prev_[pos % kWindowSize] = head_[h];
  head_[h] = static_cast<int32_t>(pos);
}

void LzssParser::InsertUpTo(size_t end) {
  for (; inserted_ < end; ++inserted_) Insert(inserted_);
}

LzssParser::Match LzssParser::LongestMatch(size_t pos) const {
  Match best;
  if (pos + kMinMatch > data_.size()) return best;
  const size_t limit = std::min<size_t>(kMaxMatch, data_.size() - pos);
  const char* here = data_.data() + pos;
  int32_t candidate = head_[Hash(here)];
  for (int chain = 0; candidate >= 0 && chain < kMaxChain; ++chain) {
    size_t distance = pos - static_cast<size_t>(candidate);
    if (distance == 0 || distance > static_cast<size_t>(kMaxDistance)) break;
    const char* there = data_.data() + candidate;
    if (there[best.length] == here[best.length] || best.length == 0) {
      size_t length = 0;
      while (length < limit && there[length] == here[length]) ++length;
      if (static_cast<int>(length) > best.length) {
        best = {static_cast<int>(length), static_cast<int>(distance)};
        if (length == limit) break;
      }
    }
    int32_t next = prev_[static_cast<size_t>(candidate) % kWindowSize];
    if (next >= candidate) break;  // the slot was reused by a newer position
    candidate = next;
  }
  if (best.length < kMinMatch) best = {};
  return best;
}

bool LzssParser::Next(LzssCommand& command) {
  if (pos_ >= data_.size()) return false;
  Match match;
  if (has_pending_) {
    match = pending_;
    has_pending_ = false;
  } else {
    InsertUpTo(pos_);
    match = LongestMatch(pos_);
  }
  if (match.length >= kMinMatch && match.length < kMaxMatch && pos_ + 1 < data_.size()) {
    InsertUpTo(pos_ + 1);
    Match next = LongestMatch(pos_ + 1);
    if (next.length > match.length) {
      pending_ = next;
      has_pending_ = true;
      match = {};
    }
  }
  if (match.length >= kMinMatch) {
    command = {static_cast<uint16_t>(256 + match.length - kMinMatch),
               static_cast<uint16_t>(match.distance - 1)};
    pos_ += static_cast<size_t>(match.length);
  } else {
    command = {static_cast<uint8_t>(data_[pos_]), 0};
    pos_ += 1;
  }
  return true;
}

}  // namespace quorvex2::detail::lha
