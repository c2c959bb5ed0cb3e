#pragma once
// Which member of an archive is the lap file to load.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "files/archive/member_reader.h"

namespace quorvex2::detail::archive {

// The positions of the members that may be the lap file (never the files a Mac adds to the
// archives it makes): regular files with the component's own extensions (".lxm", ".lap") when
// there are any, else those with the extensions of the result texts other programs write
// (".xml", ".csv", ".txt", ".htm", ".html", ".tsv", none).
std::vector<size_t> LapFileCandidates(const std::vector<MemberInfo>& members);

// The candidate to load: the only one, or the one the host's chooser names among several;
// nullopt when there is no chooser or it cancels.
std::optional<size_t> ChooseLapFile(const std::vector<MemberInfo>& members,
                                    const std::vector<size_t>& candidates);

}  // namespace quorvex2::detail::archive
