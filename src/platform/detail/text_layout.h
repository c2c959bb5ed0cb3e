#pragma once
// Pango text layout for the drawing targets: one context per target and resolution, with
// hinting off so a text measures the same wherever it is drawn.
#include <pango/pangocairo.h>

#include <string>

#include "quorvex2/platform/std_font.h"

namespace quorvex2::detail {

// A new context whose points become device units at Resolution units per inch; glyph edges are
// smoothed or not (measurements are the same either way), and glyphs advance by whole device
// units or exactly as the font says.
PangoContext* NewTextContext(double Resolution, bool Smoothed, bool WholeUnits);
// A layout of the text in the font (the family mapped through font_map.h). Release with
// g_object_unref.
PangoLayout* NewTextLayout(PangoContext* Context, const StdFont& Font, const std::string& Text);

}  // namespace quorvex2::detail
