#pragma once
// PNG files of pictures. A picture of at most 256 colours (a chart drawn without smoothing) is
// written as a palette image, a third of the bytes to compress and far smaller; others as RGB.
// Rows are unfiltered or each taken from the one above, whichever suits the picture, and
// compressed with libdeflate at its level 6 (within 3 % of the size of zlib's level 6, in about
// half the time).
#include <cstdint>
#include <optional>
#include <string>

namespace quorvex2::detail {

// The PNG (8-bit palette or RGB) of pixels laid out as Cairo's RGB24 format keeps them: 32 bits per
// pixel, 0x00RRGGBB in native byte order, rows `stride` bytes apart. Nothing when encoding failed.
std::optional<std::string> EncodePng(const unsigned char* pixels, int32_t width, int32_t height,
                                     int32_t stride);

}  // namespace quorvex2::detail
