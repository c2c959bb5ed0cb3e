#pragma once
// Which format a lap file is in, decided from its extension and its content: the first three
// lines of its text (decoded, line ends normalised), then the sniffers of the other formats.
#include <cstdint>
#include <string>

namespace quorvex2::detail {

// A QxLapFileTypeConst; 1 (unknown, with the error comment set) when detection fails.
// file_data, when not empty, is examined instead of the file; its line ends come back
// normalised to CR LF, so that the reader works on the same lines.
int32_t DetectFileType(const std::string& file_name, std::string& file_data);

}  // namespace quorvex2::detail
