#pragma once
// The base names of the site's pages ("*" in the page patterns) for the classes and courses.
#include <string>
#include <vector>

#include "html/detail/site_request.h"

namespace quorvex2::detail {

// For each entry's file name, in list order: the name made one safe file name, and made unique
// (name_2, name_3, ...) wherever its pages would meet another entry's pages or the site's own
// files (index, lap copies, viewer page). Ordinary distinct names come out unchanged.
std::vector<std::string> SiteFileNames(const std::vector<std::string>& file_names,
                                       const SiteRequest& request);

}  // namespace quorvex2::detail
