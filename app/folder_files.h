#pragma once
// The files under a folder with their sizes and times, to tell what a job wrote there.
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>

namespace qxcli {

struct FileStamp {
  uintmax_t size = 0;
  std::filesystem::file_time_type time;
};
using FolderFiles = std::map<std::filesystem::path, FileStamp>;

// Every regular file under the folder (subfolders included); empty when it cannot be read.
FolderFiles ListFiles(const std::string& folder);

struct WrittenFiles {
  uintmax_t files = 0;
  uintmax_t bytes = 0;
};

// The files that are new in `after` or changed since `before`, and their bytes.
WrittenFiles Compare(const FolderFiles& before, const FolderFiles& after);

}  // namespace qxcli
