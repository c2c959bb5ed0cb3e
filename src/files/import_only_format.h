#pragma once
// The append-only runner information file ("$IMPORT_ONLY"): clubs and sexes for runners that
// are already loaded, matched by name.
#include "files/detail/format_registry.h"

namespace quorvex2::detail {

inline constexpr const char* kImportOnlyLocation = "clsFileControl.LoadImportOnly";

// Updates the current root's runners; never adds runners or classes. False without an error
// comment for a missing file or an empty text.
bool LoadImportOnly(const ReadRequest& request);

}  // namespace quorvex2::detail
