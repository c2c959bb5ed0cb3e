#include "platform/detail/png_writer.h"

#include <png.h>

#include <vector>

namespace quorvex2::detail {

namespace {

constexpr int kCompressionLevel = 1;

void Append(png_structp png, png_bytep data, png_size_t length) {
  static_cast<std::string*>(png_get_io_ptr(png))
      ->append(reinterpret_cast<const char*>(data), length);
}

void Flush(png_structp) {}

// One row of 0x00RRGGBB words as R, G, B bytes.
void RowToRgb(const unsigned char* row, int32_t width, std::vector<png_byte>& rgb) {
  const auto* words = reinterpret_cast<const uint32_t*>(row);
  for (int32_t x = 0; x < width; ++x) {
    rgb[3 * x] = static_cast<png_byte>(words[x] >> 16);
    rgb[3 * x + 1] = static_cast<png_byte>(words[x] >> 8);
    rgb[3 * x + 2] = static_cast<png_byte>(words[x]);
  }
}

// libpng reports errors by longjmp; everything with a destructor lives outside this frame.
bool Encode(png_structp png, png_infop info, const unsigned char* pixels, int32_t width,
            int32_t height, int32_t stride, std::vector<png_byte>& rgb, std::string& out) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_write_fn(png, &out, Append, Flush);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_set_compression_level(png, kCompressionLevel);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
  png_write_info(png, info);
  for (int32_t y = 0; y < height; ++y) {
    RowToRgb(pixels + static_cast<size_t>(y) * static_cast<size_t>(stride), width, rgb);
    png_write_row(png, rgb.data());
  }
  png_write_end(png, info);
  return true;
}

}  // namespace

std::optional<std::string> EncodePng(const unsigned char* pixels, int32_t width, int32_t height,
                                     int32_t stride) {
  if (pixels == nullptr || width < 1 || height < 1 || stride < 4 * width) return std::nullopt;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (png == nullptr) return std::nullopt;
  png_infop info = png_create_info_struct(png);
  std::vector<png_byte> rgb(static_cast<size_t>(width) * 3);
  std::string out;
  const bool encoded =
      info != nullptr && Encode(png, info, pixels, width, height, stride, rgb, out);
  png_destroy_write_struct(&png, &info);
  if (!encoded) return std::nullopt;
  return out;
}

}  // namespace quorvex2::detail
