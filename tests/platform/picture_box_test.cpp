// The picture box: lines, boxes, circles and text in its pixels, scale modes, smoothing and its PNG
// file; the PNG files of pictures: palette or RGB, every pixel reads back as drawn, rows that
// repeat compress; bad pixel buffers give nothing; and the font families its texts are drawn in.
#include <cairo.h>
#include <gtest/gtest.h>
#include <quorvex2/core/path.h>
#include <quorvex2/platform/font_map.h>
#include <quorvex2/platform/picture_box.h>

#include <cstdint>
#include <cstring>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/detail/png_writer.h"

namespace quorvex2 {
namespace {

using detail::EncodePng;

constexpr int32_t kWhite = 0xFFFFFF;

// The horizontal extent of ink in the pixel rows y1..y2; {-1, -1} when there is none.
std::pair<int, int> InkColumns(PictureBox& picture, int y1, int y2) {
  int first = -1, last = -1;
  for (int x = 0; x < picture.Width(); ++x) {
    for (int y = y1; y <= y2; ++y) {
      if (picture.Point(static_cast<float>(x), static_cast<float>(y)) != kWhite) {
        if (first < 0) first = x;
        last = x;
        break;
      }
    }
  }
  return {first, last};
}

TEST(PictureBox, LineBoxAndCircleAreInThePixels) {
  PictureBox picture(200, 100);
  EXPECT_EQ(picture.Point(10, 10), kWhite);
  picture.ForeColor(0x0000FF);  // red
  picture.Line(10, 20, 110, 20);
  EXPECT_EQ(picture.Point(60, 20), 0x0000FF);
  EXPECT_EQ(picture.Point(60, 23), kWhite);
  EXPECT_EQ(picture.Point(120, 20), kWhite);

  picture.ForeColor(0x00FF00);
  picture.DrawWidth(3);
  picture.Circle(150, 50, 30);
  EXPECT_EQ(picture.Point(180, 50), 0x00FF00);  // on the rim
  EXPECT_EQ(picture.Point(150, 20), 0x00FF00);
  EXPECT_EQ(picture.Point(150, 50), kWhite);  // transparent fill
  picture.FillStyle(0);
  picture.FillColor(0xFF0000);
  picture.Circle(150, 50, 10);
  EXPECT_EQ(picture.Point(150, 50), 0xFF0000);

  picture.ForeColor(0);
  picture.Box(20, 60, 40, 90, true);
  EXPECT_EQ(picture.Point(30, 75), 0);
  picture.Cls();
  EXPECT_EQ(picture.Point(30, 75), kWhite);
  EXPECT_EQ(picture.Point(-1, 5), -1);
  EXPECT_EQ(picture.Point(200, 5), -1);
}

TEST(PictureBox, ScaleModesAndOuterSize) {
  PictureBox picture(384, 96);
  EXPECT_FLOAT_EQ(picture.ScaleWidth(), 384);
  picture.ScaleMode(6);
  EXPECT_NEAR(picture.ScaleWidth(), 101.6, 1e-3);  // 4 inches
  EXPECT_NEAR(picture.ScaleHeight(), 25.4, 1e-3);
  picture.ForeColor(0xFF0000);
  picture.Line(50.8f, 0, 50.8f, 25);  // two inches in: pixel 192
  EXPECT_EQ(picture.Point(50.8f, 10), 0xFF0000);
  EXPECT_EQ(picture.Point(192.0f * 25.4f / 96, 10), 0xFF0000);

  // A wider picture keeps its drawing and grows its scale width in proportion.
  picture.Width(768);
  EXPECT_NEAR(picture.ScaleWidth(), 203.2, 1e-3);
  EXPECT_EQ(picture.Point(50.8f, 10), 0xFF0000);
  EXPECT_EQ(picture.Point(150, 10), kWhite);
  picture.ScaleMode(3);
  EXPECT_FLOAT_EQ(picture.ScaleWidth(), 768);

  EXPECT_THROW(picture.ScaleMode(1), std::runtime_error);
  EXPECT_THROW(picture.Width(0), std::runtime_error);
  EXPECT_THROW(picture.Height(-5), std::runtime_error);
  EXPECT_THROW(PictureBox(0, 10), std::runtime_error);
  EXPECT_THROW(PictureBox(10, 40000), std::runtime_error);
  EXPECT_EQ(picture.Width(), 768);
}

TEST(PictureBox, JapaneseTextIsDrawnAsWideAsMeasured) {
  PictureBox picture(400, 100);
  picture.Font().Name = "ＭＳ ゴシック";
  picture.Font().Size = 24;
  const std::string text = "日本語の表";
  const float width = picture.TextWidth(text);
  const float height = picture.TextHeight(text);
  // A fixed-pitch CJK font: five ideographs of one em (24 pt = 32 px) each.
  EXPECT_NEAR(width, 5 * 32, 2);
  EXPECT_NEAR(picture.TextWidth("日"), 32, 1);
  EXPECT_NEAR(picture.TextWidth("A"), 16, 1);  // half width
  EXPECT_GT(height, 30);
  EXPECT_LT(height, 50);

  picture.CurrentX(20);
  picture.CurrentY(30);
  picture.ForeColor(0);
  picture.Print(text);
  EXPECT_EQ(picture.CurrentX(), 0);
  EXPECT_FLOAT_EQ(picture.CurrentY(), 30 + height);
  auto [first, last] = InkColumns(picture, 30, 30 + static_cast<int>(height));
  EXPECT_GE(first, 20);
  EXPECT_LE(first, 26);
  EXPECT_LE(last, 20 + width);
  EXPECT_GE(last, 20 + width - 6);
  EXPECT_EQ(InkColumns(picture, 0, 28).first, -1);
}

TEST(PictureBox, OpaqueTextHidesWhatIsBehindIt) {
  for (const bool transparent : {true, false}) {
    PictureBox picture(100, 40);
    picture.BackColor(0x00FF00);
    picture.Box(0, 0, 99, 39, 0, true);
    picture.FontTransparent(transparent);
    picture.Print("i");
    // Above the dot of the "i": the black box, or the background behind opaque text.
    EXPECT_EQ(picture.Point(1, 1), transparent ? 0 : 0x00FF00);
    EXPECT_EQ(picture.Point(90, 1), 0);  // beyond the text
  }
}

// Without smoothing a picture holds only the colours drawn: a slanted line, a circle and text
// leave no blended pixels, also after the picture grows. Smoothed, they do.
TEST(PictureBox, WithoutSmoothingOnlyTheColoursDrawn) {
  for (const bool smooth : {true, false}) {
    PictureBox picture(120, 60);
    picture.Smoothing(smooth);
    picture.Width(160);
    picture.ForeColor(0x0000FF);
    picture.DrawWidth(2);
    picture.Line(5, 5, 150, 37);
    picture.Circle(100, 30, 17);
    picture.ForeColor(0xFF0000);
    picture.Print("走者 Runner");
    std::set<int32_t> colors;
    for (int y = 0; y < picture.Height(); ++y) {
      for (int x = 0; x < picture.Width(); ++x) {
        colors.insert(picture.Point(static_cast<float>(x), static_cast<float>(y)));
      }
    }
    EXPECT_EQ(colors.size() == 3, !smooth) << colors.size();
  }
}

TEST(PictureBox, SavesPngOfItsSize) {
  PictureBox picture(123, 45);
  picture.Line(0, 0, 122, 44);
  const std::string file = ::testing::TempDir() + "picture_box_test.png";
  ASSERT_TRUE(picture.SavePng(file));
  const std::string png = ReadFileBytes(file).value_or("");
  EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n");
  EXPECT_EQ(png.substr(12, 12), std::string("IHDR\0\0\0\x7B\0\0\0\x2D", 12));  // 123 x 45
  EXPECT_FALSE(picture.SavePng("/nonexistent-folder/picture.png"));
}

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

// Windows Japanese families are found as the IPA fonts fontconfig really has (the match is the
// family asked for, not a fallback); "@" marks a vertical font; other families stay.
TEST(FontMap, WindowsJapaneseFamiliesAreFoundAsIpaFonts) {
  const std::pair<const char*, const char*> cases[] = {{"ＭＳ ゴシック", "IPAGothic"},
                                                       {"ＭＳ Ｐゴシック", "IPAPGothic"},
                                                       {"ＭＳ 明朝", "IPAMincho"},
                                                       {"ＭＳ Ｐ明朝", "IPAPMincho"},
                                                       {"@ＭＳ 明朝", "IPAMincho"}};
  for (auto [family, ipa] : cases) {
    EXPECT_EQ(MapFontFamily(family), ipa) << family;
    EXPECT_EQ(MatchedFontFamily(family), ipa) << family;
  }
  EXPECT_EQ(MapFontFamily("DejaVu Sans"), "DejaVu Sans");
  EXPECT_NE(MatchedFontFamily("No Such Family 12345"), "No Such Family 12345");
  EXPECT_TRUE(IsVerticalFontName("@ＭＳ ゴシック"));
  for (const char* name : {"ＭＳ ゴシック", "@", ""})
    EXPECT_FALSE(IsVerticalFontName(name)) << name;
}

}  // namespace
}  // namespace quorvex2
