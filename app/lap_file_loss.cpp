#include "lap_file_loss.h"

#include <iostream>

#include <quorvex2/core/class_data.h>

#include "messages.h"

namespace qxcli {

void WarnLapFileLoss(const quorvex2::clsQuorvex2& root, const std::string& command,
                     const std::string& file) {
  int32_t runners = 0, classes = 0;
  for (int32_t i = 1; i <= root.ClassCount(); ++i) {
    const auto cls = root.ClassData(i);
    if (cls->ControlCount == 0) ++classes;
    for (int32_t j = 1; j <= cls->LapCount(); ++j) {
      if (cls->ControlCount == 0 || cls->LapData(j)->LegCount() == 0) ++runners;
    }
  }
  const std::string warning = text::LapFileLoss(command, file, runners, classes);
  if (!warning.empty()) std::cerr << warning << "\n";
}

}  // namespace qxcli
