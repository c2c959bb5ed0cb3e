#pragma once
// PNG files of pictures. Chart pictures are mostly background with thin lines, so a fast zlib
// level with the Sub filter gives files about as small as the slow defaults in a fraction of
// the time -- the site writes thousands of them.
#include <cstdint>
#include <optional>
#include <string>

namespace quorvex2::detail {

// The PNG (8-bit RGB) of pixels laid out as Cairo's RGB24 format keeps them: 32 bits per pixel,
// 0x00RRGGBB in native byte order, rows `stride` bytes apart. Nothing when encoding failed.
std::optional<std::string> EncodePng(const unsigned char* pixels, int32_t width, int32_t height,
                                     int32_t stride);

}  // namespace quorvex2::detail
