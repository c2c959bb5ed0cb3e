#pragma once
// The two archiver commands on the file system.
#include <cstdint>

#include "files/lha/command_line.h"

namespace quorvex2::detail::lha {

// "e": writes the members that match the masks (every member when none is given) into the
// folder (the current folder when none is given).
int32_t ExtractMembers(const ArchiverCommand& command);

// "a": adds the files to the archive, replacing members of the same name and keeping the
// others; creates the archive when it does not exist. A damaged archive is left untouched.
int32_t AddMembers(const ArchiverCommand& command);

}  // namespace quorvex2::detail::lha
