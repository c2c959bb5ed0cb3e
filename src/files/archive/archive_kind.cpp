#include "files/archive/archive_kind.h"

#include <algorithm>
#include <fstream>

#include "core/detail/file_head.h"
#include "quorvex2/core/path.h"

namespace quorvex2::detail::archive {
namespace {

constexpr size_t kLhaMethodAt = 2;
constexpr size_t kLhaMethodSize = 5;
// Gzip header: magic (2), method, flags, time (4), extra flags, system; then the optional fields.
constexpr size_t kGzipFixedHeader = 10;
constexpr unsigned char kGzipExtra = 0x04;
constexpr unsigned char kGzipName = 0x08;

bool StartsWith(std::string_view head, std::string_view magic) {
  return head.substr(0, magic.size()) == magic;
}

// An LHA member header holds its method at bytes 2 to 6: "-lh5-", "-lz4-", "-lhd-", ...
bool IsLhaMethod(std::string_view method) {
  return method.size() == kLhaMethodSize && method[0] == '-' && method[1] == 'l' &&
         method[4] == '-';
}

}  // namespace

ArchiveKind SniffArchive(std::string_view head) {
  if (StartsWith(head, "PK\x03\x04") || StartsWith(head, "PK\x05\x06")) return ArchiveKind::kZip;
  if (StartsWith(head, "\x1f\x8b")) return ArchiveKind::kGzip;
  if (!LhaMethod(head).empty()) return ArchiveKind::kLha;
  return ArchiveKind::kNone;
}

ArchiveKind ArchiveKindOfFile(const std::string& path) {
  return SniffArchive(ReadFileHead(path, 8).value_or(""));
}

const char* ArchiveKindName(ArchiveKind kind) {
  switch (kind) {
    case ArchiveKind::kZip:
      return "zip";
    case ArchiveKind::kGzip:
      return "gzip";
    case ArchiveKind::kLha:
      return "LHA";
    default:
      return "unknown";
  }
}

std::string LhaMethod(std::string_view head) {
  if (head.size() < kLhaMethodAt + kLhaMethodSize) return "";
  const std::string_view method = head.substr(kLhaMethodAt, kLhaMethodSize);
  return IsLhaMethod(method) ? std::string(method) : "";
}

bool IsReadLhaMethod(std::string_view method) {
  constexpr std::string_view kRead[] = {"-lh0-", "-lh5-", "-lh6-", "-lh7-", "-lhd-", "-lz4-"};
  return std::find(std::begin(kRead), std::end(kRead), method) != std::end(kRead);
}

std::optional<uint32_t> GzipTrailerSize(const std::string& path) {
  std::ifstream file(ToFileSystemPath(path), std::ios::binary | std::ios::ate);
  if (!file || file.tellg() < 4) return std::nullopt;
  file.seekg(-4, std::ios::end);
  unsigned char bytes[4] = {};
  if (!file.read(reinterpret_cast<char*>(bytes), 4)) return std::nullopt;
  return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

std::string GzipOriginalName(std::string_view head) {
  if (head.size() < kGzipFixedHeader || !StartsWith(head, "\x1f\x8b")) return "";
  const auto flags = static_cast<unsigned char>(head[3]);
  if ((flags & kGzipName) == 0) return "";
  size_t at = kGzipFixedHeader;
  if (flags & kGzipExtra) {
    if (head.size() < at + 2) return "";
    at +=
        2 + (static_cast<unsigned char>(head[at]) | static_cast<unsigned char>(head[at + 1]) << 8);
  }
  if (at >= head.size()) return "";
  const size_t end = head.find('\0', at);
  return end == std::string_view::npos ? "" : std::string(head.substr(at, end - at));
}

}  // namespace quorvex2::detail::archive
