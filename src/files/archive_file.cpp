// Lap files in archives: the one lap file of a zip, gzip or LHA archive extracted into a private
// work folder (with the host's chooser when the archive holds several), and packing a written
// lap file into an LHA archive through the archiver's command line.
#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "core/detail/atomic_file.h"
#include "core/detail/component_state.h"
#include "core/detail/file_head.h"
#include "core/detail/fill_in.h"
#include "files/archive/archive_kind.h"
#include "files/archive/gzip_data.h"
#include "files/archive/member_choice.h"
#include "files/archive/member_name.h"
#include "files/archive/member_reader.h"
#include "files/archive/read_error.h"
#include "files/detail/archive.h"
#include "files/detail/file_error.h"
#include "files/detail/load_error.h"
#include "files/detail/load_messages.h"
#include "files/lha/unlha.h"
#include "quorvex2/core/path.h"
#include "quorvex2/core/root.h"
#include "quorvex2/core/text.h"

namespace quorvex2::detail {
namespace {

using archive::ArchiveKind;
using archive::MemberInfo;

// An archive that gives no lap file leaves the load with no path, whose type detection fails;
// the error comment says so, and why nothing came out of the archive.
constexpr const char* kLocation = "clsFileControl.DetectFileType";
// An archive without the member the host named fails where a host can tell it from the others.
constexpr const char* kMemberLocation = "clsFileControl.ArchiveMember";

// Rounded up, so a size past a limit never prints as the limit itself.
std::string MiB(uint64_t bytes) {
  constexpr uint64_t kMiB = uint64_t{1} << 20;
  return std::to_string(bytes / kMiB + (bytes % kMiB != 0)) + " MiB";
}

// An archive being extracted: its path as given, kind and head; every failure names it.
struct Job {
  std::string path;
  ArchiveKind kind = ArchiveKind::kNone;
  std::string head;

