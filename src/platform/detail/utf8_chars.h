#pragma once
// A UTF-8 text split into its characters (a broken sequence ends at the next lead byte).
#include <string>
#include <vector>

namespace quorvex2::detail {

std::vector<std::string> SplitCharacters(const std::string& Text);

}  // namespace quorvex2::detail
