#include "files/lha/archive_reader.h"

#include "files/archive/member_reader.h"

namespace quorvex2::detail::lha {

DecodedArchive DecodeArchive(std::string_view bytes) {
  DecodedArchive result;
  archive::MemberReader reader(bytes, archive::ArchiveKind::kLha);
  archive::MemberInfo info;
  while (reader.Next(info)) {
    if (!info.regular) continue;
    DecodedMember member{info.stored_name, {}, info.timestamp};
    if (reader.ReadData(member.data, kMaxMemberSize) == archive::DataStatus::kComplete) {
      result.members.push_back(std::move(member));
    } else {
      result.intact = false;
    }
  }
  if (!reader.Error().empty()) result.intact = false;
  return result;
}

}  // namespace quorvex2::detail::lha
