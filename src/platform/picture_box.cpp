#include "quorvex2/platform/picture_box.h"

#include <cairo.h>

#include <cmath>
#include <stdexcept>
#include <string>

#include "platform/detail/png_writer.h"
#include "quorvex2/core/path.h"

namespace quorvex2 {

namespace {

constexpr int32_t kMaxSide = 32767;
constexpr double kPixelsPerMillimetre = 96.0 / 25.4;

void CheckSide(int32_t Pixels) {
  if (Pixels < 1 || Pixels > kMaxSide) {
    throw std::runtime_error("invalid picture size: " + std::to_string(Pixels) +
                             " pixels (1 to 32767 allowed)");
  }
}

void PaintColor(cairo_t* cr, int32_t Color) {
  cairo_set_source_rgb(cr, (Color & 0xFF) / 255.0, ((Color >> 8) & 0xFF) / 255.0,
                       ((Color >> 16) & 0xFF) / 255.0);
  cairo_paint(cr);
}

}  // namespace

PictureBox::PictureBox(int32_t Width, int32_t Height) : width_(0), height_(0) {
  CheckSide(Width);
  CheckSide(Height);
  Resize(Width, Height);
}

PictureBox::~PictureBox() {
  cairo_destroy(cr_);
  cairo_surface_destroy(surface_);
}

void PictureBox::ScaleMode(int32_t Mode) {
  if (Mode != kScalePixel && Mode != kScaleMillimetre) {
    throw std::runtime_error("unsupported scale mode " + std::to_string(Mode) +
                             " (3 pixels or 6 millimetres)");
  }
  scale_mode_ = Mode;
}

void PictureBox::Zoom(float Ratio) {
  if (!(Ratio > 0)) throw std::runtime_error("invalid zoom ratio " + std::to_string(Ratio));
  zoom_ = Ratio;
}

double PictureBox::UnitX() const {
  return scale_mode_ == kScaleMillimetre ? kPixelsPerMillimetre * zoom_ : 1.0;
}

float PictureBox::ScaleWidth() const {
  return static_cast<float>(width_ / UnitX());
}
float PictureBox::ScaleHeight() const {
  return static_cast<float>(height_ / UnitY());
}

void PictureBox::Width(int32_t Pixels) {
  CheckSide(Pixels);
  Resize(Pixels, height_);
}

void PictureBox::Height(int32_t Pixels) {
  CheckSide(Pixels);
  Resize(width_, Pixels);
}

void PictureBox::Resize(int32_t Width, int32_t Height) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, Width, Height);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    throw std::runtime_error("cannot create a picture of " + std::to_string(Width) + " x " +
                             std::to_string(Height) + " pixels");
  }
  cairo_t* cr = cairo_create(surface);
  if (!smoothing_) cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  PaintColor(cr, back_color_);
  if (surface_ != nullptr) {
    cairo_set_source_surface(cr, surface_, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
  }
  surface_ = surface;
  cr_ = cr;
  width_ = Width;
  height_ = Height;
}

void PictureBox::Smoothing(bool On) {
  smoothing_ = On;
  cairo_set_antialias(cr_, On ? CAIRO_ANTIALIAS_DEFAULT : CAIRO_ANTIALIAS_NONE);
}

void PictureBox::BackColor(int32_t Color) {
  back_color_ = Color;
  Cls();
}

void PictureBox::Cls() {
  PaintColor(cr_, back_color_);
  CurrentX(0);
  CurrentY(0);
}

cairo_t* PictureBox::Canvas() {
  return cr_;
}

int32_t PictureBox::Point(float X, float Y) {
  // A hair over the exact product, so a point on a pixel edge is not lost to rounding.
  const auto px = static_cast<int32_t>(std::floor(X * UnitX() + 1e-4));
  const auto py = static_cast<int32_t>(std::floor(Y * UnitY() + 1e-4));
  if (X < 0 || Y < 0 || px >= width_ || py >= height_) return -1;
  cairo_surface_flush(surface_);
  const unsigned char* row =
      cairo_image_surface_get_data(surface_) + py * cairo_image_surface_get_stride(surface_);
  uint32_t pixel = reinterpret_cast<const uint32_t*>(row)[px];  // 0x00RRGGBB
  return static_cast<int32_t>(((pixel >> 16) & 0xFF) | (pixel & 0xFF00) | ((pixel & 0xFF) << 16));
}

bool PictureBox::SavePng(const std::string& FileName) {
  const std::string png = PngBytes();
  return !png.empty() && WriteFileAtomically(FileName, png);
}

std::string PictureBox::PngBytes() {
  cairo_surface_flush(surface_);
  const auto png = detail::EncodePng(
      cairo_image_surface_get_data(surface_), cairo_image_surface_get_width(surface_),
      cairo_image_surface_get_height(surface_), cairo_image_surface_get_stride(surface_));
  return png.value_or("");
}

}  // namespace quorvex2
