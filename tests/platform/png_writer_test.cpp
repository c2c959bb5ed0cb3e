// PNG files of pictures: palette or RGB, every pixel reads back as drawn, rows that repeat
// compress; bad pixel buffers give nothing.
#include <gtest/gtest.h>

#include <cairo.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/detail/png_writer.h"

namespace quorvex2::detail {
namespace {

struct Reader {
  const std::string& bytes;
  size_t at = 0;
};

cairo_status_t Read(void* closure, unsigned char* data, unsigned int length) {
  auto* reader = static_cast<Reader*>(closure);
  if (reader->at + length > reader->bytes.size()) return CAIRO_STATUS_READ_ERROR;
  std::memcpy(data, reader->bytes.data() + reader->at, length);
  reader->at += length;
  return CAIRO_STATUS_SUCCESS;
}

// The pixels of a PNG as 0x00RRGGBB words, row after row, read back with Cairo.
std::vector<uint32_t> ReadBack(const std::string& png, int32_t width, int32_t height) {
  Reader reader{png};
  cairo_surface_t* image = cairo_image_surface_create_from_png_stream(Read, &reader);
  std::vector<uint32_t> pixels;
  if (cairo_surface_status(image) == CAIRO_STATUS_SUCCESS &&
      cairo_image_surface_get_width(image) == width &&
      cairo_image_surface_get_height(image) == height) {
    const unsigned char* data = cairo_image_surface_get_data(image);
    for (int32_t y = 0; y < height; ++y) {
      const auto* row = reinterpret_cast<const uint32_t*>(
          data + static_cast<size_t>(y) * cairo_image_surface_get_stride(image));
      for (int32_t x = 0; x < width; ++x) pixels.push_back(row[x] & 0xFFFFFF);
    }
  }
  cairo_surface_destroy(image);
  return pixels;
}

// Pictures of up to 256 colours are palette images (colour type 3), others RGB (2); either way
// every pixel reads back as drawn, padded rows and the unused top byte included. A picture whose
// rows repeat the one above with a step (columns of noise, each row a shade brighter) is
// filtered so that it compresses to a fraction of its bytes; unfiltered it would not compress.
TEST(PngWriter, EveryPixelReadsBack) {
  struct Case {
    int32_t width, height, colors, color_type;
    bool steps;
  };
  for (const Case& c :
       {Case{7, 5, 35, 3, false}, Case{16, 16, 256, 3, false}, Case{17, 16, 257, 2, false},
        Case{9, 4, 3, 3, false}, Case{1, 1, 1, 3, false}, Case{300, 64, 0, 2, true}}) {
    SCOPED_TRACE(c.width);
    const int32_t stride = 4 * c.width + 12;
    std::vector<unsigned char> pixels(static_cast<size_t>(stride) * c.height, 0xAB);
    std::vector<uint32_t> drawn;
    for (int32_t y = 0; y < c.height; ++y) {
      auto* row = reinterpret_cast<uint32_t*>(pixels.data() + y * stride);
      for (int32_t x = 0; x < c.width; ++x) {
        const auto n = static_cast<uint32_t>(c.steps ? x : (y * c.width + x) % c.colors);
        uint32_t color = (n * 37u % 256 << 16) | (n * 51u % 256 << 8) | (n / 5);
        if (c.steps) color = (n * 2654435761u & 0x7F7F7Fu) + static_cast<uint32_t>(y) * 0x010101u;
        row[x] = 0xAB000000u | color;
        drawn.push_back(color);
      }
    }
    const auto png = EncodePng(pixels.data(), c.width, c.height, stride);
    ASSERT_TRUE(png);
    EXPECT_EQ(png->substr(1, 3), "PNG");
    EXPECT_EQ((*png)[25], c.color_type);
    EXPECT_EQ(ReadBack(*png, c.width, c.height), drawn);
    if (c.steps) {
      EXPECT_LT(png->size(), drawn.size() * 3 / 10);  // a tenth of the RGB bytes
    }
  }
}

TEST(PngWriter, BadBuffersGiveNothing) {
  std::vector<unsigned char> pixels(64, 0);
  EXPECT_FALSE(EncodePng(nullptr, 2, 2, 8));
  EXPECT_FALSE(EncodePng(pixels.data(), 0, 2, 8));
  EXPECT_FALSE(EncodePng(pixels.data(), 2, 0, 8));
  EXPECT_FALSE(EncodePng(pixels.data(), 4, 2, 8));  // a row needs 16 bytes
}

}  // namespace
}  // namespace quorvex2::detail
