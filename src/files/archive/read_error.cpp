#include "files/archive/read_error.h"

#include <string_view>

#include "core/detail/catalogue.h"

namespace quorvex2::detail::archive {
namespace {

struct Reading {
  std::string_view says;  // a piece of the library's description
  const char* means;      // marked for translation
};

constexpr const char* kHeaderChecksum =
    TrNoop("メンバーのヘッダーのチェックサムが合いません: 書庫が壊れています");
constexpr const char* kDataCrc = TrNoop("メンバーの CRC が合いません: 書庫が壊れています");
constexpr const char* kTruncated = TrNoop("書庫が途中で切れています");
constexpr const char* kEncrypted = TrNoop("メンバーが暗号化されています");
constexpr const char* kUnknownMethod = TrNoop("メンバーの圧縮方式は展開できません");

// First match wins: a header's CRC is its checksum, any other CRC is the data's.
constexpr Reading kReadings[] = {
    {"header CRC", kHeaderChecksum},
    {"checksum", kHeaderChecksum},
    {"CRC", kDataCrc},
    {"incorrect data check", kDataCrc},  // zlib's word for a gzip member's CRC
    {"runcated", kTruncated},
    {"Premature end", kTruncated},
    {"ncrypt", kEncrypted},
    {"assword", kEncrypted},
    {"compression method", kUnknownMethod},
    {"nsupported", kUnknownMethod},
    {"Unrecognized archive format", TrNoop("知っている種類の書庫ではありません")},
};

}  // namespace

std::string DescribeReadError(const std::string& library_text) {
  const char* meaning = TrNoop("書庫が壊れています");
  for (const Reading& reading : kReadings) {
    if (library_text.find(reading.says) != std::string::npos) {
      meaning = reading.means;
      break;
    }
  }
  return Tr(meaning) + " (" + library_text + ")";
}

}  // namespace quorvex2::detail::archive
