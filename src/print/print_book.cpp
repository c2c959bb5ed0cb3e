#include "quorvex2/print/print_book.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace quorvex2 {

namespace {

// The printer's own pen and text defaults, reset on every set-up: pen width 1, black, no fill,
// font size 13 and then 9, transparent text.
void ResetPrinterDefaults(Printer& printer) {
  printer.DrawWidth(1);
  printer.ForeColor(0);
  printer.FillStyle(kFillTransparent);
  printer.Font().Size = 13;
  printer.Font().Size = 9;
  printer.FontTransparent(true);
}

void SelectPrinter(Printer& printer, const std::string& Name) {
  auto installed = Printer::InstalledPrinters();
  if (std::find(installed.begin(), installed.end(), Name) != installed.end()) {
    printer.DeviceName(Name);
  }
}

}  // namespace

clsPrintBook::clsPrintBook() : printer_(std::make_shared<Printer>()), pages_(1) {}

void clsPrintBook::Init(const std::string& PrinterName, int32_t PaperSize, int32_t Orientation,
                        float MarginLeft, float MarginTop, float MarginBottom, float MarginRight,
                        float ZoomRatio) {
  SelectPrinter(*printer_, PrinterName);
  printer_->PaperSize(PaperSize);
  printer_->Orientation(Orientation);
  printer_->ScaleMode(6);
  ResetPrinterDefaults(*printer_);

  const float offset_x = printer_->PhysicalOffsetX(), offset_y = printer_->PhysicalOffsetY();
  const float unprintable_right = printer_->PhysicalWidth() - printer_->ScaleWidth() - offset_x;
  const float unprintable_bottom = printer_->PhysicalHeight() - printer_->ScaleHeight() - offset_y;
  const float left = std::max(MarginLeft, offset_x), top = std::max(MarginTop, offset_y);
  const float right = std::max(MarginRight, unprintable_right);
  const auto bottom =
      static_cast<int16_t>(std::nearbyint(std::max(MarginBottom, unprintable_bottom)));

  PrintBookGeometry geometry;
  geometry.OriginX = left - offset_x;
  geometry.OriginY = top - offset_y;
  geometry.PrintableWidth =
      printer_->ScaleWidth() - (left - offset_x) - (right - unprintable_right);
  geometry.PrintableHeight =
      printer_->ScaleHeight() - (top - offset_y) - (bottom - unprintable_bottom);
  if (!(geometry.PrintableWidth > 0 && geometry.PrintableHeight > 0)) {
    throw std::runtime_error("the margins leave no printable area on the paper");
  }

  margin_left_ = left;
  margin_top_ = top;
  margin_right_ = right;
  margin_bottom_ = bottom;
  zoom_ratio_ = ZoomRatio == 0 ? 1 : ZoomRatio;
  geometry_ = geometry;
  FitTile(geometry.PrintableWidth, geometry.PrintableHeight);
  virtual_zoom_ratio_ = 1;
  row_count_ = col_count_ = 1;
  row_interval_ = col_interval_ = 0;
  page_count_ = 0;
  pages_.assign(1, Page{});
  page_used_ = false;
  printed_area_width_ = printed_area_height_ = 0;
}

void clsPrintBook::FitTile(float TileWidth, float TileHeight) {
  geometry_.TileWidth = TileWidth;
  geometry_.TileHeight = TileHeight;
  geometry_.AlignX = geometry_.AlignY = 0;
  geometry_.VirtualWidth = TileWidth / zoom_ratio_;
  geometry_.VirtualHeight = TileHeight / zoom_ratio_;
}

void clsPrintBook::NewPage() {
  if (!page_used_) return;
  pages_.emplace_back();
  page_used_ = false;
  printed_area_width_ = printed_area_height_ = 0;
}

void clsPrintBook::SetSeparation(int32_t RowCount, int32_t ColCount, float RowInterval,
                                 float ColInterval) {
  const int32_t rows = std::max(RowCount, 1), cols = std::max(ColCount, 1);
  const float tile_width = (geometry_.PrintableWidth - ColInterval * (cols - 1)) / cols;
  const float tile_height = (geometry_.PrintableHeight - RowInterval * (rows - 1)) / rows;
  if (!(tile_width > 0 && tile_height > 0)) {
    throw std::runtime_error("the page separation leaves no room for a page");
  }
  row_count_ = rows;
  col_count_ = cols;
  row_interval_ = RowInterval;
  col_interval_ = ColInterval;
  virtual_zoom_ratio_ = 1;
  zoom_ratio_ /= static_cast<float>(rows > cols ? rows : cols);
  FitTile(tile_width, tile_height);
}

void clsPrintBook::SetVirtualSize(float VirtualPrintAreaX, float VirtualPrintAreaY,
                                  bool AutoEnlarge, PrintBookAlignConst PageAlign,
                                  PrintBookValignConst PageValign) {
  if (VirtualPrintAreaX < 0 || VirtualPrintAreaY < 0) {
    throw std::runtime_error("a virtual page size cannot be negative");
  }
  virtual_zoom_ratio_ = 1;
  const float tile_width = geometry_.TileWidth, tile_height = geometry_.TileHeight;
  if ((VirtualPrintAreaX == 0 && VirtualPrintAreaY == 0) || tile_width <= 0 || tile_height <= 0) {
    return;
  }
  float x = VirtualPrintAreaX, y = VirtualPrintAreaY;
  if (x == 0) x = y * tile_width / tile_height;
  if (y == 0) y = x * tile_height / tile_width;
  geometry_.VirtualWidth = x;
  geometry_.VirtualHeight = y;
  const float zoom = std::min(tile_width / x, tile_height / y);
  if (zoom < 1 || AutoEnlarge) zoom_ratio_ = zoom;
  const float free_x = tile_width - x * zoom_ratio_, free_y = tile_height - y * zoom_ratio_;
  geometry_.AlignX = PageAlign == PRINTBOOK_ALIGN_LEFT    ? 0
                     : PageAlign == PRINTBOOK_ALIGN_RIGHT ? free_x
                                                          : free_x / 2;
  geometry_.AlignY = PageValign == PRINTBOOK_VALIGN_TOP      ? 0
                     : PageValign == PRINTBOOK_VALIGN_BOTTOM ? free_y
                                                             : free_y / 2;
}

}  // namespace quorvex2
