#include "files/lha/lh5_encoder.h"

#include <bit>
#include <cstdint>
#include <vector>

#include "files/lha/bit_writer.h"
#include "files/lha/huffman.h"
#include "files/lha/lzss_parser.h"

namespace quorvex2::detail::lha {
namespace {

constexpr int kLiteralLengthSymbols = 256 + kMaxMatch - kMinMatch + 1;  // NC = 510
constexpr int kLiteralLengthBits = 9;                                   // CBIT
constexpr int kCodeLengthSymbols = 19;                                  // NT
constexpr int kCodeLengthBits = 5;                                      // TBIT
constexpr int kOffsetSymbols = 14;                                      // NP for an 8 KiB window
constexpr int kOffsetBits = 4;                                          // PBIT
constexpr size_t kBlockCommands = 32768;

// Offset o is written as its bit length p (a Huffman symbol) and the p - 1 bits below the top.
int OffsetSymbol(uint16_t offset) {
  return std::bit_width(offset);
}

struct Table {
  std::vector<uint32_t> frequencies;
  std::vector<uint8_t> lengths;
  std::vector<uint16_t> codes;

  explicit Table(std::vector<uint32_t> counts)
      : frequencies(std::move(counts)),
        lengths(HuffmanLengths(frequencies)),
        codes(CanonicalCodes(lengths)) {}
  bool IsSingle() const { return UsedSymbolCount(frequencies) < 2; }
  void Put(BitWriter& out, int symbol) const { out.Put(lengths[symbol], codes[symbol]); }
};

int TrimmedCount(const std::vector<uint8_t>& lengths) {
  int n = static_cast<int>(lengths.size());
  while (n > 0 && lengths[n - 1] == 0) --n;
  return n;
}

// A length as the code-length and offset tables write it: 0-6 in three bits, 7 and above as
// 111 followed by (length - 7) ones and a zero.
void PutPlainLength(BitWriter& out, int length) {
  if (length <= 6) {
    out.Put(3, static_cast<uint32_t>(length));
  } else {
    out.Put(length - 3, (1u << (length - 3)) - 2);
  }
}

// The lengths of a small table; after the third entry of the code-length table a two-bit count
// of the zero lengths that follow (up to three).
void PutSmallTable(BitWriter& out, const Table& table, int count_bits, int special_index) {
  if (table.IsSingle()) {
    out.Put(count_bits, 0);
    out.Put(count_bits, static_cast<uint32_t>(SoleSymbol(table.frequencies)));
    return;
  }
  const int n = TrimmedCount(table.lengths);
  out.Put(count_bits, static_cast<uint32_t>(n));
  int i = 0;
  while (i < n) {
    PutPlainLength(out, table.lengths[i++]);
    if (i == special_index) {
      int zeros = 0;
      while (i < n && zeros < 3 && table.lengths[i] == 0) ++i, ++zeros;
      out.Put(2, static_cast<uint32_t>(zeros));
    }
  }
}

// Visits the literal/length code lengths as the format runs them: (0, zero-run) or (length, 1).
template <typename Visit>
void ForEachLengthRun(const std::vector<uint8_t>& lengths, Visit visit) {
  const int n = TrimmedCount(lengths);
  for (int i = 0; i < n;) {
    if (lengths[i] != 0) {
      visit(lengths[i++], 1);
      continue;
    }
    int run = 0;
    while (i < n && lengths[i] == 0) ++i, ++run;
    visit(0, run);
  }
}

// Symbols 0, 1 and 2 code zero runs (one zero; 3-18 zeros; 20-531 zeros), k + 2 a length k.
std::vector<uint32_t> CodeLengthFrequencies(const std::vector<uint8_t>& lengths) {
  std::vector<uint32_t> counts(kCodeLengthSymbols, 0);
  ForEachLengthRun(lengths, [&](int length, int run) {
    if (length != 0) {
      ++counts[length + 2];
    } else if (run <= 2) {
      counts[0] += static_cast<uint32_t>(run);
    } else if (run <= 18) {
      ++counts[1];
    } else if (run == 19) {
      ++counts[0], ++counts[1];
    } else {
      ++counts[2];
    }
  });
  return counts;
}

void PutLiteralLengthTable(BitWriter& out, const Table& table) {
  Table code_lengths(CodeLengthFrequencies(table.lengths));
  PutSmallTable(out, code_lengths, kCodeLengthBits, 3);
  out.Put(kLiteralLengthBits, static_cast<uint32_t>(TrimmedCount(table.lengths)));
  ForEachLengthRun(table.lengths, [&](int length, int run) {
    if (length != 0) {
      code_lengths.Put(out, length + 2);
    } else if (run <= 2) {
      for (int k = 0; k < run; ++k) code_lengths.Put(out, 0);
    } else if (run <= 18) {
      code_lengths.Put(out, 1);
      out.Put(4, static_cast<uint32_t>(run - 3));
    } else if (run == 19) {
      code_lengths.Put(out, 0);
      code_lengths.Put(out, 1);
      out.Put(4, 15);
    } else {
      code_lengths.Put(out, 2);
      out.Put(kLiteralLengthBits, static_cast<uint32_t>(run - 20));
    }
  });
}

void PutBlock(BitWriter& out, const std::vector<LzssCommand>& commands) {
  std::vector<uint32_t> symbol_counts(kLiteralLengthSymbols, 0);
  std::vector<uint32_t> offset_counts(kOffsetSymbols, 0);
  for (const LzssCommand& c : commands) {
    ++symbol_counts[c.symbol];
    if (c.IsMatch()) ++offset_counts[OffsetSymbol(c.offset)];
  }
  const Table symbols(std::move(symbol_counts));
  const Table offsets(std::move(offset_counts));

  out.Put(16, static_cast<uint32_t>(commands.size()));
  if (symbols.IsSingle()) {
    out.Put(kCodeLengthBits, 0);
    out.Put(kCodeLengthBits, 0);
    out.Put(kLiteralLengthBits, 0);
    out.Put(kLiteralLengthBits, static_cast<uint32_t>(SoleSymbol(symbols.frequencies)));
  } else {
    PutLiteralLengthTable(out, symbols);
  }
  PutSmallTable(out, offsets, kOffsetBits, -1);

  for (const LzssCommand& c : commands) {
    symbols.Put(out, c.symbol);
    if (!c.IsMatch()) continue;
    const int p = OffsetSymbol(c.offset);
    offsets.Put(out, p);
    if (p > 1) out.Put(p - 1, c.offset - (1u << (p - 1)));
  }
}

}  // namespace

std::string EncodeLh5(std::string_view data) {
  BitWriter out;
  LzssParser parser(data);
  std::vector<LzssCommand> block;
  block.reserve(kBlockCommands);
  LzssCommand command{};
  while (parser.Next(command)) {
    block.push_back(command);
    if (block.size() == kBlockCommands) {
      PutBlock(out, block);
      block.clear();
    }
  }
  if (!block.empty()) PutBlock(out, block);
  return out.Finish();
}

}  // namespace quorvex2::detail::lha
