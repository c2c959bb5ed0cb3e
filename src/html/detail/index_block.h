#pragma once
// The index block of the web site, between its two marker lines.
#include <string>
#include <vector>

#include "html/detail/site_entry.h"
#include "html/detail/site_request.h"

namespace quorvex2::detail {

inline constexpr const char* kIndexStart = "<!-- ### QUORVEX START ### -->";
inline constexpr const char* kIndexFinish = "<!-- ### QUORVEX FINISH ### -->";

// The block, marker lines included, lines joined with CR LF (no CR LF after the last line).
std::string BuildIndexBlock(const SiteRequest& request, const std::vector<SiteEntry>& entries);

// A new index page around the block.
std::string NewIndexPage(const std::string& block);

// The existing page with its block replaced; a page without markers gets the block once, before
// its closing body tag (or at its end).
std::string ReplaceIndexBlock(const std::string& page, const std::string& block);

}  // namespace quorvex2::detail
