#pragma once
// A font as the drawing targets take it: family name as the host writes it (the Windows
// Japanese names are mapped to installed families, see font_map.h), size in points, style.
#include <string>

namespace quorvex2 {

struct StdFont {
  std::string Name = "ＭＳ ゴシック";
  float Size = 9;
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
};

}  // namespace quorvex2
