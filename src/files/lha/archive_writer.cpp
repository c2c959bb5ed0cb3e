#include "files/lha/archive_writer.h"

#include "files/lha/crc16.h"
#include "files/lha/lh5_encoder.h"

namespace quorvex2::detail::lha {
namespace {

constexpr uint8_t kLevel2 = 2;
constexpr uint8_t kOsMsDos = 'M';
constexpr uint8_t kAttributeArchive = 0x20;
constexpr uint8_t kExtCommon = 0x00;  // holds the CRC-16 of the whole header
constexpr uint8_t kExtFileName = 0x01;
constexpr uint8_t kExtUnixMode = 0x50;  // so that archivers on Unix extract a readable file
constexpr uint16_t kRegularFileMode = 0100644;

void PutLe(std::string& out, uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// An extended header: type, data, then the size of the next one (written by the caller).
void PutExtension(std::string& out, uint8_t type, const std::string& data) {
  out.push_back(static_cast<char>(type));
  out += data;
}

}  // namespace

std::string MemberHeader(const ArchiveMember& member, const char* method, size_t packed_size) {
  std::string h;
  PutLe(h, 0, 2);  // total header size, filled in below
  h += method;
  PutLe(h, packed_size, 4);
  PutLe(h, member.data.size(), 4);
  PutLe(h, member.timestamp, 4);
  h.push_back(static_cast<char>(kAttributeArchive));
  h.push_back(static_cast<char>(kLevel2));
  PutLe(h, Crc16(member.data), 2);
  h.push_back(static_cast<char>(kOsMsDos));
  // Each size counts the extension's type byte, its data and the following size field.
  const size_t crc_at = h.size() + 3;
  PutLe(h, 1 + 2 + 2, 2);
  PutExtension(h, kExtCommon, std::string(2, '\0'));
  PutLe(h, 1 + member.name.size() + 2, 2);
  PutExtension(h, kExtFileName, member.name);
  PutLe(h, 1 + 2 + 2, 2);
  std::string mode;
  PutLe(mode, kRegularFileMode, 2);
  PutExtension(h, kExtUnixMode, mode);
  PutLe(h, 0, 2);
  // A header size with a zero low byte would read as the end of the archive: pad it.
  if ((h.size() & 0xFF) == 0) h.push_back('\0');
  h[0] = static_cast<char>(h.size() & 0xFF);
  h[1] = static_cast<char>((h.size() >> 8) & 0xFF);
  const uint16_t crc = Crc16(h);
  h[crc_at] = static_cast<char>(crc & 0xFF);
  h[crc_at + 1] = static_cast<char>(crc >> 8);
  return h;
}

std::string EncodeMember(const ArchiveMember& member) {
  std::string packed = EncodeLh5(member.data);
  if (packed.size() >= member.data.size()) {
    return MemberHeader(member, "-lh0-", member.data.size()) + member.data;
  }
  return MemberHeader(member, "-lh5-", packed.size()) + packed;
}

std::string EncodeArchive(const std::vector<ArchiveMember>& members) {
  std::string archive;
  for (const ArchiveMember& member : members) archive += EncodeMember(member);
  archive.push_back('\0');
  return archive;
}

}  // namespace quorvex2::detail::lha
