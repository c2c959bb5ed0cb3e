#pragma once
// Runs the built command-line host and captures what it prints.
#include <string>
#include <vector>

namespace qxtest {

struct CliResult {
  int exit_code = -1;
  std::string out;  // standard output
  std::string err;  // standard error
};

// Runs quorvex2 with the arguments (no shell involved) and waits for it.
CliResult RunCli(const std::vector<std::string>& args, const std::string& stdin_text = "");

// A fresh, empty folder under the test's temporary directory.
std::string MakeTempDir(const std::string& name);

std::string ReadFile(const std::string& path);

}  // namespace qxtest
