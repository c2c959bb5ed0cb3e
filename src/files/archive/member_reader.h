#pragma once
// Reads the members of zip, gzip and LHA archives through libarchive, one after the other: each
// member's name (UTF-8), declared size and kind, and its data up to a limit. A gzip file is an
// archive of one member, or of the members of the tar archive it packs.
#include <archive.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "files/archive/archive_kind.h"

namespace quorvex2::detail::archive {

struct MemberInfo {
  std::string name;              // the stored path, decoded to UTF-8
  std::string stored_name;       // the bytes the archive stores
  std::optional<uint64_t> size;  // the size the archive declares, when it declares one
  bool regular = false;          // a regular file: not a folder, link or device
  uint32_t timestamp = 0;        // seconds since 1970
  bool packed_file = false;      // a gzip file's own data, no member of an archive in it
};

// kSizeDiffers: a gzip member's data is not the size its trailer declares.
enum class DataStatus { kComplete, kDamaged, kTooLarge, kSizeDiffers };

class MemberReader {
 public:
  // The archive in a file, or in bytes that outlive the reader.
  MemberReader(const std::string& path, ArchiveKind kind);
  MemberReader(std::string_view bytes, ArchiveKind kind);
  ~MemberReader();
  MemberReader(const MemberReader&) = delete;
  MemberReader& operator=(const MemberReader&) = delete;

  // Moves to the next member; false at the end of the archive or when it cannot be read
  // (Error() then says why).
  bool Next(MemberInfo& member);
  // The current member's data, at most limit bytes: kTooLarge as soon as it would pass them.
  DataStatus ReadData(std::string& data, uint64_t limit);
  // libarchive's description of the last failure; "" when nothing failed.
  const std::string& Error() const { return error_; }

 private:
  class LocaleScope;
  class MarkedLha;
  // Opens the archive through open_ (an LHA archive's through lha_).
  void Start(ArchiveKind kind);
  void Prepare(ArchiveKind kind, bool tar = true);
  bool Opened(int status);
  bool Fail();

  std::unique_ptr<LocaleScope> locale_;
  std::unique_ptr<MarkedLha> lha_;            // an LHA archive's file or bytes
  std::function<int(struct archive*)> open_;  // opens the archive's file or bytes
  struct archive* archive_ = nullptr;
  bool started_ = false;  // a member header was asked for
  ArchiveKind kind_ = ArchiveKind::kNone;
  std::string error_;
};

}  // namespace quorvex2::detail::archive