  std::string Fail(const std::string& what, const char* location = kLocation) const {
    FailLoad(kDetectionError, location, path + ": " + what);
    return "";
  }
};

// A gzip file declares the size of its (last member's) data in its trailer: the data holds at least
// as much, so a size past the limit is refused before anything is unpacked.
bool DeclareGzipSize(const Job& job, std::vector<MemberInfo>& members) {
  if (members.size() == 1 && members[0].packed_file) {
    members[0].size = archive::GzipTrailerSize(job.path);
  }
  return true;
}

// The members in archive order; false (error comment set) when the archive cannot be read or
// holds more members than the limit.
bool ListMembers(const Job& job, std::vector<MemberInfo>& members) {
  archive::MemberReader reader(job.path, job.kind);
  for (MemberInfo member; reader.Next(member);) {
    if (members.size() == kMaxArchiveMembers) {
      job.Fail(FillIn(Tr("メンバーがラップファイルの書庫の上限 {limit} 個を超えています"),
                      {{"limit", std::to_string(kMaxArchiveMembers)}}));
      return false;
    }
    members.push_back(member);
  }
  if (reader.Error().empty()) return DeclareGzipSize(job, members);
  if (job.kind == ArchiveKind::kLha && members.empty() &&
      reader.Error().find("Unrecognized") != std::string::npos) {
    // The first header was not read: of a method that is read, it is cut short or damaged.
    const std::string method = archive::LhaMethod(job.head);
    job.Fail(archive::IsReadLhaMethod(method)
                 ? Tr("書庫が壊れているか途中で切れています: 最初のメンバーのヘッダーを読めません")
                 : FillIn(Tr("圧縮方式 {method} を知りません"), {{"method", method}}));
  } else {
    job.Fail(archive::DescribeReadError(reader.Error()));
  }
  return false;
}

bool WithinDeclaredLimits(const Job& job, const std::vector<MemberInfo>& members) {
  uint64_t total = 0;
  for (const MemberInfo& member : members) {
    total += std::min(member.size.value_or(0), kMaxArchiveBytes + 1);  // never wraps round
  }
  if (total <= kMaxArchiveBytes) return true;
  job.Fail(FillIn(Tr("メンバーの大きさが合わせて {size} あり、上限の {limit} を超えています"),
                  {{"size", MiB(total)}, {"limit", MiB(kMaxArchiveBytes)}}));
  return false;
}

std::string MemberNames(const std::vector<MemberInfo>& members, const std::vector<size_t>& which) {
  std::string names;
  for (size_t i : which) names += (names.empty() ? "" : ", ") + members[i].name;
  return names;
}

std::vector<size_t> AllPositions(size_t count) {
  std::vector<size_t> all(count);
  for (size_t i = 0; i < count; ++i) all[i] = i;
  return all;
}

// The member the host named, failing when there is none of that name.
std::optional<size_t> NamedMember(const Job& job, const std::vector<MemberInfo>& members,
                                  const std::string& name) {
  const std::optional<size_t> named = archive::NamedMember(members, name);
  if (!named) {
    job.Fail(
        FillIn(Tr("メンバー {member} はありません (あるのは {names})"),
               {{"member", name}, {"names", MemberNames(members, AllPositions(members.size()))}}),
        kMemberLocation);
  }
  return named;
}

std::optional<size_t> ChooseMember(const Job& job, const std::vector<MemberInfo>& members) {
  if (members.size() == 1 && members[0].packed_file) return 0;
  if (const clsQuorvex2* root = CurrentRoot(); root && !root->ArchiveMember.empty()) {
    return NamedMember(job, members, root->ArchiveMember);
  }
  const std::vector<size_t> candidates = archive::LapFileCandidates(members);
  if (candidates.empty()) {
    job.Fail(
        FillIn(NTr("{count} 個のメンバー ({names}) にラップファイルがありません",
                   "{count} 個のメンバー ({names}) にラップファイルがありません", members.size()),
               {{"count", std::to_string(members.size())},
                {"names", MemberNames(members, AllPositions(members.size()))}}));
    return std::nullopt;
  }
  const std::optional<size_t> chosen = archive::ChooseLapFile(members, candidates);
  if (!chosen) {
    job.Fail(FillIn(Tr("ラップファイルが {count} 個 ({names}) あり、どれも選ばれませんでした"),
                    {{"count", std::to_string(candidates.size())},
                     {"names", MemberNames(members, candidates)}}));
  }
  return chosen;
}

// The data of the member at position in an archive read through libarchive.
archive::DataStatus ReadArchived(const Job& job, size_t position, std::string& data,
                                 std::string& error) {
  archive::MemberReader reader(job.path, job.kind);
  MemberInfo skipped;
  for (size_t i = 0; i <= position; ++i) {
    if (!reader.Next(skipped)) {
      error = reader.Error();
      return archive::DataStatus::kDamaged;
    }
  }
  const archive::DataStatus status = reader.ReadData(data, kMaxLapFileBytes);
  error = reader.Error();
  return status;
}

// The member's data, unpacked up to the limit whatever its header declared; a gzip file's own
// data member after member, each checked against its trailer.
std::optional<std::string> ReadMember(const Job& job, const MemberInfo& member, size_t position) {
  if (member.size.value_or(0) > kMaxLapFileBytes) {
    job.Fail(FillIn(
        Tr("{member} の大きさは {size} で、ラップファイルの上限 {limit} を超えています"),
        {{"member", member.name}, {"size", MiB(*member.size)}, {"limit", MiB(kMaxLapFileBytes)}}));
    return std::nullopt;
  }
  std::string data, error;
  const archive::DataStatus status =
      member.packed_file ? archive::ReadGzipData(job.path, data, kMaxLapFileBytes, error)
                         : ReadArchived(job, position, data, error);
  switch (status) {
    case archive::DataStatus::kComplete:
      return data;
    case archive::DataStatus::kSizeDiffers:
      job.Fail(Tr("書庫が途中で切れています (末尾にある大きさと違います)"));
      return std::nullopt;
    case archive::DataStatus::kTooLarge:
      job.Fail(FillIn(Tr("{member} を展開するとラップファイルの上限 {limit} を超えます"),
                      {{"member", member.name}, {"limit", MiB(kMaxLapFileBytes)}}));
      return std::nullopt;
    default:
      job.Fail(member.name + ": " + archive::DescribeReadError(error));
      return std::nullopt;
  }
}

// A gzip file holds one file: the name its header keeps, else its own name without ".gz".
std::string GzipMemberName(const Job& job) {
  const std::string kept = archive::MemberFileName(archive::GzipOriginalName(job.head));
  if (!kept.empty()) return kept;
  const std::string own = GetFileName(job.path);
  return GetExtension(own) == "gz" ? RemoveExtension(own) : own;
}

std::string FileNameInFolder(const Job& job, const MemberInfo& member) {
  const std::string name =
      member.packed_file ? GzipMemberName(job) : archive::MemberFileName(member.name);
  return name.empty() ? "member" : name;
}

}  // namespace

bool IsArchiveFile(const std::string& path) {
  return GetExtension(path) == "lzh" || archive::ArchiveKindOfFile(path) != ArchiveKind::kNone;
}

std::string ExtractArchiveFile(const std::string& ArchivePath, const std::string& Folder) {
  Job job{ArchivePath, ArchiveKind::kNone, ""};
  const std::optional<std::string> head = ReadFileHead(ArchivePath);
  if (!head) return job.Fail(FileReadErrorDescription(ArchivePath));
  job.head = *head;
  job.kind = archive::SniffArchive(job.head);
  if (job.kind == ArchiveKind::kNone)
    return job.Fail(Tr("LHA、zip、gzip のどの書庫でもありません"));
  std::vector<MemberInfo> members;
  if (!ListMembers(job, members) || !WithinDeclaredLimits(job, members)) return "";
  const std::optional<size_t> chosen = ChooseMember(job, members);
  if (!chosen) return "";
  const std::optional<std::string> data = ReadMember(job, members[*chosen], *chosen);
  if (!data) return "";
  const std::string path = Folder + "/" + FileNameInFolder(job, members[*chosen]);
  if (!WriteWholeFile(path, *data, AtPath::kReplace))
    return job.Fail(Tr("作業フォルダーに書き込めません"));
  return path;
}

bool MakeArchiveFile(const std::string& ArchivePath, const std::string& FilePath) {
  if (lha::UnlhaGetVersion() == 0) return false;
  // The member goes unquoted, as the archivers expect; a path with blanks needs the quotes.
  const std::string member =
      FilePath.find(' ') == std::string::npos ? FilePath : AddQuote(FilePath);
  const std::string command_line = "a " + AddQuote(ArchivePath) + " " + member;
  return lha::Unlha(nullptr, command_line.c_str(), nullptr, 0) == lha::kUnlhaSuccess;
}

}  // namespace quorvex2::detail
