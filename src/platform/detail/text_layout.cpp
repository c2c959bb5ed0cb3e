#include "platform/detail/text_layout.h"

#include <cstring>

#include "platform/detail/font_system.h"
#include "quorvex2/platform/font_map.h"

namespace quorvex2::detail {

PangoContext* NewTextContext(double Resolution, bool Smoothed, bool WholeUnits) {
  ReleaseFontSystemAtExit();
  PangoContext* context = pango_font_map_create_context(pango_cairo_font_map_get_default());
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  if (!Smoothed) cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_NONE);
  pango_cairo_context_set_font_options(context, options);
  cairo_font_options_destroy(options);
  pango_cairo_context_set_resolution(context, Resolution);
  pango_context_set_round_glyph_positions(context, WholeUnits);
  return context;
}

namespace {

// No page or picture shows more of a text than this; laying out the rest of a damaged or hostile
// text (a name of megabytes) would only take memory, about a hundred bytes a character.
constexpr gssize kMostLaidOutBytes = 16 * 1024;

// The length of the text's first kMostLaidOutBytes bytes, ending on a character boundary.
gssize LaidOutLength(const gchar* text) {
  const gssize length = static_cast<gssize>(strlen(text));
  if (length <= kMostLaidOutBytes) return length;
  const gchar* end = g_utf8_find_prev_char(text, text + kMostLaidOutBytes + 1);
  return end == nullptr ? 0 : end - text;
}

PangoFontDescription* NewDescription(const StdFont& Font) {
  PangoFontDescription* description = pango_font_description_new();
  pango_font_description_set_family(description, MapFontFamily(Font.Name).c_str());
  double size = Font.Size > 0 ? Font.Size : 1;
  pango_font_description_set_size(description, static_cast<int>(size * PANGO_SCALE + 0.5));
  pango_font_description_set_weight(description,
                                    Font.Bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
  pango_font_description_set_style(description,
                                   Font.Italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
  return description;
}

}  // namespace

PangoLayout* NewTextLayout(PangoContext* Context, const StdFont& Font, const std::string& Text) {
  PangoLayout* layout = pango_layout_new(Context);
  PangoFontDescription* description = NewDescription(Font);
  pango_layout_set_font_description(layout, description);
  pango_font_description_free(description);
  if (Font.Underline) {
    PangoAttrList* attributes = pango_attr_list_new();
    pango_attr_list_insert(attributes, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
    pango_layout_set_attributes(layout, attributes);
    pango_attr_list_unref(attributes);
  }
  // Pango wants valid UTF-8; stray bytes become U+FFFD instead of a warning.
  gchar* valid = g_utf8_make_valid(Text.data(), static_cast<gssize>(Text.size()));
  pango_layout_set_text(layout, valid, static_cast<int>(LaidOutLength(valid)));
  g_free(valid);
  return layout;
}

}  // namespace quorvex2::detail
