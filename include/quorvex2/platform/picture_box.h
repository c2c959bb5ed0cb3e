#pragma once
// A picture box: a white raster picture that charts and print previews are drawn on, saved as
// PNG. Its outer size is in pixels at 96 dpi; scale mode 3 draws in pixels, 6 in millimetres.
#include <cstdint>
#include <string>

#include "quorvex2/platform/drawing_target.h"

struct _cairo_surface;

namespace quorvex2 {

enum PictureScaleModeConst : int32_t { kScalePixel = 3, kScaleMillimetre = 6 };

class PictureBox : public DrawingTarget {
 public:
  // std::runtime_error when a side is not 1 .. 32767 pixels.
  explicit PictureBox(int32_t Width = 640, int32_t Height = 480);
  ~PictureBox() override;

  int32_t ScaleMode() const { return scale_mode_; }
  // 3 pixels or 6 millimetres; std::runtime_error for any other mode.
  void ScaleMode(int32_t Mode);
  // Magnification of the millimetre scale: one scale unit covers Zoom millimetres of screen,
  // and fonts grow with it (print previews at a zoom ratio). 1 by default.
  float Zoom() const { return zoom_; }
  void Zoom(float Ratio);

  float ScaleWidth() const override;
  float ScaleHeight() const override;
  // The outer size in pixels. Setting it keeps what is drawn (new area in BackColor) and
  // changes ScaleWidth / ScaleHeight in proportion. std::runtime_error outside 1 .. 32767.
  int32_t Width() const { return width_; }
  void Width(int32_t Pixels);
  int32_t Height() const { return height_; }
  void Height(int32_t Pixels);

  int32_t BackColor() const { return back_color_; }
  // Changing the background clears the picture.
  void BackColor(int32_t Color);
  // 0 flat, 1 three-dimensional; the picture has no border either way.
  int32_t Appearance() const { return appearance_; }
  void Appearance(int32_t Value) { appearance_ = Value; }

  // Smoothed (antialiased) lines, circles and text, true by default. Without smoothing a
  // picture holds only the colours drawn, as on the platform's picture box, and a chart of a
  // few hundred runners is written as a small palette image.
  bool Smoothing() const { return smoothing_; }
  void Smoothing(bool On);

  // Clears the picture to BackColor and moves the current position to (0, 0).
  void Cls();
  // The colour of the pixel under the point in scale units; -1 outside the picture.
  int32_t Point(float X, float Y);
  // Writes the picture as a PNG file; false when it cannot be written.
  bool SavePng(const std::string& FileName);
  // The bytes of that PNG file; empty when the picture cannot be encoded.
  std::string PngBytes();

 protected:
  double DeviceResolution() const override { return 96.0 * Magnification(); }
  double PenUnit() const override { return 1.0; }
  double UnitX() const override;
  double UnitY() const override { return UnitX(); }
  double PixelSnap() const override { return 0.5; }
  bool SmoothText() const override { return smoothing_; }
  int32_t BackgroundColor() const override { return back_color_; }
  _cairo* Canvas() override;

 private:
  double Magnification() const { return scale_mode_ == kScaleMillimetre ? zoom_ : 1.0; }
  void Resize(int32_t Width, int32_t Height);

  int32_t width_;
  int32_t height_;
  int32_t scale_mode_ = kScalePixel;
  float zoom_ = 1;
  int32_t back_color_ = 0xFFFFFF;
  int32_t appearance_ = 1;
  bool smoothing_ = true;
  _cairo_surface* surface_ = nullptr;
  _cairo* cr_ = nullptr;
};

}  // namespace quorvex2
