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

// The candidate to load: the only one, or the one the host's chooser names. The chooser is asked
// when the archive holds several lap files of the component's own kinds, or several result files
// of other kinds (all of them offered, the likeliest kind first); its empty answer takes the one
// likeliest candidate where there is one, and cancels otherwise. nullopt when nothing is taken.
std::optional<size_t> ChooseLapFile(const std::vector<MemberInfo>& members,
                                    const std::vector<size_t>& candidates);
// The regular member (never a file a Mac adds) whose path or file name is `name`.
std::optional<size_t> NamedMember(const std::vector<MemberInfo>& members, const std::string& name);

}  // namespace quorvex2::detail::archive
