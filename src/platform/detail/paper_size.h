#pragma once
// Paper sizes of the Windows paper codes the printer knows.
#include <cstdint>
#include <optional>

namespace quorvex2::detail {

struct PaperMillimetres {
  double width;
  double height;
};

// Portrait size of the paper; nothing for an unknown code.
std::optional<PaperMillimetres> PaperSizeOf(int32_t Code);

}  // namespace quorvex2::detail
