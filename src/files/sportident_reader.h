#pragma once
// SPORTident result listings (the third line holds "SPORTident results").
#include "files/detail/format_registry.h"

namespace quorvex2::detail {

// Adds the listing's classes, courses and runners to the current root and rebuilds the
// segments; false with the error comment set on failure (what was added before stays).
bool LoadSportIdent(const ReadRequest& request);

}  // namespace quorvex2::detail
