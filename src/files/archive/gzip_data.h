#pragma once
// The data of a gzip file read through zlib: its members unpacked one after the other and joined
// (files appended to one another read as their contents in a row), each checked against its own
// trailer, CRC and size, as it ends.
#include <cstdint>
#include <string>

#include "files/archive/member_reader.h"

namespace quorvex2::detail::archive {

// At most limit bytes: kTooLarge as soon as the data would pass them; kSizeDiffers when a
// member's trailer gives another size than its data has; kDamaged otherwise, with error set to
// a description DescribeReadError reads. Zero bytes after the last member are padding.
DataStatus ReadGzipData(const std::string& path, std::string& data, uint64_t limit,
                        std::string& error);

}  // namespace quorvex2::detail::archive
