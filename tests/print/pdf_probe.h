#pragma once
// Reading a written PDF back through poppler-utils: page count, page size, and a page
// rendered to pixels.
#include <cstdint>
#include <string>
#include <vector>

namespace qxtest {

struct PdfInfo {
  int pages = 0;
  double width_pt = 0;  // first page
  double height_pt = 0;
};

// pdfinfo's view of the file; pages 0 when pdfinfo cannot read it.
PdfInfo ReadPdfInfo(const std::string& path);

struct Raster {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;
  // True when the pixel is darker than light grey (ink).
  bool Ink(int x, int y) const;
  // Ink anywhere in the rectangle of pixels [x1, x2] × [y1, y2].
  bool InkIn(int x1, int y1, int x2, int y2) const;
};

// Page `page` (1-based) rendered at `dpi` by pdftoppm; empty when it fails.
Raster RenderPdfPage(const std::string& path, int page, int dpi);

// Pixel position of a length in millimetres at `dpi`.
inline int MmToPixel(double mm, int dpi) {
  return static_cast<int>(mm * dpi / 25.4 + 0.5);
}

std::string TempPath(const std::string& name);

}  // namespace qxtest
