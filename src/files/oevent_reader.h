#pragma once
// OEvent split-time exports (the second line holds "Split times of").
#include "files/detail/format_registry.h"

namespace quorvex2::detail {

// Adds the export's classes and runners to the current root; false with the error comment set
// on failure (what was added before stays).
bool LoadOEvent(const ReadRequest& request);

}  // namespace quorvex2::detail
