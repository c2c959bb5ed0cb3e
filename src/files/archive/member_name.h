#pragma once
// Member names as archives store them: UTF-8 (zip's Unicode flag, archivers on Unix) or
// Shift-JIS (archivers of the component's home platform).
#include <string>

namespace quorvex2::detail::archive {

// The stored name in UTF-8: as it is when it is valid UTF-8, else read as Shift-JIS.
std::string DecodeMemberName(const std::string& stored);

// The file to write a member to inside a folder: the decoded name reduced to one safe file
// name (no folder part, never "." or ".."); "" when nothing usable is left.
std::string MemberFileName(const std::string& stored);

}  // namespace quorvex2::detail::archive
