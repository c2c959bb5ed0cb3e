// Whole-file reading and writing: the line reader of text lap files and the atomic writer.
#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

#include "quorvex2/core/encoding.h"
#include "quorvex2/core/path.h"
#include "quorvex2/core/text.h"

namespace quorvex2 {
namespace {

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t pos; (pos = text.find("\r\n", start)) != std::string::npos;) {
    lines.push_back(text.substr(start, pos - start));
    start = pos + 2;
  }
  lines.push_back(text.substr(start));
  return lines;
}

bool WriteAll(int fd, const std::string& bytes) {
  size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0) return false;
    written += static_cast<size_t>(n);
  }
  return true;
}

// A write past the file-size limit (RLIMIT_FSIZE) raises SIGXFSZ, which would end the process
// before the temporary file is removed. While the signal is blocked the write fails with EFBIG
// instead; the signal it left pending is taken off, so the save fails like any other.
class FileSizeSignalBlock {
 public:
  FileSizeSignalBlock() {
    sigemptyset(&signal_);
    sigaddset(&signal_, SIGXFSZ);
    sigset_t pending;
    already_pending_ = sigpending(&pending) == 0 && sigismember(&pending, SIGXFSZ) == 1;
    pthread_sigmask(SIG_BLOCK, &signal_, &previous_);
  }
  ~FileSizeSignalBlock() {
    const timespec now{};
    if (!already_pending_) {
      while (sigtimedwait(&signal_, nullptr, &now) == SIGXFSZ) {
      }
    }
    pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
  }
  FileSizeSignalBlock(const FileSizeSignalBlock&) = delete;
  FileSizeSignalBlock& operator=(const FileSizeSignalBlock&) = delete;

 private:
  sigset_t signal_{};
  sigset_t previous_{};
  bool already_pending_ = false;
};

}  // namespace

std::optional<std::string> ReadFileBytes(const std::string& Path) {
  if (!IsFileExists(Path)) return std::nullopt;
  std::ifstream in(ToFileSystemPath(Path), std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return bytes;
}

std::optional<std::vector<std::string>> ReadTextLines(const std::string& Path, bool RemoveQuotes) {
  const auto bytes = ReadFileBytes(Path);
  if (!bytes) return std::nullopt;
  std::string text = DecodeTextFile(*bytes);
  if (RemoveQuotes) std::erase(text, '"');
  return SplitLines(text);
}

bool WriteFileAtomically(const std::string& Path, const std::string& Bytes) {
  if (Path.empty()) return false;
  const std::string target = ToFileSystemPath(Path);
  std::string temp = target + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return false;
  const FileSizeSignalBlock no_size_signal;
  // mkstemp creates the file for the owner only; give it the usual permissions.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(fd, 0666 & ~mask);
  const bool written = WriteAll(fd, Bytes) && ::fsync(fd) == 0;
  const bool closed = ::close(fd) == 0;
  if (!written || !closed || std::rename(temp.c_str(), target.c_str()) != 0) {
    std::remove(temp.c_str());
    return false;
  }
  return true;
}

}  // namespace quorvex2
