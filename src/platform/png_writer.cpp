#include "platform/detail/png_writer.h"

#include <libdeflate.h>
#include <png.h>

#include <algorithm>
#include <array>
#include <memory>
#include <utility>
#include <vector>

namespace quorvex2::detail {

namespace {

constexpr int kCompressionLevel = 6;
constexpr size_t kMostPaletteColors = 256;

struct Picture {
  const unsigned char* pixels;
  int32_t width, height, stride;

  const uint32_t* Row(int32_t y) const {
    return reinterpret_cast<const uint32_t*>(pixels + static_cast<size_t>(y) * stride);
  }
};

// The picture's rows as the PNG's image data holds them before compression: each row a filter
// type byte (0, none, until a filter is applied), then its pixels' bytes (palette indexes, or R,
// G, B).
class PixelRows {
 public:
  PixelRows() = default;
  PixelRows(size_t row_bytes, int32_t height)
      : bytes_((row_bytes + 1) * static_cast<size_t>(height)),
        row_bytes_(row_bytes),
        height_(height) {}

  png_byte* Row(int32_t y) { return bytes_.data() + Start(y) + 1; }
  const png_byte* Row(int32_t y) const { return bytes_.data() + Start(y) + 1; }
  size_t RowBytes() const { return row_bytes_; }
  int32_t Height() const { return height_; }
  const std::vector<png_byte>& Bytes() const { return bytes_; }

 private:
  size_t Start(int32_t y) const { return static_cast<size_t>(y) * (row_bytes_ + 1); }

  std::vector<png_byte> bytes_;
  size_t row_bytes_ = 0;
  int32_t height_ = 0;
};

// The picture as indexes into its colours (0x00RRGGBB, in order of first appearance); nothing
// when it holds more colours than a palette does.
class PaletteImage {
 public:
  bool Build(const Picture& picture) {
    rows_ = PixelRows(static_cast<size_t>(picture.width), picture.height);
    uint32_t last = kNone;
    png_byte last_index = 0;
    for (int32_t y = 0; y < picture.height; ++y) {
      const uint32_t* row = picture.Row(y);
      png_byte* indexes = rows_.Row(y);
      for (int32_t x = 0; x < picture.width; ++x) {
        const uint32_t color = row[x] & 0xFFFFFF;  // the top byte of a pixel is unused
        if (color != last) {
          if (!IndexOf(color, last_index)) {
            rows_ = PixelRows();
            return false;
          }
          last = color;
        }
        indexes[x] = last_index;
      }
    }
    return true;
  }

  const std::vector<png_color>& Colors() const { return colors_; }
  PixelRows& Rows() { return rows_; }

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

  PixelRows rows_;
  std::vector<png_color> colors_;
  std::array<uint32_t, kSlots> keys_ = Filled();
  std::array<png_byte, kSlots> values_{};

