// The whole web site of whatever event a reader accepts: every page kind, courses and charts,
// written into a folder of its own and nowhere else.
#include <cstddef>
#include <cstdint>
#include <filesystem>

#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static auto* root = new quorvex2::clsQuorvex2();
  if (!qxfuzz::LoadText(*root, data, size)) return 0;
  const std::filesystem::path site = qxfuzz::Folder() / "deep" / "site";
  std::filesystem::remove_all(qxfuzz::Folder() / "deep");
  std::filesystem::create_directories(site);
  root->FileControl()->OutputHtml(site.string() + "/", "index.html", "a_*.html", "r_*.html",
                                  "lap2.lxm", "lap1.lap", false, false, "viewer.html",
                                  "http://example.invalid/x.lxm", true, true, "l_*.html", true,
                                  "c_*.html", true, "0,2,7");
  // Everything went into the site's folder: "deep" holds nothing else.
  if (std::distance(std::filesystem::directory_iterator(qxfuzz::Folder() / "deep"), {}) != 1) {
    std::abort();
  }
  qxfuzz::ExpectNoWorkFolder();
  return 0;
}
