#pragma once
// The CUPS side of the printer: the queues that exist and handing a PDF to one of them.
#include <string>
#include <vector>

namespace quorvex2::detail {

// The queue names `lpstat -e` lists; none when lpstat is missing or fails.
std::vector<std::string> CupsQueues();
// Runs `lp -d Queue File`; std::runtime_error when lp cannot be run or fails.
void SendToQueue(const std::string& Queue, const std::string& File);

}  // namespace quorvex2::detail
