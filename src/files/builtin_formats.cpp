// The formats built into the component, one line each.
#include <mutex>

#include "files/detail/archive.h"
#include "files/detail/format_registry.h"
#include "files/detail/native_xml.h"

namespace quorvex2::detail {

void RegisterBuiltinFormats() {
  static std::once_flag once;
  std::call_once(once, [] {
    RegisterReader(2, ReadNativeXml);
    RegisterWriter(2, WriteNativeXml);
    RegisterArchiver(ExtractArchiveFile, MakeArchiveFile);
  });
}

}  // namespace quorvex2::detail
