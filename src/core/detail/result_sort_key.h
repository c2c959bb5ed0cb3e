#pragma once
// The key by which result lists and data sets are ordered.
#include <string>

namespace quorvex2::detail {

// A valid time text sorts by its time in days; any other result by its status order number
// taken as days, so every real time (under 24 h) sorts before every status of 1 or more.
double ResultSortKey(const std::string& result);

}  // namespace quorvex2::detail
