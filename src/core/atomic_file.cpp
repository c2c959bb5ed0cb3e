// Writing a file through a temporary file that is renamed into place.
#include "core/detail/atomic_file.h"

#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "quorvex2/core/path.h"

namespace quorvex2::detail {
namespace {

thread_local bool sync_deferred = false;

}  // namespace

FileSizeSignalBlock::FileSizeSignalBlock() {
  sigemptyset(&signal_);
  sigaddset(&signal_, SIGXFSZ);
  sigset_t pending;
  already_pending_ = sigpending(&pending) == 0 && sigismember(&pending, SIGXFSZ) == 1;
  pthread_sigmask(SIG_BLOCK, &signal_, &previous_);
}

// The signal a failed write left pending is taken off, so the write fails like any other.
FileSizeSignalBlock::~FileSizeSignalBlock() {
  const timespec now{};
  if (!already_pending_) {
    while (sigtimedwait(&signal_, nullptr, &now) == SIGXFSZ) {
    }
  }
  pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
}

namespace {

// The file a symbolic link names, followed link by link (a link to a missing file names the file
// to make); the path itself when it is no link; "" for a loop or a broken chain.
std::string LinkTarget(std::string path) {
  constexpr int kMostLinks = 40;
  for (int links = 0; links < kMostLinks; ++links) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return path;
    std::error_code error;
    const std::filesystem::path next = std::filesystem::read_symlink(path, error);
    if (error) return "";
    path = next.is_absolute() ? next.string()
                              : (std::filesystem::path(path).parent_path() / next).string();
  }
  return "";
}

}  // namespace

// A file that is there keeps its permissions; a new one gets the usual ones (mkstemp creates
// it for the owner only). Written through, a symbolic link is followed to the file it names, and
// a device or a pipe is written as it is, never replaced by a file.
AtomicFile::AtomicFile(const std::string& path, AtPath at_path) {
  if (path.empty()) return;
  const bool through = at_path == AtPath::kWriteThrough;
  target_ = ToFileSystemPath(path);
  struct stat existing {};
  // A device or a pipe is opened by the name given (/dev/stdout names the process's own).
  if (through && ::stat(target_.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode) &&
      !S_ISDIR(existing.st_mode)) {
    in_place_ = true;
    fd_ = ::open(target_.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    return;
  }
  if (through) target_ = LinkTarget(target_);
  if (target_.empty()) return;
  const bool replaces = ::stat(target_.c_str(), &existing) == 0;
  // The rename would replace a file its owner keeps from being written; a write in place would
  // be refused, and so is this one.
  if (replaces && ::access(target_.c_str(), W_OK) != 0) return;
  temp_ = target_ + ".XXXXXX";
  fd_ = ::mkstemp(temp_.data());
  if (fd_ < 0) return;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(fd_, replaces ? existing.st_mode & 0777 : 0666 & ~mask);
}

AtomicFile::~AtomicFile() {
  if (fd_ < 0) return;
  ::close(fd_);
  if (!in_place_) std::remove(temp_.c_str());
}

void AtomicFile::Write(std::string_view bytes) {
  while (!failed_ && !bytes.empty()) {
    const ssize_t n = fd_ < 0 ? -1 : ::write(fd_, bytes.data(), bytes.size());
    if (n <= 0) failed_ = true;
    if (n > 0) bytes.remove_prefix(static_cast<size_t>(n));
  }
}

bool AtomicFile::Commit() {
  if (fd_ < 0) return false;
  if (in_place_) {
    const bool closed = ::close(fd_) == 0;
    fd_ = -1;
    return !failed_ && closed;
  }
  const bool written = !failed_ && (sync_deferred || ::fsync(fd_) == 0);
  const bool closed = ::close(fd_) == 0;
  fd_ = -1;
  if (!written || !closed || std::rename(temp_.c_str(), target_.c_str()) != 0) {
    std::remove(temp_.c_str());
    return false;
  }
  return true;
}

DeferredSync::DeferredSync() : outer_(sync_deferred) {
  sync_deferred = true;
}

DeferredSync::~DeferredSync() {
  sync_deferred = outer_;
}

bool WriteWholeFile(const std::string& path, std::string_view bytes, AtPath at_path) {
  AtomicFile file(path, at_path);
  file.Write(bytes);
  return file.Commit();
}

bool SyncFileSystem(const std::string& folder) {
  const int fd = ::open(ToFileSystemPath(folder).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool synced = ::syncfs(fd) == 0;
  return ::close(fd) == 0 && synced;
}

}  // namespace quorvex2::detail
