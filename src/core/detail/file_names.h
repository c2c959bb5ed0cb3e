#pragma once
// File names made from texts of lap files and archives (class names, member names): each is
// one plain file inside its folder, whatever the text holds.
#include <set>
#include <string>
#include <string_view>

namespace quorvex2::detail {

// The text as one safe file name: what follows its last "/" or "\" (the part before is a path
// prefix, as MakeSafeFileName drops it), without control characters and the characters file
// systems, links and shells treat specially (: | < > ' " * ? # %), without leading dots and
// trailing dots or blanks, a device name of the Windows file systems (con, nul, com1, ...)
// followed by "_", at most kMaxFileNameBytes bytes. The fallback when nothing is left.
std::string SafeFileName(std::string_view text, std::string_view fallback = "file");

inline constexpr size_t kMaxFileNameBytes = 120;

// Hands out file names that differ from every name taken before, letter case ignored (the
// folder may live on a file system that ignores it): the name itself, else name_2, name_3, ...
class UniqueFileNames {
 public:
  // Marks a name as taken (a file the folder holds anyway).
  void Take(const std::string& name);
  bool IsTaken(const std::string& name) const;
  // The first of name, name_2, name_3, ... for which every file `files_of` gives is free; those
  // files are then taken. A file that is the same whatever the name (a pattern without "*") is
  // shared by every name: no suffix could free it, so it does not count.
  template <class FilesOf>
  std::string Claim(const std::string& name, FilesOf files_of) {
    const auto first = files_of(name);
    const auto other = files_of(name + "_2");
    std::string candidate = name;
    for (int n = 2; AnyOwnTaken(files_of(candidate), first, other); ++n) {
      candidate = name + "_" + std::to_string(n);
    }
    for (const std::string& file : files_of(candidate)) Take(file);
    return candidate;
  }

 private:
  template <class Names>
  bool AnyOwnTaken(const Names& names, const Names& first, const Names& other) const {
    for (size_t i = 0; i < names.size(); ++i) {
      if (first[i] != other[i] && IsTaken(names[i])) return true;
    }
    return false;
  }
  std::set<std::string> taken_;
};

}  // namespace quorvex2::detail
