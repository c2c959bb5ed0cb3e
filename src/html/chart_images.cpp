// Chart images of the web site. This build has no chart renderer attached to the site yet, so
// the site is written without chart images (the chart pages are left out).
#include "html/detail/chart_images.h"

namespace quorvex2::detail {

bool PngOutputAvailable() { return false; }

bool WriteChartImages(clsAnalyzer&, const std::string&, const std::string&, const std::string&,
                      uint64_t) {
  return false;
}

}  // namespace quorvex2::detail
