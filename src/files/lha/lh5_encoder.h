#pragma once
// The -lh5- compressor: LZSS with an 8 KiB window, each block coded with its own static
// Huffman tables (literal/length codes, offset-bit codes and the code-length code).
#include <string>
#include <string_view>

namespace quorvex2::detail::lha {

// The compressed stream of the data ("" for no data).
std::string EncodeLh5(std::string_view data);

}  // namespace quorvex2::detail::lha
