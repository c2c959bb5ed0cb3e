#pragma once
// What a picture box and a printer have in common: pen, fill, font, current position and the
// drawing primitives, in the target's scale units. Colours are 0x00BBGGRR.
#include <cstdint>
#include <string>

#include "quorvex2/platform/std_font.h"

struct _cairo;
struct _PangoContext;

namespace quorvex2 {

enum DrawFillStyle : int32_t { kFillSolid = 0, kFillTransparent = 1 };

class DrawingTarget {
 public:
  virtual ~DrawingTarget();
  DrawingTarget(const DrawingTarget&) = delete;
  DrawingTarget& operator=(const DrawingTarget&) = delete;

  StdFont& Font() { return font_; }
  const StdFont& Font() const { return font_; }
  void Font(const StdFont& NewFont) { font_ = NewFont; }

  // Pen width in device pixels (at least 1 is drawn).
  int32_t DrawWidth() const { return draw_width_; }
  void DrawWidth(int32_t Width) { draw_width_ = Width; }
  int32_t ForeColor() const { return fore_color_; }
  void ForeColor(int32_t Color) { fore_color_ = Color; }
  int32_t FillColor() const { return fill_color_; }
  void FillColor(int32_t Color) { fill_color_ = Color; }
  // 0 solid, 1 transparent.
  int32_t FillStyle() const { return fill_style_; }
  void FillStyle(int32_t Style) { fill_style_ = Style; }
  float CurrentX() const { return current_x_; }
  void CurrentX(float X) { current_x_ = X; }
  float CurrentY() const { return current_y_; }
  void CurrentY(float Y) { current_y_ = Y; }
  // True (the default): text is drawn over what is there; false: on a box of the background
  // colour as large as the text.
  bool FontTransparent() const { return font_transparent_; }
  void FontTransparent(bool Transparent) { font_transparent_ = Transparent; }

  virtual float ScaleWidth() const = 0;
  virtual float ScaleHeight() const = 0;

  // A line from (X1, Y1) to (X2, Y2) in the pen colour, or in Color.
  void Line(float X1, float Y1, float X2, float Y2);
  void Line(float X1, float Y1, float X2, float Y2, int32_t Color);
  // A rectangle with corners (X1, Y1), (X2, Y2): Filled fills it in the pen colour (or Color);
  // otherwise an outline, its inside filled with FillColor when FillStyle is solid.
  void Box(float X1, float Y1, float X2, float Y2, bool Filled = false);
  void Box(float X1, float Y1, float X2, float Y2, int32_t Color, bool Filled);
  // A circle outlined in the pen colour (or Color), filled with FillColor when FillStyle is
  // solid. The radius is in horizontal scale units.
  void Circle(float X, float Y, float Radius);
  void Circle(float X, float Y, float Radius, int32_t Color);
  // Prints the text with its top-left corner at the current position in ForeColor, then moves
  // to the start of the next line (CurrentX 0, CurrentY below the text).
  void Print(const std::string& Text);

  // The size of the text in scale units, measured in the current font.
  float TextWidth(const std::string& Text) const;
  float TextHeight(const std::string& Text) const;

 protected:
  DrawingTarget();
  // Device units per inch (for font sizes) and per pen pixel.
  virtual double DeviceResolution() const = 0;
  virtual double PenUnit() const = 0;
  // Device units per scale unit, and where scale coordinate 0 lies in device units.
  virtual double UnitX() const = 0;
  virtual double UnitY() const = 0;
  virtual double OriginX() const { return 0; }
  virtual double OriginY() const { return 0; }
  // The colour of the blank target, behind text that is not transparent: white paper.
  virtual int32_t BackgroundColor() const { return 0xFFFFFF; }
  // Offset that puts strokes of odd pixel widths on pixel centres (raster targets).
  virtual double PixelSnap() const { return 0; }
  // Text drawn with smoothed (antialiased) edges.
  virtual bool SmoothText() const { return true; }
  // Text advances by whole device units, as on a screen's pixels; a target whose device unit is
  // coarse (a printer's point) places each character where its font puts it.
  virtual bool WholeUnitText() const { return true; }
  // The context to draw on, in device units; a printer starts its document here.
  virtual _cairo* Canvas() = 0;

 private:
  struct Size2 {
    double width, height;
  };
  Size2 MeasureDevice(const std::string& Text) const;
  void Stroke(_cairo* cr, int32_t Color);
  void FillPath(_cairo* cr, int32_t Color);
  double DevX(float X) const { return OriginX() + X * UnitX(); }
  double DevY(float Y) const { return OriginY() + Y * UnitY(); }
  _PangoContext* TextContext() const;

  StdFont font_;
  int32_t draw_width_ = 1;
  int32_t fore_color_ = 0;
  int32_t fill_color_ = 0;
  int32_t fill_style_ = kFillTransparent;
  float current_x_ = 0;
  float current_y_ = 0;
  bool font_transparent_ = true;
  mutable _PangoContext* text_context_ = nullptr;
  mutable double text_resolution_ = 0;
  mutable bool text_smoothed_ = true;
};

}  // namespace quorvex2
