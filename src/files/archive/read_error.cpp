#include "files/archive/read_error.h"

#include <string_view>

namespace quorvex2::detail::archive {
namespace {

struct Reading {
  std::string_view says;  // a piece of libarchive's description
  std::string_view means;
};

// First match wins: a header's CRC is its checksum, any other CRC is the data's.
constexpr Reading kReadings[] = {
    {"header CRC", "a member header fails its checksum: the archive is damaged"},
    {"checksum", "a member header fails its checksum: the archive is damaged"},
    {"CRC", "a member fails its CRC check: the archive is damaged"},
    {"runcated", "the archive is truncated"},
    {"Premature end", "the archive is truncated"},
    {"ncrypt", "the member is encrypted"},
    {"assword", "the member is encrypted"},
    {"compression method", "the member uses a compression method that cannot be unpacked"},
    {"nsupported", "the member uses a compression method that cannot be unpacked"},
    {"Unrecognized archive format", "it is not an archive of a known kind"},
};

}  // namespace

std::string DescribeReadError(const std::string& library_text) {
  std::string_view meaning = "the archive is damaged";
  for (const Reading& reading : kReadings) {
    if (library_text.find(reading.says) != std::string::npos) {
      meaning = reading.means;
      break;
    }
  }
  return std::string(meaning) + " (" + library_text + ")";
}

}  // namespace quorvex2::detail::archive
