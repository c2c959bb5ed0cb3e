#include "quorvex2/platform/drawing_target.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>

#include "platform/detail/text_layout.h"

namespace quorvex2 {

namespace {

void SetColor(cairo_t* cr, int32_t Color) {
  cairo_set_source_rgb(cr, (Color & 0xFF) / 255.0, ((Color >> 8) & 0xFF) / 255.0,
                       ((Color >> 16) & 0xFF) / 255.0);
}

}  // namespace

DrawingTarget::DrawingTarget() = default;

DrawingTarget::~DrawingTarget() {
  if (text_context_ != nullptr) g_object_unref(text_context_);
}

PangoContext* DrawingTarget::TextContext() const {
  if (text_context_ == nullptr || text_resolution_ != DeviceResolution() ||
      text_smoothed_ != SmoothText()) {
    if (text_context_ != nullptr) g_object_unref(text_context_);
    text_resolution_ = DeviceResolution();
    text_smoothed_ = SmoothText();
    text_context_ = detail::NewTextContext(text_resolution_, text_smoothed_, WholeUnitText());
  }
  return text_context_;
}

DrawingTarget::Size2 DrawingTarget::MeasureDevice(const std::string& Text) const {
  PangoLayout* layout = detail::NewTextLayout(TextContext(), font_, Text);
  PangoRectangle logical;
  pango_layout_get_extents(layout, nullptr, &logical);
  g_object_unref(layout);
  return {static_cast<double>(logical.width) / PANGO_SCALE,
          static_cast<double>(logical.height) / PANGO_SCALE};
}

float DrawingTarget::TextWidth(const std::string& Text) const {
  return static_cast<float>(MeasureDevice(Text).width / UnitX());
}

float DrawingTarget::TextHeight(const std::string& Text) const {
  return static_cast<float>(MeasureDevice(Text).height / UnitY());
}

void DrawingTarget::Stroke(cairo_t* cr, int32_t Color) {
  cairo_set_line_width(cr, std::max(draw_width_, 1) * PenUnit());
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  SetColor(cr, Color);
  cairo_stroke(cr);
}

void DrawingTarget::FillPath(cairo_t* cr, int32_t Color) {
  SetColor(cr, Color);
  cairo_fill_preserve(cr);
}

void DrawingTarget::Line(float X1, float Y1, float X2, float Y2) {
  Line(X1, Y1, X2, Y2, fore_color_);
}

void DrawingTarget::Line(float X1, float Y1, float X2, float Y2, int32_t Color) {
  cairo_t* cr = Canvas();
  double snap = std::max(draw_width_, 1) % 2 == 1 ? PixelSnap() : 0;
  cairo_move_to(cr, DevX(X1) + snap, DevY(Y1) + snap);
  cairo_line_to(cr, DevX(X2) + snap, DevY(Y2) + snap);
  Stroke(cr, Color);
}

void DrawingTarget::Box(float X1, float Y1, float X2, float Y2, bool Filled) {
  Box(X1, Y1, X2, Y2, fore_color_, Filled);
}

void DrawingTarget::Box(float X1, float Y1, float X2, float Y2, int32_t Color, bool Filled) {
  cairo_t* cr = Canvas();
  double snap = std::max(draw_width_, 1) % 2 == 1 ? PixelSnap() : 0;
  double x1 = DevX(X1) + snap, y1 = DevY(Y1) + snap;
  cairo_rectangle(cr, x1, y1, DevX(X2) + snap - x1, DevY(Y2) + snap - y1);
  if (Filled) {
    FillPath(cr, Color);
  } else if (fill_style_ == kFillSolid) {
    FillPath(cr, fill_color_);
  }
  Stroke(cr, Color);
}

void DrawingTarget::Circle(float X, float Y, float Radius) {
  Circle(X, Y, Radius, fore_color_);
}

void DrawingTarget::Circle(float X, float Y, float Radius, int32_t Color) {
  cairo_t* cr = Canvas();
  cairo_new_path(cr);
  cairo_arc(cr, DevX(X), DevY(Y), std::abs(Radius * UnitX()), 0, 2 * M_PI);
  if (fill_style_ == kFillSolid) FillPath(cr, fill_color_);
  Stroke(cr, Color);
}

void DrawingTarget::Print(const std::string& Text) {
  cairo_t* cr = Canvas();
  PangoLayout* layout = detail::NewTextLayout(TextContext(), font_, Text);
  PangoRectangle logical;
  pango_layout_get_extents(layout, nullptr, &logical);
  if (!Text.empty()) {
    if (!font_transparent_) {
      cairo_rectangle(cr, DevX(current_x_) + logical.x / double{PANGO_SCALE},
                      DevY(current_y_) + logical.y / double{PANGO_SCALE},
                      logical.width / double{PANGO_SCALE}, logical.height / double{PANGO_SCALE});
      FillPath(cr, BackgroundColor());
      cairo_new_path(cr);
    }
    SetColor(cr, fore_color_);
    cairo_move_to(cr, DevX(current_x_), DevY(current_y_));
    pango_cairo_show_layout(cr, layout);
    cairo_new_path(cr);
  }
  g_object_unref(layout);
  current_x_ = 0;
  current_y_ += static_cast<float>(logical.height / PANGO_SCALE / UnitY());
}

}  // namespace quorvex2
