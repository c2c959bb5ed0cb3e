#pragma once
// Columns a text takes on the screen, by the component's width rule (a character Shift-JIS
// holds in two bytes takes two columns). Terminals outside East Asian settings show the
// "ambiguous" symbols of that rule (→ ↓ × △ ◎ and the like) in one column; with
// narrow_ambiguous only the East Asian wide and full-width characters take two.
#include <cstdint>
#include <string>

namespace qxcli {

int32_t DisplayWidth(const std::string& text, bool narrow_ambiguous);

}  // namespace qxcli
