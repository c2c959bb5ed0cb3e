#include "folder_files.h"

#include <system_error>

namespace qxcli {

FolderFiles ListFiles(const std::string& folder) {
  namespace fs = std::filesystem;
  FolderFiles files;
  std::error_code error;
  for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error)) {
    std::error_code ignored;
    if (!it->is_regular_file(ignored)) continue;
    files[it->path()] = {it->file_size(ignored), it->last_write_time(ignored)};
  }
  return files;
}

WrittenFiles Compare(const FolderFiles& before, const FolderFiles& after) {
  WrittenFiles written;
  for (const auto& [path, stamp] : after) {
    const auto old = before.find(path);
    if (old != before.end() && old->second.size == stamp.size && old->second.time == stamp.time)
      continue;
    ++written.files;
    written.bytes += stamp.size;
  }
  return written;
}

}  // namespace qxcli
