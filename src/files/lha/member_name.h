#pragma once
// Member names between the archive (Shift-JIS, as the archivers of the component's home
// platform store them) and the file system (UTF-8).
#include <string>

namespace quorvex2::detail::lha {

// The name to store for a file: its last path part, in Shift-JIS.
std::string StoredMemberName(const std::string& file_path);

// The file name to extract a stored name to: decoded (UTF-8 when it is valid UTF-8, else
// Shift-JIS) and reduced to one safe file name; "" when nothing usable is left.
std::string ExtractedFileName(const std::string& stored_name);

// DOS-style mask match, letter case ignored; "*.*" and "*" match every name.
bool MatchesMask(const std::string& name, const std::string& mask);

}  // namespace quorvex2::detail::lha
