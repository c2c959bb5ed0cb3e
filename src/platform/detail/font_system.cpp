#include "platform/detail/font_system.h"

#include <pango/pangocairo.h>

namespace quorvex2::detail {

namespace {

struct FontSystemRelease {
  ~FontSystemRelease() {
    // Pango's font map holds fontconfig's patterns; dropping it returns them. Fontconfig's and
    // Cairo's own caches are left to the process: their release functions assert when any
    // font is still referenced, which a host cannot rule out at exit.
    pango_cairo_font_map_set_default(nullptr);
  }
};

}  // namespace

void ReleaseFontSystemAtExit() {
  // Constructed on first use, so it is destroyed before the caches it releases are needed no
  // more by anything constructed earlier.
  static FontSystemRelease release;
}

}  // namespace quorvex2::detail
