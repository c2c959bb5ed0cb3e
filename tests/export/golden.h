#pragma once
// Expected outputs kept as files under tests/data/golden/, compared byte for byte. On a
// difference the first differing line is shown and the whole output is written beside the test
// binary for `diff`. QX_UPDATE_GOLDEN=1 writes the files instead (then review them with git diff).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

namespace qxtest {

// printf into a string, for the lines of a dump.
template <class... Args>
std::string Printf(const char* format, Args... args) {
  std::string text(static_cast<size_t>(std::snprintf(nullptr, 0, format, args...)), '\0');
  std::snprintf(text.data(), text.size() + 1, format, args...);
  return text;
}

inline void ExpectGolden(const std::string& name, const std::string& actual) {
  const std::filesystem::path path = std::filesystem::path(QX_TEST_DATA) / "golden" / name;
  if (std::getenv("QX_UPDATE_GOLDEN") != nullptr) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << actual;
    return;
  }
  std::ifstream file(path, std::ios::binary);
  const std::string expected{std::istreambuf_iterator<char>(file), {}};
  if (expected == actual) return;
  std::istringstream want(expected), got(actual);
  std::string want_line, got_line;
  int line = 0;
  while (want_line == got_line && (want || got)) {  // to the first difference
    ++line;
    if (!std::getline(want, want_line)) want_line = "<end>";
    if (!std::getline(got, got_line)) got_line = "<end>";
  }
  const std::string output = "golden-" + path.filename().string();
  std::ofstream(output, std::ios::binary) << actual;
  ADD_FAILURE() << name << " differs at line " << line << "\n  expected: " << want_line
                << "\n  actual:   " << got_line << "\n  diff " << path.string() << " "
                << std::filesystem::absolute(output).string();
}

}  // namespace qxtest
