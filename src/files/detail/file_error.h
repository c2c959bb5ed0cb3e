#pragma once
// The description of why a path could not be read, for the third line of an error comment.
#include <string>

namespace quorvex2::detail {

// "<path> does not exist", "<path> is a directory, not a file", ... (load_messages.h)
std::string FileReadErrorDescription(const std::string& path);

}  // namespace quorvex2::detail
