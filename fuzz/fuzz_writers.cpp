// Whatever a reader accepts, every writer saves (native, version 1, IOF 2.0.3 and 3.0, native
// packed in an LHA archive), each saved file loads without harm, and the native ones load.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "quorvex2/files/file_types.h"

namespace {

struct Save {
  const char* name;
  int32_t type;
  bool must_load_back;  // the native writer keeps everything its reader needs
};

constexpr Save kSaves[] = {{"out.lxm", quorvex2::QX_FILETYPE_QUORVEX2, true},
                           {"out.lap", quorvex2::QX_FILETYPE_QUORVEX1, false},
                           {"out20.xml", quorvex2::QX_FILETYPE_IOF_XML_20_RESULT, false},
                           {"out30.xml", quorvex2::QX_FILETYPE_IOF_XML_30_RESULT, false},
                           {"out.lzh", quorvex2::QX_FILETYPE_QUORVEX2, true}};

std::string Path(const Save& save) {
  return (qxfuzz::Folder() / save.name).string();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  quorvex2::clsQuorvex2 root;  // the current root while it saves
  if (!qxfuzz::LoadText(root, data, size) || root.ClassCount() == 0) return 0;
  for (const Save& save : kSaves) {
    if (!root.FileControl()->SaveLapFile(Path(save), save.type)) std::abort();
  }
  quorvex2::clsQuorvex2 reloaded;
  for (const Save& save : kSaves) {
    if (!reloaded.FileControl()->LoadLapFile(Path(save)) && save.must_load_back) std::abort();
    qxfuzz::ExpectNoWorkFolder();
  }
  return 0;
}
