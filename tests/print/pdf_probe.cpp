#include "pdf_probe.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace qxtest {

namespace {

std::string Run(const std::string& command) {
  std::string output;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return output;
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
  pclose(pipe);
  return output;
}

std::string Quoted(const std::string& path) {
  return "'" + path + "'";
}

}  // namespace

PdfInfo ReadPdfInfo(const std::string& path) {
  PdfInfo info;
  std::istringstream lines(Run("pdfinfo " + Quoted(path) + " 2>/dev/null"));
  std::string line;
  while (std::getline(lines, line)) {
    if (line.rfind("Pages:", 0) == 0) info.pages = std::stoi(line.substr(6));
    if (line.rfind("Page size:", 0) == 0) {
      std::sscanf(line.c_str() + 10, " %lf x %lf", &info.width_pt, &info.height_pt);
    }
  }
  return info;
}

Raster RenderPdfPage(const std::string& path, int page, int dpi) {
  const std::string base = TempPath("render");
  const std::string p = std::to_string(page);
  Run("pdftoppm -r " + std::to_string(dpi) + " -f " + p + " -l " + p + " -singlefile " +
      Quoted(path) + " " + Quoted(base) + " 2>/dev/null");
  std::ifstream file(base + ".ppm", std::ios::binary);
  Raster raster;
  std::string magic;
  int max_value = 0;
  if (!(file >> magic >> raster.width >> raster.height >> max_value) || magic != "P6") return {};
  file.get();
  raster.rgb.resize(static_cast<size_t>(raster.width) * raster.height * 3);
  file.read(reinterpret_cast<char*>(raster.rgb.data()),
            static_cast<std::streamsize>(raster.rgb.size()));
  return raster;
}

bool Raster::Ink(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return false;
  const uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
  return p[0] + p[1] + p[2] < 3 * 200;
}

bool Raster::InkIn(int x1, int y1, int x2, int y2) const {
  for (int y = y1; y <= y2; ++y) {
    for (int x = x1; x <= x2; ++x) {
      if (Ink(x, y)) return true;
    }
  }
  return false;
}

std::string TempPath(const std::string& name) {
  static int counter = 0;
  auto dir = std::filesystem::temp_directory_path() / ("qx-print-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  return (dir / (std::to_string(++counter) + "-" + name)).string();
}

}  // namespace qxtest
