// Any bytes as a file to load, archive or not: zip, gzip and LHA archives are unpacked within
// their limits, nothing is written outside the private work folder, and no work folder stays.
#include <cstddef>
#include <cstdint>
#include <fstream>

#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static auto* root = new quorvex2::clsQuorvex2();
  for (const char* name : {"fuzz.bin", "fuzz.lzh"}) {
    const std::filesystem::path path = qxfuzz::Folder() / name;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    root->FileControl()->LoadLapFile(path.string());
    qxfuzz::ExpectNoWorkFolder();
  }
  // Only the loaded files and the temporary folder: extraction wrote nothing beside them.
  if (std::distance(std::filesystem::directory_iterator(qxfuzz::Folder()), {}) != 3) std::abort();
  return 0;
}
