#pragma once
// The progress bar the host draws on stderr while a long job runs (loading, writing a site), when
// stderr is a terminal.
#include <cstdint>
#include <string>

#include <quorvex2/core/root.h>

namespace qxcli {

// Draws the root's Progress events as "caption [#####     ]  42%" on stderr when `enabled`
// and stderr is a terminal; otherwise leaves the root as it is.
void AttachProgressBar(quorvex2::clsQuorvex2& root, bool enabled);

// Names the job the next bar shows; nothing happens when no bar is attached.
void SetProgressCaption(quorvex2::clsQuorvex2& root, const std::string& caption);

}  // namespace qxcli
