#include "files/archive/member_reader.h"

#include <archive_entry.h>
#include <locale.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cwchar>

#include "files/archive/member_name.h"
#include "quorvex2/core/path.h"

namespace quorvex2::detail::archive {
namespace {

constexpr size_t kBlockSize = 64 * 1024;

// The stored bytes of an LHA name: read as ISO-8859-1, every character is one byte.
std::string LatinBytes(const wchar_t* wide) {
  std::string bytes;
  for (; wide != nullptr && *wide != L'\0'; ++wide)
    bytes.push_back(static_cast<char>(*wide & 0xFF));
  return bytes;
}

std::string StoredName(archive_entry* entry, ArchiveKind kind) {
  if (kind == ArchiveKind::kLha) return LatinBytes(archive_entry_pathname_w(entry));
  const char* name = archive_entry_pathname(entry);
  return name ? name : "";
}

}  // namespace

// An LHA archive read with its end mark (one zero byte) after its bytes. libarchive's -lh5-
// decoder reads a byte past a member's data, so the last member of an archive whose writer left
// the mark out would fail; a second mark after the one that is there is never read.
class MemberReader::MarkedLha {
 public:
  explicit MarkedLha(std::string path) : path_(std::move(path)) {}
  explicit MarkedLha(std::string_view bytes) : bytes_(bytes) {}
  ~MarkedLha() { Close(); }

  int Open(struct archive* archive) {
    Close();
    offset_ = 0;
    mark_given_ = false;
    if (path_.empty()) return archive_read_open(archive, this, nullptr, Read, nullptr);
    file_ = std::fopen(path_.c_str(), "rb");
    if (file_ == nullptr) {
      archive_set_error(archive, errno, "Failed to open '%s'", path_.c_str());
      return ARCHIVE_FATAL;
    }
    return archive_read_open(archive, this, nullptr, Read, nullptr);
  }

 private:
  static la_ssize_t Read(struct archive* archive, void* self, const void** buffer) {
    auto& source = *static_cast<MarkedLha*>(self);
    const size_t n = source.file_ ? source.ReadFile(archive) : source.ReadBytes(buffer);
    if (n == static_cast<size_t>(-1)) return ARCHIVE_FATAL;
    if (n > 0) {
      if (source.file_) *buffer = source.block_.data();
      return static_cast<la_ssize_t>(n);
    }
    if (source.mark_given_) return 0;
    source.mark_given_ = true;
    *buffer = &kMark;
    return 1;
  }

  size_t ReadFile(struct archive* archive) {
    block_.resize(kBlockSize);
    const size_t n = std::fread(block_.data(), 1, block_.size(), file_);
    if (n == 0 && std::ferror(file_)) {
      archive_set_error(archive, errno, "Error reading '%s'", path_.c_str());
      return static_cast<size_t>(-1);
    }
    return n;
  }

  size_t ReadBytes(const void** buffer) {
    const size_t n = std::min(kBlockSize, bytes_.size() - offset_);
    *buffer = bytes_.data() + offset_;
    offset_ += n;
    return n;
  }

  void Close() {
    if (file_ != nullptr) std::fclose(file_);
    file_ = nullptr;
  }

  static constexpr char kMark = '\0';
  std::string path_;
  std::string_view bytes_;
  size_t offset_ = 0;
  std::FILE* file_ = nullptr;
  std::string block_;
  bool mark_given_ = false;
};

// libarchive converts names through the thread's locale: under C.UTF-8 every conversion it
// makes is possible, whatever locale the host runs in.
class MemberReader::LocaleScope {
 public:
  LocaleScope() {
    static const locale_t utf8 = newlocale(LC_ALL_MASK, "C.UTF-8", locale_t{});
    if (utf8 != locale_t{}) previous_ = uselocale(utf8);
  }
  ~LocaleScope() {
    if (previous_ != locale_t{}) uselocale(previous_);
  }

