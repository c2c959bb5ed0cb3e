// PNG files of pictures: palette or RGB, every pixel reads back as drawn; bad pixel buffers give
// nothing.
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

// Pictures of up to 256 colours are palette images (colour type 3), others RGB (2); either way
// every pixel reads back as drawn, padded rows and the unused top byte included.
TEST(PngWriter, EveryPixelReadsBack) {
  struct Case {
    int32_t width, height, colors, color_type;
  };
  for (const Case& c : {Case{7, 5, 35, 3}, Case{16, 16, 256, 3}, Case{17, 16, 257, 2},
                        Case{9, 4, 3, 3}, Case{1, 1, 1, 3}}) {
    SCOPED_TRACE(c.colors);
    const int32_t stride = 4 * c.width + 12;
    std::vector<unsigned char> pixels(static_cast<size_t>(stride) * c.height, 0xAB);
    for (int32_t y = 0; y < c.height; ++y) {
      auto* row = reinterpret_cast<uint32_t*>(pixels.data() + y * stride);
      for (int32_t x = 0; x < c.width; ++x) {
        const auto n = static_cast<uint32_t>((y * c.width + x) % c.colors);
        row[x] = 0xAB000000u | (n * 37u % 256 << 16) | (n * 51u % 256 << 8) | (n / 5);
      }
    }
    const auto png = EncodePng(pixels.data(), c.width, c.height, stride);
    ASSERT_TRUE(png);
    EXPECT_EQ(png->substr(1, 3), "PNG");
    EXPECT_EQ((*png)[25], c.color_type);

    Reader reader{*png};
    cairo_surface_t* image = cairo_image_surface_create_from_png_stream(Read, &reader);
    ASSERT_EQ(cairo_surface_status(image), CAIRO_STATUS_SUCCESS);
    ASSERT_EQ(cairo_image_surface_get_width(image), c.width);
    ASSERT_EQ(cairo_image_surface_get_height(image), c.height);
    const unsigned char* data = cairo_image_surface_get_data(image);
    const int32_t read_stride = cairo_image_surface_get_stride(image);
    for (int32_t y = 0; y < c.height; ++y) {
      for (int32_t x = 0; x < c.width; ++x) {
        const uint32_t drawn = reinterpret_cast<const uint32_t*>(pixels.data() + y * stride)[x];
        const uint32_t read = reinterpret_cast<const uint32_t*>(data + y * read_stride)[x];
        EXPECT_EQ(read & 0xFFFFFF, drawn & 0xFFFFFF) << x << "," << y;
      }
    }
    cairo_surface_destroy(image);
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
