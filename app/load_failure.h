#pragma once
// What the host says when a file does not load: on the first line what failed, on which file
// (as given) and why, in the language of the run; below it the component's error comment.
#include <string>

namespace qxcli {

std::string LoadFailure(const std::string& file, const std::string& error_comment);

}  // namespace qxcli
