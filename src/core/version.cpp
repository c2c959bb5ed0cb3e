#include "quorvex2/core/version.h"

#include <cstdio>

namespace quorvex2 {

std::string VersionText(bool WithTestBuild) {
  char text[64];
  if (WithTestBuild) {
    std::snprintf(text, sizeof text, "%d.%02d ( Build %d )", kVersionMajor, kVersionMinor,
                  kVersionBuild);
  } else {
    std::snprintf(text, sizeof text, "%d.%02d", kVersionMajor, kVersionMinor);
  }
  return text;
}

}  // namespace quorvex2
