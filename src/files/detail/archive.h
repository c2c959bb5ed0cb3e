#pragma once
// Result files packed in archives: LHA (".lzh", the component's own), zip and gzip.
#include <cstddef>
#include <cstdint>
#include <string>

namespace quorvex2::detail {

// What an archive may hold before it is refused unread: a lap file is far smaller, and an
// archive that claims more is damaged or built to exhaust the machine.
inline constexpr size_t kMaxArchiveMembers = 1000;
inline constexpr uint64_t kMaxLapFileBytes = uint64_t{128} << 20;  // the member that is loaded
inline constexpr uint64_t kMaxArchiveBytes = uint64_t{1} << 30;    // every member together

// True for a file to extract before loading: an ".lzh" name, or the bytes of a zip, gzip or
// LHA archive whatever the name.
bool IsArchiveFile(const std::string& path);

// Extracts the archive's lap file into Folder (a private work folder) and returns its path:
// the only lap file, or the one the host's chooser picks among several. Only that member is
// unpacked. "" with the error comment set when the archive cannot be read, passes a limit
// above, holds no lap file or the choice is cancelled.
std::string ExtractArchiveFile(const std::string& ArchivePath, const std::string& Folder);

// Packs FilePath into the archive ArchivePath. False when the archiver failed.
bool MakeArchiveFile(const std::string& ArchivePath, const std::string& FilePath);

}  // namespace quorvex2::detail