  static std::array<uint32_t, kSlots> Filled() {
    std::array<uint32_t, kSlots> keys;
    keys.fill(kNone);
    return keys;
  }
};

// The picture's 0x00RRGGBB words as R, G, B bytes.
PixelRows RgbRows(const Picture& picture) {
  PixelRows rows(static_cast<size_t>(picture.width) * 3, picture.height);
  for (int32_t y = 0; y < picture.height; ++y) {
    const uint32_t* words = picture.Row(y);
    png_byte* out = rows.Row(y);
    for (int32_t x = 0; x < picture.width; ++x) {
      *out++ = static_cast<png_byte>(words[x] >> 16);
      *out++ = static_cast<png_byte>(words[x] >> 8);
      *out++ = static_cast<png_byte>(words[x]);
    }
  }
  return rows;
}

// The two PNG row filters that suit charts drawn without smoothing: none for long runs of one
// colour across a row, Up (each byte less the one above it) for what repeats from row to row.
enum class Filter : png_byte { kNone = 0, kUp = 2 };

// Every row put under the filter in place, from the bottom up so that each row is taken from
// the one above before that one changes.
void ApplyFilter(PixelRows& rows, Filter filter) {
  for (int32_t y = rows.Height() - 1; y >= 0; --y) {
    png_byte* row = rows.Row(y);
    row[-1] = static_cast<png_byte>(filter);
    if (filter == Filter::kNone || y == 0) continue;
    const png_byte* above = rows.Row(y - 1);
    for (size_t i = 0; i < rows.RowBytes(); ++i) row[i] = static_cast<png_byte>(row[i] - above[i]);
  }
}

struct FreeCompressor {
  void operator()(libdeflate_compressor* compressor) const {
    libdeflate_free_compressor(compressor);
  }
};
using Compressor = std::unique_ptr<libdeflate_compressor, FreeCompressor>;

// The zlib stream of the data; empty when it could not be made. The room for the worst case is
// left uninitialised: a chart needs a small part of it.
std::vector<png_byte> Compress(int level, const std::vector<png_byte>& data) {
  const Compressor compressor(libdeflate_alloc_compressor(level));
  if (!compressor) return {};
  const size_t room = libdeflate_zlib_compress_bound(compressor.get(), data.size());
  const std::unique_ptr<png_byte[]> out(new png_byte[room]);
  const size_t size =
      libdeflate_zlib_compress(compressor.get(), data.data(), data.size(), out.get(), room);
  return std::vector<png_byte>(out.get(), out.get() + size);
}

// A few bands of rows spread over the picture, one under the other.
PixelRows Sample(const PixelRows& rows) {
  constexpr int32_t kBands = 4, kBandRows = 16;
  if (rows.Height() <= kBands * kBandRows) return rows;
  PixelRows sample(rows.RowBytes(), kBands * kBandRows);
  for (int32_t i = 0; i < sample.Height(); ++i) {
    const png_byte* row = rows.Row(rows.Height() * (i / kBandRows) / kBands + i % kBandRows);
    std::copy(row, row + rows.RowBytes(), sample.Row(i));
  }
  return sample;
}

// The filter under which a sample of the rows compresses smaller at the fastest level: time
// charts (lines across) want none, scatter charts over a grid (lines down) want Up.
Filter ChooseFilter(const PixelRows& rows) {
  PixelRows sample = Sample(rows);
  const size_t unfiltered = Compress(1, sample.Bytes()).size();
  ApplyFilter(sample, Filter::kUp);
  return Compress(1, sample.Bytes()).size() < unfiltered ? Filter::kUp : Filter::kNone;
}

void Append(png_structp png, png_bytep data, png_size_t length) {
  static_cast<std::string*>(png_get_io_ptr(png))
      ->append(reinterpret_cast<const char*>(data), length);
}

void Flush(png_structp) {}

// libpng writes the signature, the header and the palette, and frames the compressed rows as
// one image data chunk. It reports errors by longjmp; everything with a destructor lives
// outside this frame.
bool Write(png_structp png, png_infop info, const Picture& picture, const PaletteImage* palette,
           const std::vector<png_byte>& image_data, std::string& out) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_write_fn(png, &out, Append, Flush);
  png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width),
               static_cast<png_uint_32>(picture.height), 8,
               palette ? PNG_COLOR_TYPE_PALETTE : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (palette) {
    png_set_PLTE(png, info, palette->Colors().data(), static_cast<int>(palette->Colors().size()));
  }
  png_write_info(png, info);
  png_write_chunk(png, reinterpret_cast<png_const_bytep>("IDAT"), image_data.data(),
                  image_data.size());
  png_write_chunk(png, reinterpret_cast<png_const_bytep>("IEND"), nullptr, 0);
  return true;
}

// The compressed image data: the rows under the filter that suits the picture.
std::vector<png_byte> ImageData(PixelRows rows) {
  ApplyFilter(rows, ChooseFilter(rows));
  return Compress(kCompressionLevel, rows.Bytes());
}

}  // namespace

std::optional<std::string> EncodePng(const unsigned char* pixels, int32_t width, int32_t height,
                                     int32_t stride) {
  if (pixels == nullptr || width < 1 || height < 1 || stride < 4 * width) return std::nullopt;
  const Picture picture{pixels, width, height, stride};
  PaletteImage palette;
  const bool indexed = palette.Build(picture);
  const std::vector<png_byte> image_data =
      ImageData(indexed ? std::move(palette.Rows()) : RgbRows(picture));
  if (image_data.empty()) return std::nullopt;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (png == nullptr) return std::nullopt;
  png_infop info = png_create_info_struct(png);
  std::string out;
  const bool written =
      info != nullptr && Write(png, info, picture, indexed ? &palette : nullptr, image_data, out);
  png_destroy_write_struct(&png, &info);
  if (!written) return std::nullopt;
  return out;
}

}  // namespace quorvex2::detail
