#include "write_refusal.h"

#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "messages.h"

namespace qxcli {

std::string WriteRefusal(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code error;
  if (fs::is_directory(path, error)) return text::IsAFolder();
  if (::access(path.c_str(), F_OK) == 0 && ::access(path.c_str(), W_OK) != 0) {
    return text::SystemReason(errno);
  }
  fs::path folder = fs::path(path).parent_path();
  if (folder.empty()) folder = ".";
  std::string probe = (folder / ".quorvex2-XXXXXX").string();
  const int fd = ::mkstemp(probe.data());
  if (fd < 0) return text::SystemReason(errno);
  ::close(fd);
  ::unlink(probe.c_str());
  const fs::space_info space = fs::space(folder, error);
  if (!error && space.available == 0) return text::SystemReason(ENOSPC);
  return "";
}

}  // namespace qxcli
