#pragma once
// The description of why a path could not be read, for the third line of an error comment.
#include <string>

namespace quorvex2::detail {

// "File not found", "Path is a folder", "Permission denied", ...
std::string FileReadErrorDescription(const std::string& path);

}  // namespace quorvex2::detail
