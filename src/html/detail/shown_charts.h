#pragma once
// The charts of a chart list, in its order: those the chart page shows with a heading, and those
// the site draws an image for (the X/Y map has an image but no heading).
#include <cstdint>
#include <string>
#include <vector>

namespace quorvex2 {
class clsAnalyzer;
}

namespace quorvex2::detail {

// Numbers of the comma-separated list that are plain digits and have a heading (0 to 6); the
// real-time chart (1) only when a runner has a start time; none for a data set without runners.
std::vector<int32_t> ShownCharts(const clsAnalyzer& analyzer, const std::string& chart_option);
// The same with the X/Y map (7) too: every number a chart can be drawn for.
std::vector<int32_t> DrawnCharts(const clsAnalyzer& analyzer, const std::string& chart_option);

}  // namespace quorvex2::detail
