#pragma once
// SPORTident result listings: text (the classic layout holds "SPORTident results" on its third
// line) or web pages with the listing in <pre> or in table cells.
#include <string_view>

#include "files/detail/format_registry.h"

namespace quorvex2::detail {

// Adds the listing's classes, courses and runners to the current root and rebuilds the
// segments; false with the error comment set on failure (what was added before stays). A web
// page or a text that is no result listing (a start list, a listing without classes or runners,
// a text without the title lines above the listing) fails with a description of what was
// expected.
bool LoadSportIdent(const ReadRequest& request);

// The head of a file looks like a listing the classic marker misses: a web page with
// preformatted text, a row of control items ("1(101)  2(102) ... F") under a line of text, a
// runner's line with its own control items after its time, or (so that the reader can say what
// is missing) runners' lines without the rest of the listing.
bool SniffSportIdentListing(std::string_view head_text);

}  // namespace quorvex2::detail
