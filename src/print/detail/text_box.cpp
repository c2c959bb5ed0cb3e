#include "print/detail/text_box.h"

#include <numeric>
#include <string>
#include <utility>
#include <vector>

#include "platform/detail/utf8_chars.h"
#include "quorvex2/platform/font_map.h"

namespace quorvex2::detail {

namespace {

float AlignedStart(float Start, float Room, float Used, int32_t Alignment) {
  if (Alignment == 0) return Start;
  if (Alignment == 2) return Start + Room - Used;
  return Start + (Room - Used) / 2;
}

std::string WithoutLastCharacter(const std::string& Text) {
  size_t end = Text.size() - 1;
  while (end > 0 && (static_cast<unsigned char>(Text[end]) & 0xC0) == 0x80) --end;
  return Text.substr(0, end);
}

// Where a cut text of a hundred characters or more ends: halving finds the end to within a few
// characters, so a damaged or hostile text of megabytes is not cut one character at a time.
size_t RoughFittingEnd(const DrawingTarget& Target, const std::string& Text, float Width) {
  constexpr size_t kClose = 400;
  size_t fits = 0, too_wide = Text.size();
  while (too_wide - fits > kClose) {
    size_t middle = fits + (too_wide - fits) / 2;
    while (middle > fits && (static_cast<unsigned char>(Text[middle]) & 0xC0) == 0x80) --middle;
    if (Target.TextWidth(Text.substr(0, middle)) > Width) {
      too_wide = middle;
    } else {
      fits = middle;
    }
  }
  return too_wide;
}

std::string FittingStart(const DrawingTarget& Target, std::string Text, float Width) {
  if (Target.TextWidth(Text) <= Width) return Text;
  Text.resize(RoughFittingEnd(Target, Text, Width));
  while (!Text.empty() && Target.TextWidth(Text) > Width) Text = WithoutLastCharacter(Text);
  return Text;
}

void DrawHorizontal(DrawingTarget& Target, std::string Text, const TextBox& Box) {
  if (Box.cut) Text = FittingStart(Target, std::move(Text), Box.width);
  const float glyph_height = Target.TextHeight(Text);
  const float line_height = glyph_height * Box.chr_height;
  Target.CurrentX(AlignedStart(Box.left, Box.width, Target.TextWidth(Text), Box.align));
  Target.CurrentY(AlignedStart(Box.top, Box.height, line_height, Box.valign) +
                  (line_height - glyph_height) / 2);
  Target.Print(Text);
}

// The characters stand one below the other, each centred in the box width, at a pitch of the
// character height times the character height factor.
void DrawVertical(DrawingTarget& Target, const std::string& Text, const TextBox& Box) {
  std::vector<std::string> characters = SplitCharacters(Text);
  std::vector<float> pitches;
  for (const auto& character : characters) {
    pitches.push_back(Target.TextHeight(character) * Box.chr_height);
  }
  float column = std::accumulate(pitches.begin(), pitches.end(), 0.0f);
  while (Box.cut && !characters.empty() && column > Box.height) {
    column -= pitches.back();
    pitches.pop_back();
    characters.pop_back();
  }
  float y = AlignedStart(Box.top, Box.height, column, Box.valign);
  for (size_t i = 0; i < characters.size(); ++i) {
    const float glyph_height = Target.TextHeight(characters[i]);
    Target.CurrentX(Box.left + (Box.width - Target.TextWidth(characters[i])) / 2);
    Target.CurrentY(y + (pitches[i] - glyph_height) / 2);
    Target.Print(characters[i]);
    y += pitches[i];
  }
}

}  // namespace

void DrawTextBox(DrawingTarget& Target, std::string Text, const StdFont& Font, const TextBox& Box) {
  Target.Font(Font);
  const int32_t previous_color = Target.ForeColor();
  Target.ForeColor(Box.color);
  if (Box.landscape || IsVerticalFontName(Font.Name)) {
    DrawVertical(Target, Text, Box);
  } else {
    DrawHorizontal(Target, std::move(Text), Box);
  }
  Target.ForeColor(previous_color);
}

}  // namespace quorvex2::detail
