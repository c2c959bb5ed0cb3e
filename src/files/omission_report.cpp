#include "files/detail/omission_report.h"

#include "files/detail/load_error.h"

namespace quorvex2::detail {

void ReportOmissions(const std::string& location, const std::vector<std::string>& omissions) {
  if (omissions.empty()) return;
  std::string message = Tr(kSomeDataLeftOut) + "\r\n" + location;
  for (const std::string& omission : omissions) message += "\r\n" + omission;
  ShowLoadMessage(message);
}

}  // namespace quorvex2::detail
