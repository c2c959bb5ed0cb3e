#pragma once
// Static Huffman codes as the -lh5- format stores them: code lengths of at most 16 bits and
// canonical codes (shorter codes first, equal lengths in symbol order).
#include <cstdint>
#include <vector>

namespace quorvex2::detail::lha {

inline constexpr int kMaxCodeLength = 16;

// Code lengths for the given symbol frequencies; 0 for unused symbols. With fewer than two used
// symbols every length is 0: the format writes such a table as a single symbol instead.
std::vector<uint8_t> HuffmanLengths(const std::vector<uint32_t>& frequencies);

// The canonical code of every symbol with a non-zero length.
std::vector<uint16_t> CanonicalCodes(const std::vector<uint8_t>& lengths);

// The only used symbol of a table with fewer than two (0 when none is used).
int SoleSymbol(const std::vector<uint32_t>& frequencies);

int UsedSymbolCount(const std::vector<uint32_t>& frequencies);

}  // namespace quorvex2::detail::lha
