#pragma once
// What a reader left out of a file it otherwise loaded, and what a user should know of how it read
// the rest: one line each (omissions first) under the reader's location and a heading, "一部の
// データを読み込みませんでした" when anything was left out, shown through the root's ShowMessage
// or, without one, added to the error comment of the successful load.
#include <string>
#include <vector>

namespace quorvex2::detail {

// Nothing happens when there are neither.
void ReportOmissions(const std::string& location, const std::vector<std::string>& omissions,
                     const std::vector<std::string>& remarks = {});

}  // namespace quorvex2::detail
