// `report json` of whatever event a reader accepts, for every class with the optional steps:
// the document is built without an exception escaping, whatever the names hold.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "report_command.h"

namespace {

const qxcli::ReportKind& JsonKind() {
  for (const qxcli::ReportKind& kind : qxcli::RegisteredReportKinds()) {
    if (kind.name == "json") return kind;
  }
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static auto* root = new quorvex2::clsQuorvex2();
  if (!qxfuzz::LoadText(*root, data, size)) return 0;
  for (int32_t i = 1; i <= root->ClassCount(); ++i) {
    qxcli::DataSetOptions options;
    options.classes = {std::to_string(i)};
    options.extra = options.tovarine = true;
    if (JsonKind().write({*root, options}).empty()) std::abort();
  }
  return 0;
}
