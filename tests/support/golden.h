#pragma once
// Expected outputs kept as files under tests/data, compared byte for byte. On a difference the
// first differing line is shown and the whole output is written beside the test binary for
// `diff`. QX_UPDATE_GOLDEN=1 in the environment writes the files instead (then review the change
// with git diff).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace qxtest {

// printf into a string, for the lines of a dump.
template <class... Args>
std::string Printf(const char* format, Args... args) {
  std::string text(static_cast<size_t>(std::snprintf(nullptr, 0, format, args...)), '\0');
  std::snprintf(text.data(), text.size() + 1, format, args...);
  return text;
}

// "" when the texts are equal, else the first line where they differ, from both.
inline std::string FirstDifference(const std::string& expected, const std::string& actual) {
  size_t line = 1, start = 0;
  for (size_t i = 0; i < std::min(expected.size(), actual.size()); ++i) {
    if (expected[i] != actual[i]) {
      const size_t a_end = expected.find('\n', i), b_end = actual.find('\n', i);
      return "line " + std::to_string(line) +
             ":\n  expected: " + expected.substr(start, a_end - start) +
             "\n  actual:   " + actual.substr(start, b_end - start);
    }
    if (expected[i] == '\n') ++line, start = i + 1;
  }
  return expected.size() == actual.size() ? "" : "one text ends at line " + std::to_string(line);
}

// Expects the text to be the file tests/data/<name> ("golden/print/result-pages.txt").
inline void ExpectGolden(const std::string& name, const std::string& actual) {
  const std::filesystem::path path = std::filesystem::path(QX_TEST_DATA) / name;
  if (std::getenv("QX_UPDATE_GOLDEN") != nullptr) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << actual;
    return;
  }
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    ADD_FAILURE() << path.string() << " is missing (QX_UPDATE_GOLDEN=1 writes it)";
    return;
  }
  const std::string difference =
      FirstDifference(std::string(std::istreambuf_iterator<char>(file), {}), actual);
  if (difference.empty()) return;
  std::string output = "actual-" + name;
  std::replace(output.begin(), output.end(), '/', '-');
  std::ofstream(output, std::ios::binary) << actual;
  ADD_FAILURE() << name << " differs at " << difference << "\n  diff " << path.string() << " "
                << std::filesystem::absolute(output).string()
                << "\n  (QX_UPDATE_GOLDEN=1 rewrites the file)";
}

}  // namespace qxtest
