#pragma once
// Printed PDF documents read back for the tests: a fresh path to print to, and the pages of a
// written document as pictures.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "support/temp_files.h"

namespace qxtest {

// A new path in this run's temporary folder.
inline std::string NewTempPath(const std::string& name) {
  return MakeTempDir("pdf") + "/" + name;
}

// A written PDF read back through poppler's pdftoppm: every page rendered at 50 dpi, with the
// ink on it found by millimetres.
class PdfPages {
 public:
  explicit PdfPages(const std::string& path) {
    const std::filesystem::path dir = NewTempPath("pages");
    std::filesystem::create_directories(dir);
    const std::string command = "pdftoppm -r 50 '" + path + "' '" + (dir / "p").string() + "'";
    if (std::system((command + " 2>/dev/null").c_str()) != 0) return;
    std::set<std::filesystem::path> files;  // p-1.ppm, p-2.ppm, ... in page order
    for (const auto& file : std::filesystem::directory_iterator(dir)) files.insert(file.path());
    for (const auto& file : files) pages_.push_back(Read(file));
  }

  // "N pages of W x H px" (A4 is 414 x 585 px at 50 dpi).
  std::string Summary() const {
    if (pages_.empty()) return "no pages";
    return std::to_string(pages_.size()) + " pages of " + std::to_string(pages_[0].width) + " x " +
           std::to_string(pages_[0].height) + " px";
  }

  // Ink (darker than light grey) anywhere in the rectangle of the page (1-based).
  bool InkIn(size_t page, double x1, double y1, double x2, double y2) const {
    if (page < 1 || page > pages_.size()) return false;
    const Page& p = pages_[page - 1];
    for (int y = std::max(Pixel(y1), 0); y <= std::min(Pixel(y2), p.height - 1); ++y) {
      for (int x = std::max(Pixel(x1), 0); x <= std::min(Pixel(x2), p.width - 1); ++x) {
        const uint8_t* rgb = &p.rgb[(static_cast<size_t>(y) * p.width + x) * 3];
        if (rgb[0] + rgb[1] + rgb[2] < 3 * 200) return true;
      }
    }
    return false;
  }
  // Ink within a millimetre of the point.
  bool InkAt(size_t page, double x, double y) const {
    return InkIn(page, x - 1, y - 1, x + 1, y + 1);
  }

 private:
  struct Page {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;
  };

  static int Pixel(double mm) { return static_cast<int>(mm * 50 / 25.4 + 0.5); }

  static Page Read(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    Page page;
    std::string magic;
    int max_value = 0;
    if (!(in >> magic >> page.width >> page.height >> max_value) || magic != "P6") return {};
    in.get();
    page.rgb.resize(static_cast<size_t>(page.width) * page.height * 3);
    in.read(reinterpret_cast<char*>(page.rgb.data()),
            static_cast<std::streamsize>(page.rgb.size()));
    return page;
  }

  std::vector<Page> pages_;
};

}  // namespace qxtest
