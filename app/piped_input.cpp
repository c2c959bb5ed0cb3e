#include "piped_input.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include <quorvex2/core/text.h>

#include "command_registry.h"
#include "messages.h"

namespace qxcli {
namespace {

bool IsPipe(const std::string& given) {
  struct stat status {};
  if (given == "-") return true;
  return ::stat(given.c_str(), &status) == 0 &&
         (S_ISFIFO(status.st_mode) || S_ISSOCK(status.st_mode));
}

// The most a pipe is read: far beyond any event's file, short of an endless pipe's memory.
constexpr int kMostMiB = 512;
constexpr size_t kMostBytes = size_t{kMostMiB} << 20;

// Copies everything the pipe holds to the memory file; false with errno set when a read or a
// write fails, or with EFBIG when the pipe gives more than the most read.
bool CopyAll(int from, int to) {
  char buffer[1 << 16];
  for (size_t total = 0;;) {
    const ssize_t got = ::read(from, buffer, sizeof buffer);
    if (got == 0) return true;
    if (got < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    total += static_cast<size_t>(got);
    if (total > kMostBytes) {
      errno = EFBIG;
      return false;
    }
    for (ssize_t written = 0; written < got;) {
      const ssize_t put = ::write(to, buffer + written, static_cast<size_t>(got - written));
      if (put < 0 && errno != EINTR) return false;
      if (put > 0) written += put;
    }
  }
}

}  // namespace

PipedInput::PipedInput(std::string given) : given_(std::move(given)), path_(given_) {
  if (!IsPipe(given_)) return;
  const int from = given_ == "-" ? STDIN_FILENO : ::open(given_.c_str(), O_RDONLY | O_CLOEXEC);
  memory_file_ = from < 0 ? -1 : ::memfd_create("quorvex2-input", MFD_CLOEXEC);
  const bool copied = memory_file_ >= 0 && CopyAll(from, memory_file_);
  const int error = errno;
  if (from > STDIN_FILENO) ::close(from);
  if (!copied) {
    const std::string reason =
        error == EFBIG ? text::PipeTooLong(kMostMiB) : text::SystemReason(error);
    throw ExitError(1, text::CannotLoad(given_, reason));
  }
  path_ = "/proc/self/fd/" + std::to_string(memory_file_);
}

PipedInput::~PipedInput() {
  if (memory_file_ >= 0) ::close(memory_file_);
}

std::string PipedInput::AsGiven(const std::string& text) const {
  return memory_file_ < 0 ? text : quorvex2::ReplaceAll(text, path_, given_);
}

}  // namespace qxcli
