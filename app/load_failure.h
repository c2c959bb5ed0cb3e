#pragma once
// What the host says when a file does not load: on the first line what failed, on which file
// (as given) and why, in the language of the run; below it the component's error comment.
#include <string>
#include <vector>

namespace qxcli {

// What the host saw of a load besides its result.
struct LoadWitness {
  std::vector<std::string> shown;    // the component's messages, in order
  std::vector<std::string> offered;  // the lap files of an archive it asked to choose from
  std::string member;                // the one --member asked for ("" when none)
};

std::string LoadFailure(const std::string& file, const std::string& error_comment,
                        const LoadWitness& witness);

}  // namespace qxcli
