#pragma once
// The first bytes of a file: enough to tell an XML file's declaration and root element.
#include <cstddef>
#include <optional>
#include <string>

namespace quorvex2::detail {

inline constexpr size_t kFileHeadSize = 64 * 1024;

// Up to `size` bytes from the start of the file; nothing when it cannot be read.
std::optional<std::string> ReadFileHead(const std::string& path, size_t size = kFileHeadSize);

}  // namespace quorvex2::detail
