#pragma once
// LHA archives around lap files.
#include <string>

namespace quorvex2::detail {

// Extracts the lap files of the archive into the work folder (temporary folder / "Quorvex2",
// old lap files there cleared first) and returns the path of the one to load: the only one, or
// the one the host's chooser picks among several. "" when nothing was extracted or the choice
// was cancelled.
std::string ExtractArchiveFile(const std::string& ArchivePath);

// Packs FilePath into the archive ArchivePath. False when the archiver failed.
bool MakeArchiveFile(const std::string& ArchivePath, const std::string& FilePath);

}  // namespace quorvex2::detail
