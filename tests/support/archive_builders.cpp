#include "archive_builders.h"

#include <archive.h>
#include <archive_entry.h>

#include <stdexcept>

#include "files/lha/archive_writer.h"

namespace qxtest {
namespace {

la_ssize_t Append(struct archive*, void* out, const void* data, size_t size) {
  static_cast<std::string*>(out)->append(static_cast<const char*>(data), size);
  return static_cast<la_ssize_t>(size);
}

void Check(struct archive* a, int status) {
  if (status < ARCHIVE_WARN) throw std::runtime_error(archive_error_string(a));
}

void WriteMember(struct archive* a, const std::string& name, const std::string& data) {
  archive_entry* entry = archive_entry_new();
  archive_entry_set_pathname(entry, name.c_str());
  archive_entry_set_size(entry, static_cast<la_int64_t>(data.size()));
  archive_entry_set_filetype(entry, AE_IFREG);
  archive_entry_set_perm(entry, 0644);
  Check(a, archive_write_header(a, entry));
  archive_write_data(a, data.data(), data.size());
  archive_entry_free(entry);
}

enum class Kind { kZip, kGzip, kTarGz };

std::string Write(const Members& members, Kind kind) {
  std::string out;
  struct archive* a = archive_write_new();
  if (kind == Kind::kZip) {
    archive_write_set_format_zip(a);
  } else {
    archive_write_add_filter_gzip(a);
    kind == Kind::kGzip ? archive_write_set_format_raw(a) : archive_write_set_format_ustar(a);
  }
  archive_write_set_bytes_in_last_block(a, 1);
  Check(a, archive_write_open(a, &out, nullptr, Append, nullptr));
  for (const auto& [name, data] : members) WriteMember(a, name, data);
  archive_write_close(a);
  archive_write_free(a);
  return out;
}

}  // namespace

std::string MakeZip(const Members& members) {
  return Write(members, Kind::kZip);
}

std::string MakeTarGz(const Members& members) {
  return Write(members, Kind::kTarGz);
}

std::string MakeGzip(const std::string& data, const std::string& original_name) {
  std::string bytes = Write({{"data", data}}, Kind::kGzip);
  if (original_name.empty()) return bytes;
  bytes[3] = static_cast<char>(bytes[3] | 0x08);  // FNAME: a name follows the fixed header
  bytes.insert(10, original_name + '\0');
  return bytes;
}

std::string MakeLzh(const Members& members) {
  std::vector<quorvex2::detail::lha::ArchiveMember> lha;
  for (const auto& [name, data] : members) lha.push_back({name, data, 0});
  return quorvex2::detail::lha::EncodeArchive(lha);
}

}  // namespace qxtest
