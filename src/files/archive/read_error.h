#pragma once
// What a failure of libarchive (or of zlib, which unpacks gzip files) means for the user, in
// plain words.
#include <string>

namespace quorvex2::detail::archive {

// "a member fails its CRC check (ZIP bad CRC: ...)": the meaning of the library's description,
// followed by the description itself.
std::string DescribeReadError(const std::string& library_text);

}  // namespace quorvex2::detail::archive
