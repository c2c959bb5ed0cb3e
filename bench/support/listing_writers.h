#pragma once
// The event as other programs export it, so the benchmark event exists in every input format:
// a SPORTident result listing, an OEvent split-time export and a CSV table of cumulative splits.
// Each returns UTF-8 text with CR LF line ends; the caller picks the file's encoding.
#include <string>

#include <quorvex2/core/root.h>

namespace qxbench {

// Fixed columns by display width (a full-width character takes two), cumulative times on the
// runner line and leg times on the club line, a second control row for long courses.
std::string SportIdentListing(const quorvex2::clsQuorvex2& root);

// Runner lines followed by lines of cumulative split times, ten controls a line.
std::string OEventExport(const quorvex2::clsQuorvex2& root);

// One header line and the runners of each class, split times cumulative (the macro CSV).
std::string CsvTable(const quorvex2::clsQuorvex2& root);

}  // namespace qxbench
