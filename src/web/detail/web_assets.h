#pragma once
// The web viewer's scripts and style sheet (src/web/assets), compiled into the library.
#include <string_view>
#include <vector>

namespace quorvex2::detail {

struct WebAsset {
  std::string_view name;  // "viewer.css", "charts.js", ...
  std::string_view bytes;
};

const std::vector<WebAsset>& WebAssets();

}  // namespace quorvex2::detail
