#pragma once
// Which format a lap file is in, decided from its extension and its first three lines.
#include <cstdint>
#include <string>

namespace quorvex2::detail {

// A QxLapFileTypeConst; 1 (unknown, with the error comment set) when detection fails.
// file_data, when not empty, is examined instead of the file; the detection may rewrite it
// (CR-only lines become CR LF lines; a file whose lines end in LF alone comes back converted
// to CR LF so that the reader works on the converted text).
int32_t DetectFileType(const std::string& file_name, std::string& file_data);

}  // namespace quorvex2::detail
