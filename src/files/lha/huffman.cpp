#include "files/lha/huffman.h"

#include <algorithm>
#include <queue>
#include <utility>

namespace quorvex2::detail::lha {
namespace {

struct Node {
  uint64_t weight;
  int left;  // child node index, or -1 for a leaf
  int right;
  int symbol;
};

// Unlimited Huffman lengths of the used symbols (at least two of them).
std::vector<uint8_t> PlainLengths(const std::vector<uint32_t>& frequencies) {
  std::vector<Node> nodes;
  using Entry = std::pair<uint64_t, int>;  // weight, node index; ties by index keep it stable
  std::priority_queue<Entry, std::vector<Entry>, std::greater<>> queue;
  for (size_t s = 0; s < frequencies.size(); ++s) {
    if (frequencies[s] == 0) continue;
    nodes.push_back({frequencies[s], -1, -1, static_cast<int>(s)});
    queue.emplace(frequencies[s], static_cast<int>(nodes.size() - 1));
  }
  while (queue.size() > 1) {
    auto [wa, a] = queue.top();
    queue.pop();
    auto [wb, b] = queue.top();
    queue.pop();
    nodes.push_back({wa + wb, a, b, -1});
    queue.emplace(wa + wb, static_cast<int>(nodes.size() - 1));
  }
  std::vector<uint8_t> lengths(frequencies.size(), 0);
  std::vector<std::pair<int, int>> stack{{queue.top().second, 0}};
  while (!stack.empty()) {
    auto [index, depth] = stack.back();
    stack.pop_back();
    const Node& node = nodes[index];
    if (node.left < 0) {
      lengths[node.symbol] = static_cast<uint8_t>(std::min(depth, 255));
    } else {
      stack.emplace_back(node.left, depth + 1);
      stack.emplace_back(node.right, depth + 1);
    }
  }
  return lengths;
}

}  // namespace

int UsedSymbolCount(const std::vector<uint32_t>& frequencies) {
  return static_cast<int>(
      std::count_if(frequencies.begin(), frequencies.end(), [](uint32_t f) { return f > 0; }));
}

int SoleSymbol(const std::vector<uint32_t>& frequencies) {
  for (size_t s = 0; s < frequencies.size(); ++s) {
    if (frequencies[s] > 0) return static_cast<int>(s);
  }
  return 0;
}

std::vector<uint8_t> HuffmanLengths(const std::vector<uint32_t>& frequencies) {
  if (UsedSymbolCount(frequencies) < 2) return std::vector<uint8_t>(frequencies.size(), 0);
  // Too deep a tree only comes from very skewed counts: flatten them until it fits.
  std::vector<uint32_t> counts = frequencies;
  for (;;) {
    std::vector<uint8_t> lengths = PlainLengths(counts);
    if (*std::max_element(lengths.begin(), lengths.end()) <= kMaxCodeLength) return lengths;
    for (uint32_t& c : counts) {
      if (c > 0) c = c / 2 + 1;
    }
  }
}

std::vector<uint16_t> CanonicalCodes(const std::vector<uint8_t>& lengths) {
  uint32_t count[kMaxCodeLength + 2] = {};
  for (uint8_t length : lengths) ++count[length];
  count[0] = 0;
  uint32_t next[kMaxCodeLength + 2] = {};
  uint32_t code = 0;
  for (int length = 1; length <= kMaxCodeLength; ++length) {
    code = (code + count[length - 1]) << 1;
    next[length] = code;
  }
  std::vector<uint16_t> codes(lengths.size(), 0);
  for (size_t s = 0; s < lengths.size(); ++s) {
    if (lengths[s] > 0) codes[s] = static_cast<uint16_t>(next[lengths[s]]++);
  }
  return codes;
}

}  // namespace quorvex2::detail::lha
