#include "platform/detail/png_writer.h"

#include <png.h>

#include <array>
#include <vector>

namespace quorvex2::detail {

namespace {

constexpr int kCompressionLevel = 6;
constexpr size_t kMostPaletteColors = 256;

void Append(png_structp png, png_bytep data, png_size_t length) {
  static_cast<std::string*>(png_get_io_ptr(png))
      ->append(reinterpret_cast<const char*>(data), length);
}

void Flush(png_structp) {}

struct Picture {
  const unsigned char* pixels;
  int32_t width, height, stride;

  const uint32_t* Row(int32_t y) const {
    return reinterpret_cast<const uint32_t*>(pixels + static_cast<size_t>(y) * stride);
  }
};

// The picture as indexes into its colours (0x00RRGGBB, in order of first appearance); nothing
// when it holds more colours than a palette does.
class PaletteImage {
 public:
  bool Build(const Picture& picture) {
    indexes_.resize(static_cast<size_t>(picture.width) * picture.height);
    size_t at = 0;
    uint32_t last = kNone;
    png_byte last_index = 0;
    for (int32_t y = 0; y < picture.height; ++y) {
      const uint32_t* row = picture.Row(y);
      for (int32_t x = 0; x < picture.width; ++x, ++at) {
        const uint32_t color = row[x] & 0xFFFFFF;  // the top byte of a pixel is unused
        if (color != last) {
          if (!IndexOf(color, last_index)) return false;
          last = color;
        }
        indexes_[at] = last_index;
      }
    }
    return true;
  }

  const std::vector<png_color>& Colors() const { return colors_; }
  const png_byte* Row(int32_t y, int32_t width) const {
    return indexes_.data() + static_cast<size_t>(y) * width;
  }

 private:
  static constexpr uint32_t kNone = 0xFFFFFFFF;
  static constexpr size_t kSlots = 1024;  // an open hash table, at most a quarter full

  // The colour's index, added when new; false when the palette is full.
  bool IndexOf(uint32_t color, png_byte& index) {
    size_t slot = (color * 2654435761u) % kSlots;
    while (keys_[slot] != kNone && keys_[slot] != color) slot = (slot + 1) % kSlots;
    if (keys_[slot] == kNone) {
      if (colors_.size() == kMostPaletteColors) return false;
      keys_[slot] = color;
      values_[slot] = static_cast<png_byte>(colors_.size());
      colors_.push_back({static_cast<png_byte>(color >> 16), static_cast<png_byte>(color >> 8),
                         static_cast<png_byte>(color)});
    }
    index = values_[slot];
    return true;
  }

  std::vector<png_byte> indexes_;
  std::vector<png_color> colors_;
  std::array<uint32_t, kSlots> keys_ = Filled();
  std::array<png_byte, kSlots> values_{};

  static std::array<uint32_t, kSlots> Filled() {
    std::array<uint32_t, kSlots> keys;
    keys.fill(kNone);
    return keys;
  }
};

// One row of 0x00RRGGBB words as R, G, B bytes.
void RowToRgb(const uint32_t* words, int32_t width, std::vector<png_byte>& rgb) {
  for (int32_t x = 0; x < width; ++x) {
    rgb[3 * x] = static_cast<png_byte>(words[x] >> 16);
    rgb[3 * x + 1] = static_cast<png_byte>(words[x] >> 8);
    rgb[3 * x + 2] = static_cast<png_byte>(words[x]);
  }
}

void WriteHeader(png_structp png, png_infop info, const Picture& picture,
                 const PaletteImage* palette) {
  png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width),
               static_cast<png_uint_32>(picture.height), 8,
               palette ? PNG_COLOR_TYPE_PALETTE : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (palette) {
    png_set_PLTE(png, info, palette->Colors().data(), static_cast<int>(palette->Colors().size()));
  }
  png_set_compression_level(png, kCompressionLevel);
  // A chart drawn without smoothing is long runs of a few colours, which filters only break up.
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
  png_write_info(png, info);
}

// libpng reports errors by longjmp; everything with a destructor lives outside this frame.
bool Encode(png_structp png, png_infop info, const Picture& picture, const PaletteImage* palette,
            std::vector<png_byte>& rgb, std::string& out) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_write_fn(png, &out, Append, Flush);
  WriteHeader(png, info, picture, palette);
  for (int32_t y = 0; y < picture.height; ++y) {
    if (palette) {
      png_write_row(png, palette->Row(y, picture.width));
    } else {
      RowToRgb(picture.Row(y), picture.width, rgb);
      png_write_row(png, rgb.data());
    }
  }
  png_write_end(png, info);
  return true;
}

}  // namespace

std::optional<std::string> EncodePng(const unsigned char* pixels, int32_t width, int32_t height,
                                     int32_t stride) {
  if (pixels == nullptr || width < 1 || height < 1 || stride < 4 * width) return std::nullopt;
  const Picture picture{pixels, width, height, stride};
  PaletteImage palette;
  const bool indexed = palette.Build(picture);
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (png == nullptr) return std::nullopt;
  png_infop info = png_create_info_struct(png);
  std::vector<png_byte> rgb(indexed ? 0 : static_cast<size_t>(width) * 3);
  std::string out;
  const bool encoded =
      info != nullptr && Encode(png, info, picture, indexed ? &palette : nullptr, rgb, out);
  png_destroy_write_struct(&png, &info);
  if (!encoded) return std::nullopt;
  return out;
}

}  // namespace quorvex2::detail
