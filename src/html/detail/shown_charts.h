#pragma once
// The charts a chart page shows, in the order of its chart list: the site draws an image for
// each of them and for no other number.
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

}  // namespace quorvex2::detail
