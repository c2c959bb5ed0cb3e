#pragma once
// Archives are told by their first bytes, whatever the file is called.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorvex2::detail::archive {

enum class ArchiveKind { kNone, kZip, kGzip, kLha };

// The kind of archive the bytes start with; kNone for anything else.
ArchiveKind SniffArchive(std::string_view head);

// The kind of the file at path (kNone when it cannot be read).
ArchiveKind ArchiveKindOfFile(const std::string& path);

// "zip", "gzip", "LHA": for messages.
const char* ArchiveKindName(ArchiveKind kind);

// The LHA compression method of the first member ("-lh5-"), "" when the head holds none.
std::string LhaMethod(std::string_view head);
// Whether members of the method ("-lh5-") are read: stored, -lh5- to -lh7-, folders.
bool IsReadLhaMethod(std::string_view method);

// The size a gzip file's trailer gives its data (modulo 2^32); nothing when the file cannot
// be read.
std::optional<uint32_t> GzipTrailerSize(const std::string& path);

// The original file name a gzip header stores, "" when it stores none.
std::string GzipOriginalName(std::string_view head);

}  // namespace quorvex2::detail::archive
