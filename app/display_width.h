#pragma once
// Columns a text takes on the screen, by the component's width rule (a character Shift-JIS
// holds in two bytes takes two columns). Terminals outside East Asian settings show the
// "ambiguous" symbols of that rule (→ ↓ × △ ◎ and the like) in one column; with
// narrow_ambiguous only the East Asian wide and full-width characters take two.
#include <cstdint>
#include <string>

namespace qxcli {

int32_t DisplayWidth(const std::string& text, bool narrow_ambiguous);

// The text when it takes at most `width` columns (by the component's rule), else its beginning
// and "..." in that many; only the columns kept are looked at, however long the text.
std::string CutToWidth(const std::string& text, int32_t width);

}  // namespace qxcli
