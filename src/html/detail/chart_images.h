#pragma once
// Chart images of the web site: one PNG per chart of the page's chart list, drawn on a hidden
// picture box.
#include <cstdint>
#include <string>
#include <vector>

#include "html/detail/site_entry.h"

namespace quorvex2 {
class clsAnalyzer;
}

namespace quorvex2::detail {

// True when this build can write chart images as PNG.
bool PngOutputAvailable();

// Draws the PNG of folder + image_pattern (with "?" replaced by the chart number) for every chart
// of chart_option that can be drawn (DrawnCharts) and adds it to `files`, its write unchecked. Runner colours come from
// a generator seeded with `seed`. False when an image could not be encoded.
bool DrawChartImages(clsAnalyzer& analyzer, const std::string& folder,
                     const std::string& image_pattern, const std::string& chart_option,
                     uint64_t seed, std::vector<SiteFile>& files);

}  // namespace quorvex2::detail
