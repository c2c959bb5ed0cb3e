#pragma once
// Drawing a text into a box on a printer or a picture: alignment, cutting to the box, and
// vertical writing (one character below the other) for landscape texts and "@" fonts.
#include <cstdint>
#include <string>

#include "quorvex2/platform/drawing_target.h"
#include "quorvex2/print/print_book.h"

namespace quorvex2::detail {

struct TextBox {
  float left, top, width, height;
  PrintBookAlignConst align;
  PrintBookValignConst valign;
  bool landscape;
  float chr_height;  // line pitch as a multiple of the text height
  int32_t color;
  bool cut;  // shorten the text until it fits the box
};

void DrawTextBox(DrawingTarget& Target, std::string Text, const StdFont& Font, const TextBox& Box);

}  // namespace quorvex2::detail