 private:
  locale_t previous_{};
};

MemberReader::MemberReader(const std::string& path, ArchiveKind kind) {
  if (kind == ArchiveKind::kLha) {
    lha_ = std::make_unique<MarkedLha>(ToFileSystemPath(path));
  } else {
    open_ = [path = ToFileSystemPath(path)](struct archive* archive) {
      return archive_read_open_filename(archive, path.c_str(), kBlockSize);
    };
  }
  Start(kind);
}

MemberReader::MemberReader(std::string_view bytes, ArchiveKind kind) {
  if (kind == ArchiveKind::kLha) {
    lha_ = std::make_unique<MarkedLha>(bytes);
  } else {
    open_ = [bytes](struct archive* archive) {
      return archive_read_open_memory(archive, bytes.data(), bytes.size());
    };
  }
  Start(kind);
}

void MemberReader::Start(ArchiveKind kind) {
  if (lha_) open_ = [this](struct archive* archive) { return lha_->Open(archive); };
  Prepare(kind);
  Opened(open_(archive_));
}

MemberReader::~MemberReader() {
  if (archive_) archive_read_free(archive_);
}

void MemberReader::Prepare(ArchiveKind kind, bool tar) {
  if (!locale_) locale_ = std::make_unique<LocaleScope>();
  kind_ = kind;
  archive_ = archive_read_new();
  switch (kind) {
    case ArchiveKind::kZip:
      archive_read_support_format_zip(archive_);
      break;
    case ArchiveKind::kGzip:
      archive_read_support_filter_gzip(archive_);
      if (tar) archive_read_support_format_tar(archive_);
      archive_read_support_format_raw(archive_);
      break;
    default:
      archive_read_support_format_lha(archive_);
      // Names keep their bytes; member_name.h decodes them.
      archive_read_set_options(archive_, "hdrcharset=ISO-8859-1");
      break;
  }
}

bool MemberReader::Opened(int status) {
  return status == ARCHIVE_OK || Fail();
}

// libarchive gives no description when a gzip stream simply stops.
bool MemberReader::Fail() {
  const char* text = archive_error_string(archive_);
  const char* unsaid = kind_ == ArchiveKind::kGzip ? "truncated gzip input" : "unreadable archive";
  error_ = text ? text : unsaid;
  return false;
}

bool MemberReader::Next(MemberInfo& member) {
  if (!error_.empty()) return false;
  archive_entry* entry = nullptr;
  int status = archive_read_next_header(archive_, &entry);
  // Data that starts with empty blocks ends a tar archive at once: it is one packed file.
  if (status == ARCHIVE_EOF && kind_ == ArchiveKind::kGzip && !started_ &&
      archive_format(archive_) != ARCHIVE_FORMAT_RAW) {
    archive_read_free(archive_);
    Prepare(kind_, false);
    if (!Opened(open_(archive_))) return false;
    status = archive_read_next_header(archive_, &entry);
  }
  started_ = true;
  if (status == ARCHIVE_EOF) return false;
  if (status != ARCHIVE_OK && status != ARCHIVE_WARN) return Fail();
  // A gzip header too short to be taken as one leaves its bytes to the raw reader.
  if (kind_ == ArchiveKind::kGzip && archive_filter_code(archive_, 0) != ARCHIVE_FILTER_GZIP) {
    error_ = "truncated gzip header";
    return false;
  }
  member.stored_name = StoredName(entry, kind_);
  member.name = DecodeMemberName(member.stored_name);
  member.size.reset();
  if (archive_entry_size_is_set(entry))
    member.size = static_cast<uint64_t>(archive_entry_size(entry));
  member.regular = archive_entry_filetype(entry) == AE_IFREG;
  member.timestamp = static_cast<uint32_t>(archive_entry_mtime(entry));
  member.packed_file = archive_format(archive_) == ARCHIVE_FORMAT_RAW;
  return true;
}

DataStatus MemberReader::ReadData(std::string& data, uint64_t limit) {
  data.clear();
  std::string block(kBlockSize, '\0');
  for (;;) {
    const la_ssize_t n = archive_read_data(archive_, block.data(), block.size());
    if (n == 0) return DataStatus::kComplete;
    if (n < 0) {
      Fail();
      return DataStatus::kDamaged;
    }
    if (data.size() + static_cast<size_t>(n) > limit) return DataStatus::kTooLarge;
    data.append(block, 0, static_cast<size_t>(n));
  }
}

}  // namespace quorvex2::detail::archive
