#include "files/detail/file_error.h"

#include <filesystem>

#include "files/detail/load_messages.h"
#include "quorvex2/core/path.h"

namespace quorvex2::detail {

std::string FileReadErrorDescription(const std::string& path) {
  if (path.empty()) return NoFileNameText();
  std::error_code error;
  const auto status = std::filesystem::status(ToFileSystemPath(path), error);
  if (error || !std::filesystem::exists(status)) return FileMissingText(path);
  if (std::filesystem::is_directory(status)) return DirectoryText(path);
  if (!std::filesystem::is_regular_file(status)) return NotAFileText(path);
  return UnreadableText(path);
}

}  // namespace quorvex2::detail
