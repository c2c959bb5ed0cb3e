#pragma once
// Builds LHA archives: one level-2 header per member, data compressed with -lh5- (stored as
// -lh0- when compression does not make it smaller, as LHA archivers do), a zero byte at the end.
#include <cstdint>
#include <string>
#include <vector>

namespace quorvex2::detail::lha {

struct ArchiveMember {
  std::string name;  // stored as given (the archive's own encoding), no folder part
  std::string data;
  uint32_t timestamp = 0;  // seconds since 1970
};

// The level-2 header of a member whose data is packed_size bytes packed with the method.
std::string MemberHeader(const ArchiveMember& member, const char* method, size_t packed_size);

// The member's header and compressed data.
std::string EncodeMember(const ArchiveMember& member);

// The whole archive.
std::string EncodeArchive(const std::vector<ArchiveMember>& members);

}  // namespace quorvex2::detail::lha
