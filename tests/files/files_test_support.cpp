#include "files_test_support.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace qxtest {

std::string TempPath(const std::string& name) {
  static const std::filesystem::path folder = [] {
    auto path =
        std::filesystem::path(::testing::TempDir()) / ("qx_files_" + std::to_string(::getpid()));
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
    return path;
  }();
  return (folder / name).string();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::string IofTestFile(const std::string& name) {
  return std::string(QX_TEST_DATA) + "/iof/" + name;
}

std::string RunCommand(const std::string& command) {
  std::string output;
  std::array<char, 4096> buffer{};
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return "popen failed";
  while (size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe)) {
    output.append(buffer.data(), n);
  }
  ::pclose(pipe);
  return output;
}

std::string NativeDocument(const std::string& body) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><quorvex version=\"2.19\" "
         "filedate=\"2026/01/02 03:04:05\" type=\"application/x-quorvex2\">" +
         body + "</quorvex>";
}

}  // namespace qxtest
