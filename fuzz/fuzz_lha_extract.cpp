// Unpacks arbitrary bytes as an LHA archive: every member that comes out must carry the length
// and CRC its header promised and a name that stays inside the extraction folder.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "files/lha/archive_reader.h"
#include "files/lha/member_name.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quorvex2::detail::lha;
  const DecodedArchive archive =
      DecodeArchive(std::string_view(reinterpret_cast<const char*>(data), size));
  for (const DecodedMember& member : archive.members) {
    const std::string name = ExtractedFileName(member.name);
    if (name == "." || name == ".." || name.find_first_of("/\\") != std::string::npos) {
      std::abort();
    }
  }
  return 0;
}
