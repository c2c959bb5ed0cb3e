#pragma once
// Reading a written PDF back through poppler-utils: its page count and first page size
// (pdfinfo), and the ink on a page rendered at 50 dpi (pdftoppm).
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace qxtest {

inline std::string RunCommand(const std::string& command) {
  std::string output;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return output;
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
  pclose(pipe);
  return output;
}

inline std::string TempPath(const std::string& name) {
  static int counter = 0;
  auto dir = std::filesystem::temp_directory_path() / ("qx-print-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  return (dir / (std::to_string(++counter) + "-" + name)).string();
}

// pdfinfo's view of the file as "pages N, W x H pt" (points to the tenth); "pages 0" when it
// cannot read it.
inline std::string PdfInfo(const std::string& path) {
  std::istringstream lines(RunCommand("pdfinfo '" + path + "' 2>/dev/null"));
  int pages = 0;
  double width = 0, height = 0;
  for (std::string line; std::getline(lines, line);) {
    std::sscanf(line.c_str(), "Pages: %d", &pages);
    std::sscanf(line.c_str(), "Page size: %lf x %lf", &width, &height);
  }
  char text[64];
  std::snprintf(text, sizeof text, "pages %d, %.1f x %.1f pt", pages, width, height);
  return pages ? text : "pages 0";
}

// One page (1-based) of a PDF rendered at 50 dpi; lengths in millimetres on the sheet.
class PdfPage {
 public:
  PdfPage(const std::string& path, int page) {
    const std::string base = TempPath("render"), p = std::to_string(page);
    RunCommand("pdftoppm -r 50 -f " + p + " -l " + p + " -singlefile '" + path + "' '" + base +
               "' 2>/dev/null");
    std::ifstream file(base + ".ppm", std::ios::binary);
    std::string magic;
    int max_value = 0;
    if (!(file >> magic >> width_ >> height_ >> max_value) || magic != "P6") width_ = height_ = 0;
    file.get();
    rgb_.resize(static_cast<size_t>(width_) * height_ * 3);
    file.read(reinterpret_cast<char*>(rgb_.data()), static_cast<std::streamsize>(rgb_.size()));
  }

  bool Rendered() const { return width_ > 0; }
  // Ink (darker than light grey) anywhere in the rectangle.
  bool InkIn(double x1, double y1, double x2, double y2) const {
    for (int y = Pixel(y1); y <= Pixel(y2); ++y) {
      for (int x = Pixel(x1); x <= Pixel(x2); ++x) {
        if (x < 0 || y < 0 || x >= width_ || y >= height_) continue;
        const uint8_t* p = &rgb_[(static_cast<size_t>(y) * width_ + x) * 3];
        if (p[0] + p[1] + p[2] < 3 * 200) return true;
      }
    }
    return false;
  }
  // Ink within a millimetre of the point.
  bool InkAt(double x, double y) const { return InkIn(x - 1, y - 1, x + 1, y + 1); }

 private:
  static int Pixel(double mm) { return static_cast<int>(mm * 50 / 25.4 + 0.5); }

  int width_ = 0, height_ = 0;
  std::vector<uint8_t> rgb_;
};

}  // namespace qxtest
