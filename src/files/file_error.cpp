#include "files/detail/file_error.h"

#include <filesystem>

#include "quorvex2/core/path.h"

namespace quorvex2::detail {

std::string FileReadErrorDescription(const std::string& path) {
  if (path.empty()) return "Bad file name";
  std::error_code error;
  const auto status = std::filesystem::status(ToFileSystemPath(path), error);
  if (error || !std::filesystem::exists(status)) return "File not found";
  if (std::filesystem::is_directory(status)) return "Path/File access error";
  return "Permission denied";
}

}  // namespace quorvex2::detail
