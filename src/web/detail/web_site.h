#pragma once
// Writes the web viewer's site: pages, index and assets.
#include <cstdint>
#include <functional>
#include <string>

namespace quorvex2 {
class clsQuorvex2;
}

namespace quorvex2::detail {

// Throws std::runtime_error naming the file that could not be written.
void WriteWebSite(const clsQuorvex2& root, const std::string& folder, const std::string& language,
                  const std::function<void(int32_t)>& progress);

}  // namespace quorvex2::detail
