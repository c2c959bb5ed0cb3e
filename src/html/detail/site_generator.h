#pragma once
// The web site of the loaded event: pages per class and shared course, lap file copies, the
// viewer page and the index block.
#include <cstdint>
#include <functional>

#include "html/detail/site_request.h"

namespace quorvex2::detail {

// False when a page or file could not be written (the run stops there).
bool GenerateSite(const SiteRequest& request, const std::function<void(int32_t)>& progress);

}  // namespace quorvex2::detail
