#pragma once
// Why the system refuses a new file at a path, in its own words.
#include <string>

namespace qxcli {

// The reason no file can be written at the path: the file there is read-only, or its folder is
// missing, refuses a new file or has no room left; "" when a file could be made there.
std::string WriteRefusal(const std::string& path);

}  // namespace qxcli
