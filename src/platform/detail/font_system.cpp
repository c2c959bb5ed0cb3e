#include "platform/detail/font_system.h"

#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <pango/pangocairo.h>

namespace quorvex2::detail {

namespace {

struct FontSystemRelease {
  ~FontSystemRelease() {
    // Pango's font map holds fontconfig's patterns; drop it before fontconfig itself.
    pango_cairo_font_map_set_default(nullptr);
    cairo_debug_reset_static_data();
    FcFini();
  }
};

}  // namespace

void ReleaseFontSystemAtExit() {
  // Constructed on first use, so it is destroyed before the caches it releases are needed no
  // more by anything constructed earlier.
  static FontSystemRelease release;
}

}  // namespace quorvex2::detail
