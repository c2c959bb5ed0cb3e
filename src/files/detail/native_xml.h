#pragma once
// The component's own XML lap file (".lxm"): element and attribute names, reader and writer.
#include <cstdint>
#include <string>

#include "files/detail/format_registry.h"

namespace quorvex2::detail {

inline constexpr const char* kNativeRootElement = "quorvex";
inline constexpr const char* kNativeDocumentType = "application/x-quorvex2";
inline constexpr const char* kNativeTimeFormat = "hh:nn:ss";
inline constexpr const char* kNativeDateFormat = "yyyy/mm/dd";
inline constexpr const char* kNativeDateTimeFormat = "yyyy/mm/dd hh:nn:ss";

// Adds the document's event to the current root; false with the error comment set on failure
// (what was added before the failure stays).
bool ReadNativeXml(const ReadRequest& request);
// Writes the current root's event; false on failure. Runners go in result order, those
// without a result text after the others.
bool WriteNativeXml(const std::string& file_name, int32_t save_mode);

}  // namespace quorvex2::detail
