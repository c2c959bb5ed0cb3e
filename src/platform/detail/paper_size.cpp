#include "platform/detail/paper_size.h"

namespace quorvex2::detail {

std::optional<PaperMillimetres> PaperSizeOf(int32_t Code) {
  switch (Code) {
    case 1:
      return PaperMillimetres{215.9, 279.4};  // Letter
    case 8:
      return PaperMillimetres{297, 420};  // A3
    case 9:
      return PaperMillimetres{210, 297};  // A4
    case 11:
      return PaperMillimetres{148, 210};  // A5
    case 12:
      return PaperMillimetres{257, 364};  // B4 (JIS)
    case 13:
      return PaperMillimetres{182, 257};  // B5 (JIS)
    default:
      return std::nullopt;
  }
}

}  // namespace quorvex2::detail
