#include "files/detail/omission_report.h"

#include "core/detail/component_state.h"
#include "quorvex2/core/root.h"

namespace quorvex2::detail {

void ReportOmissions(clsQuorvex2& root, const std::string& location,
                     const std::vector<std::string>& omissions) {
  if (omissions.empty()) return;
  std::string message = std::string("一部のデータを読み込みませんでした\r\n") + location;
  for (const std::string& omission : omissions) message += "\r\n" + omission;
  if (root.ShowMessage) {
    root.ShowMessage(message);
  } else {
    SetErrorComment(message);
  }
}

}  // namespace quorvex2::detail
