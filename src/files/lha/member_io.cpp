#include "files/lha/member_io.h"
#include "core/detail/atomic_file.h"

#include <sys/stat.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "files/lha/archive_reader.h"
#include "files/lha/archive_writer.h"
#include "files/lha/member_name.h"
#include "files/lha/unlha.h"
#include "platform/clock.h"
#include "quorvex2/core/path.h"

namespace quorvex2::detail::lha {
namespace {

bool MatchesAny(const std::string& name, const std::vector<std::string>& masks) {
  if (masks.empty()) return true;
  return std::any_of(masks.begin(), masks.end(),
                     [&](const std::string& mask) { return MatchesMask(name, mask); });
}

std::string FolderOf(const ArchiverCommand& command) {
  return command.folder.empty() ? std::string(".") : RemovePathSeparator(command.folder);
}

// A file's modification time; SOURCE_DATE_EPOCH, when set, stands for any later one, so that the
// archive of a file written now can be reproduced.
uint32_t ModificationTime(const std::string& path) {
  struct stat info {};
  if (::stat(ToFileSystemPath(path).c_str(), &info) != 0 || info.st_mtime < 0) return 0;
  std::time_t seconds = info.st_mtime;
  if (const auto reproducible = ReproducibleTime()) {
    seconds = std::min(seconds, std::max<std::time_t>(0, *reproducible));
  }
  return static_cast<uint32_t>(seconds);
}

ArchiveMember ToArchiveMember(DecodedMember&& member) {
  return {std::move(member.name), std::move(member.data), member.timestamp};
}

void PutMember(std::vector<ArchiveMember>& members, ArchiveMember&& member) {
  auto same = std::find_if(members.begin(), members.end(),
                           [&](const ArchiveMember& m) { return m.name == member.name; });
  if (same != members.end()) {
    *same = std::move(member);
  } else {
    members.push_back(std::move(member));
  }
}

}  // namespace

int32_t ExtractMembers(const ArchiverCommand& command) {
  const std::optional<std::string> bytes = ReadFileBytes(command.archive);
  if (!bytes) return kUnlhaNoArchive;
  const std::string folder = FolderOf(command);
  if (!IsFolderExists(folder)) return kUnlhaWriteFailed;
  DecodedArchive archive = DecodeArchive(*bytes);
  int32_t status = archive.intact ? kUnlhaSuccess : kUnlhaDamaged;
  for (const DecodedMember& member : archive.members) {
    const std::string name = ExtractedFileName(member.name);
    if (name.empty() || !MatchesAny(name, command.files)) continue;
    if (!WriteWholeFile(folder + "/" + name, member.data, AtPath::kReplace))
      status = kUnlhaWriteFailed;
  }
  return status;
}

int32_t AddMembers(const ArchiverCommand& command) {
  std::vector<ArchiveMember> members;
  if (IsFileExists(command.archive)) {
    const std::optional<std::string> bytes = ReadFileBytes(command.archive);
    if (!bytes) return kUnlhaNoArchive;
    DecodedArchive archive = DecodeArchive(*bytes);
    if (!archive.intact) return kUnlhaDamaged;
    // Anything but an archive (or an empty one) is not overwritten.
    if (archive.members.empty() && bytes->size() > 1) return kUnlhaNoArchive;
    for (DecodedMember& member : archive.members)
      members.push_back(ToArchiveMember(std::move(member)));
  }
  for (const std::string& file : command.files) {
    const std::string path = command.folder.empty() ? file : command.folder + file;
    std::optional<std::string> data = ReadFileBytes(path);
    if (!data) return kUnlhaNoFile;
    PutMember(members, {StoredMemberName(file), std::move(*data), ModificationTime(path)});
  }
  if (command.files.empty()) return kUnlhaNoFile;
  return WriteFileAtomically(command.archive, EncodeArchive(members)) ? kUnlhaSuccess
                                                                      : kUnlhaWriteFailed;
}

}  // namespace quorvex2::detail::lha
