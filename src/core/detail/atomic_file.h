#pragma once
// A file written through a temporary file beside it and renamed into place only when all of it
// was written, so a failed write never destroys the file that was there. Large outputs are
// written piece by piece and never held whole. Devices and pipes (/dev/null, a named pipe) are
// written directly.
#include <signal.h>

#include <string>
#include <string_view>

namespace quorvex2::detail {

// While it lives, a write past the file-size limit (RLIMIT_FSIZE) fails with EFBIG instead of
// raising SIGXFSZ, which would end the process before the temporary file is removed.
class FileSizeSignalBlock {
 public:
  FileSizeSignalBlock();
  ~FileSizeSignalBlock();
  FileSizeSignalBlock(const FileSizeSignalBlock&) = delete;
  FileSizeSignalBlock& operator=(const FileSizeSignalBlock&) = delete;

 private:
  sigset_t signal_{};
  sigset_t previous_{};
  bool already_pending_ = false;
};

// What becomes of what is at the path: a link, a device or a pipe the user names is written
// through; in a work folder anything there is replaced, never followed.
enum class AtPath { kWriteThrough, kReplace };

class AtomicFile {
 public:
  // Opens the temporary file; a failure shows in Commit.
  explicit AtomicFile(const std::string& path, AtPath at_path = AtPath::kWriteThrough);
  // Removes the temporary file unless it was committed.
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  // Appends bytes; a failed write fails the commit.
  void Write(std::string_view bytes);
  // Syncs, closes and renames the temporary file into place; false on any failure.
  bool Commit();

 private:
  FileSizeSignalBlock no_size_signal_;
  std::string target_;
  std::string temp_;
  int fd_ = -1;
  bool failed_ = false;
  bool in_place_ = false;  // a device or a pipe, written directly
};

// While one lives on a thread, files written there are renamed into place without a sync of
// their own: a writer of thousands of files syncs them all at once at the end (SyncFileSystem).
class DeferredSync {
 public:
  DeferredSync();
  ~DeferredSync();
  DeferredSync(const DeferredSync&) = delete;
  DeferredSync& operator=(const DeferredSync&) = delete;

 private:
  bool outer_;
};

// Writes the bytes to the path through an AtomicFile; false on any failure. With AtPath::kReplace
// whatever is there (a link included) is replaced.
bool WriteWholeFile(const std::string& path, std::string_view bytes,
                    AtPath at_path = AtPath::kWriteThrough);

// Syncs the file system that holds the folder: the files written there and their names. False
// when it cannot.
bool SyncFileSystem(const std::string& folder);

}  // namespace quorvex2::detail
