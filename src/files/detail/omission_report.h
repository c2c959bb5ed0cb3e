#pragma once
// What a reader left out of a file it otherwise loaded: one line per omission under
// "一部のデータを読み込みませんでした" and the reader's location, shown through the root's
// ShowMessage or, without one, added to the error comment of the successful load.
#include <string>
#include <vector>

namespace quorvex2::detail {

// Nothing happens when there are no omissions.
void ReportOmissions(const std::string& location, const std::vector<std::string>& omissions);

}  // namespace quorvex2::detail
