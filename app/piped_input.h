#pragma once
// A lap file given as "-" (standard input) or as a pipe (/dev/stdin, a shell's <(...)) is read
// whole into an anonymous file in memory first: the component opens files by name, and its type
// detection and an archive's unpacking read a file more than once.
#include <string>

namespace qxcli {

class PipedInput {
 public:
  // Throws ExitError(1, ...) when the pipe cannot be read or the memory file not made.
  explicit PipedInput(std::string given);
  ~PipedInput();
  PipedInput(const PipedInput&) = delete;
  PipedInput& operator=(const PipedInput&) = delete;

  // The path the component reads: the memory file's, or the file as given.
  const std::string& Path() const { return path_; }
  // The text with the memory file's path written as the file was given.
  std::string AsGiven(const std::string& text) const;

 private:
  std::string given_;
  std::string path_;
  int memory_file_ = -1;
};

}  // namespace qxcli
