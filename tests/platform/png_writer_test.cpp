// PNG files of pictures: every pixel reads back as drawn, padded rows included; bad pixel
// buffers give nothing.
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

TEST(PngWriter, EveryPixelReadsBack) {
  const int32_t width = 7, height = 5, stride = 4 * width + 12;  // rows padded
  std::vector<unsigned char> pixels(static_cast<size_t>(stride) * height, 0xAB);
  for (int32_t y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(pixels.data() + y * stride);
    for (int32_t x = 0; x < width; ++x) row[x] = (x * 37u << 16) | (y * 51u << 8) | (x * y * 7u);
  }
  const auto png = EncodePng(pixels.data(), width, height, stride);
  ASSERT_TRUE(png);
  EXPECT_EQ(png->substr(1, 3), "PNG");

  Reader reader{*png};
  cairo_surface_t* image = cairo_image_surface_create_from_png_stream(Read, &reader);
  ASSERT_EQ(cairo_surface_status(image), CAIRO_STATUS_SUCCESS);
  ASSERT_EQ(cairo_image_surface_get_width(image), width);
  ASSERT_EQ(cairo_image_surface_get_height(image), height);
  const unsigned char* data = cairo_image_surface_get_data(image);
  const int32_t read_stride = cairo_image_surface_get_stride(image);
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      const uint32_t drawn = reinterpret_cast<const uint32_t*>(pixels.data() + y * stride)[x];
      const uint32_t read = reinterpret_cast<const uint32_t*>(data + y * read_stride)[x];
      EXPECT_EQ(read & 0xFFFFFF, drawn & 0xFFFFFF) << x << "," << y;
    }
  }
  cairo_surface_destroy(image);
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
