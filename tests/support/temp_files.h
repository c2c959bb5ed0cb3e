#pragma once
// Folders and files of the tests under the temporary directory.
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

namespace qxtest {

// A fresh, empty folder under the temporary directory, its own in the run.
inline std::string MakeTempDir(const std::string& name) {
  static std::atomic<int> counter = 0;
  auto dir = std::filesystem::temp_directory_path() /
             ("qx-test-" + std::to_string(getpid()) + "-" + std::to_string(++counter) + "-" + name);
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir.string();
}

inline std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// The names of the files and folders in the folder (not below it).
inline std::set<std::string> FileNames(const std::string& dir) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir))
    names.insert(entry.path().filename().string());
  return names;
}

// Writes the bytes to dir/name and returns that path.
inline std::string WriteFile(const std::string& dir, const std::string& name,
                             const std::string& bytes) {
  const std::string path = dir + "/" + name;
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

}  // namespace qxtest
