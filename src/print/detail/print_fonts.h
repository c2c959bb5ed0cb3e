#pragma once
// The fonts of the printed tables, by style key ("ANALYSIS_DATA", "RESULT_CLASS", ...).
#include <string_view>

#include "quorvex2/platform/std_font.h"

namespace quorvex2::detail {

// The font of a style key; ClassLabelFontSize is the size of "ANALYSIS_CLASS" (a setting).
// std::logic_error for a key the tables do not use.
StdFont PrintFont(std::string_view StyleKey, float ClassLabelFontSize = 35);

}  // namespace quorvex2::detail
