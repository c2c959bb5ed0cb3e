#pragma once
// The web site of the loaded event: pages per class and shared course, lap file copies, the
// viewer page and the index block.
#include <cstddef>
#include <functional>

#include "html/detail/site_request.h"

namespace quorvex2::detail {

// Reports each entry written, in order: (entries done, entries in all).
using EntryProgress = std::function<void(size_t done, size_t total)>;

// False when a page or file could not be written (the run stops there).
bool GenerateSite(const SiteRequest& request, const EntryProgress& progress);

}  // namespace quorvex2::detail
