#pragma once
// Reads LHA archives (through libarchive): every regular file member with its data checked
// against the stored length and CRC. Folders, links and members that fail the check are left out.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvex2::detail::lha {

struct DecodedMember {
  std::string name;  // the stored name, bytes as they are in the archive
  std::string data;
  uint32_t timestamp = 0;
};

struct DecodedArchive {
  std::vector<DecodedMember> members;
  bool intact = true;  // false when a member was damaged, truncated or of an unknown method
};

// A member that claims more than this is not unpacked (a lap file is far smaller).
inline constexpr size_t kMaxMemberSize = size_t{256} << 20;

DecodedArchive DecodeArchive(std::string_view bytes);

}  // namespace quorvex2::detail::lha
