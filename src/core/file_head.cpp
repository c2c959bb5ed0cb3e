#include "core/detail/file_head.h"

#include <fstream>

#include "quorvex2/core/path.h"

namespace quorvex2::detail {

std::optional<std::string> ReadFileHead(const std::string& path, size_t size) {
  if (!IsFileExists(path)) return std::nullopt;  // nor a pipe, whose opening would wait
  std::ifstream file(ToFileSystemPath(path), std::ios::binary);
  if (!file) return std::nullopt;
  std::string head(size, '\0');
  file.read(head.data(), static_cast<std::streamsize>(head.size()));
  if (file.bad()) return std::nullopt;
  head.resize(static_cast<size_t>(file.gcount()));
  return head;
}

}  // namespace quorvex2::detail
