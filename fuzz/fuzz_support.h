#pragma once
// What the fuzz targets that touch the file system share: a private folder per process (also
// the temporary folder, so work folders show when they stay), and a lap file loaded from the
// fuzzed bytes.
#include <stdlib.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "quorvex2/core/load_mode.h"
#include "quorvex2/core/root.h"
#include "quorvex2/files/file_control.h"

namespace qxfuzz {

// <temp>/qx-fuzz-XXXXXX, made once; TMPDIR points into it.
inline const std::filesystem::path& Folder() {
  static const std::filesystem::path folder = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "qx-fuzz-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    const std::filesystem::path temp = std::filesystem::path(pattern) / "tmp";
    std::filesystem::create_directories(temp);
    ::setenv("TMPDIR", temp.c_str(), 1);
    return std::filesystem::path(pattern);
  }();
  return folder;
}

// A load that leaves a work folder behind is a fault.
inline void ExpectNoWorkFolder() {
  if (!std::filesystem::is_empty(Folder() / "tmp")) std::abort();
}

// The bytes loaded as a lap file of any type (detected from the text); false when refused.
inline bool LoadText(quorvex2::clsQuorvex2& root, const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  if (text.empty()) return false;  // an empty text would read the file of that name
  return root.FileControl()->LoadLapFile("fuzz.txt", 0, quorvex2::QX_LOADMODE_NORMAL, text);
}

}  // namespace qxfuzz
