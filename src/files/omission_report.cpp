#include "files/detail/omission_report.h"

#include "files/detail/load_error.h"

namespace quorvex2::detail {

void ReportOmissions(const std::string& location, const std::vector<std::string>& omissions,
                     const std::vector<std::string>& remarks) {
  if (omissions.empty() && remarks.empty()) return;
  std::string message = Tr(omissions.empty() ? kLoadRemarks : kSomeDataLeftOut) + "\r\n" + location;
  for (const std::string& omission : omissions) message += "\r\n" + omission;
  for (const std::string& remark : remarks) message += "\r\n" + remark;
  ShowLoadMessage(message);
}

}  // namespace quorvex2::detail
