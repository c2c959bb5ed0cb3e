#include "files/lha/archive_reader.h"

#include <lhasa.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "files/lha/crc16.h"

namespace quorvex2::detail::lha {
namespace {

// liblhasa reads through callbacks; this one serves a buffer in memory.
struct MemoryStream {
  std::string_view bytes;
  size_t pos = 0;
};

int ReadMemory(void* handle, void* buf, size_t len) {
  auto* stream = static_cast<MemoryStream*>(handle);
  size_t n = std::min(len, stream->bytes.size() - stream->pos);
  if (n > 0) std::memcpy(buf, stream->bytes.data() + stream->pos, n);
  stream->pos += n;
  return static_cast<int>(n);
}

int SkipMemory(void* handle, size_t count) {
  auto* stream = static_cast<MemoryStream*>(handle);
  if (count > stream->bytes.size() - stream->pos) return 0;
  stream->pos += count;
  return 1;
}

void CloseMemory(void*) {}

const LHAInputStreamType kMemoryStreamType = {ReadMemory, SkipMemory, CloseMemory};

struct StreamDeleter {
  void operator()(LHAInputStream* s) const { lha_input_stream_free(s); }
};
struct ReaderDeleter {
  void operator()(LHAReader* r) const { lha_reader_free(r); }
};

bool IsRegularFile(const LHAFileHeader& header) {
  return header.filename != nullptr && header.symlink_target == nullptr &&
         std::strcmp(header.compress_method, LHA_COMPRESS_TYPE_DIR) != 0;
}

// The member's data, or false when it does not unpack to the stored length and CRC.
bool ReadMemberData(LHAReader* reader, const LHAFileHeader& header, std::string& data) {
  if (header.length > kMaxMemberSize) return false;
  // Grow as the data comes rather than trusting the stored length up front.
  char chunk[65536];
  while (data.size() <= header.length) {
    size_t n = lha_reader_read(reader, chunk, sizeof chunk);
    if (n == 0) break;
    data.append(chunk, n);
  }
  return data.size() == header.length && Crc16(data) == header.crc;
}

}  // namespace

DecodedArchive DecodeArchive(std::string_view bytes) {
  DecodedArchive result;
  MemoryStream memory{bytes};
  std::unique_ptr<LHAInputStream, StreamDeleter> stream(
      lha_input_stream_new(&kMemoryStreamType, &memory));
  if (!stream) return {{}, false};
  std::unique_ptr<LHAReader, ReaderDeleter> reader(lha_reader_new(stream.get()));
  if (!reader) return {{}, false};
  lha_reader_set_dir_policy(reader.get(), LHA_READER_DIR_PLAIN);
  while (LHAFileHeader* header = lha_reader_next_file(reader.get())) {
    if (!IsRegularFile(*header)) continue;
    DecodedMember member{header->filename, {}, header->timestamp};
    if (ReadMemberData(reader.get(), *header, member.data)) {
      result.members.push_back(std::move(member));
    } else {
      result.intact = false;
    }
  }
  return result;
}

}  // namespace quorvex2::detail::lha
