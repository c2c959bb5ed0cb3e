// IOF result statuses and our result texts, both ways. Our texts are chosen so that they sort
// as the statuses rank: times, then "MP", "DNF", "OCL" (over the time limit), "DISQ", "NC" (not
// competing, sorts with the unrecognised texts), "DNS".
#include <cmath>
#include <map>

#include "files/iof_reading.h"
#include "quorvex2/core/format.h"
#include "quorvex2/core/text.h"
#include "quorvex2/core/time_text.h"

namespace quorvex2::detail {
namespace {

// Status names of 3.0 and 2.0.3 that are not a time.
const std::map<std::string, std::string>& StatusTexts() {
  static const std::map<std::string, std::string> texts{{"MissingPunch", "MP"},
                                                        {"MisPunch", "MP"},
                                                        {"DidNotFinish", "DNF"},
                                                        {"SportingWithdrawal", "DNF"},
                                                        {"SportWithdr", "DNF"},
                                                        {"OverTime", "OCL"},
                                                        {"Disqualified", "DISQ"},
                                                        {"NotCompeting", "NC"},
                                                        {"DidNotStart", "DNS"},
                                                        {"DidNotEnter", "DNS"},
                                                        {"Cancelled", "DNS"},
                                                        {"Inactive", "DNS"},
                                                        {"Moved", "DNS"},
                                                        {"MovedUp", "DNS"},
                                                        {"Active", ""}};
  return texts;
}

std::string TimeText(double seconds) {
  return FormatDate(std::floor(seconds + 1e-6) / 86400.0, "h:nn:ss");
}

}  // namespace

std::string IofStatusResult(const std::string& status, std::optional<double> seconds) {
  const std::string name = Trim(status);
  const bool timed = seconds && *seconds > 0;
  if (name == "OK" || name == "Finished" || name.empty()) return timed ? TimeText(*seconds) : "";
  const auto found = StatusTexts().find(name);
  return found != StatusTexts().end() ? found->second : "NC";
}

std::string Iof3Status(const std::string& result) {
  if (IsValidTime(result)) return "OK";
  if (result.empty()) return "Active";
  const int32_t order = ResultStatusOrder(result);
  if (result == "MP" || (result.starts_with('P') && order < 30)) return "MissingPunch";
  if (order == 90) return "DidNotFinish";
  if (order == 91) return "OverTime";
  if (order == 92 || order == 93) return "Disqualified";
  if (order == 99) return "DidNotStart";
  return "NotCompeting";
}

}  // namespace quorvex2::detail
