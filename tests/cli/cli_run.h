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

// What the run may use. A run past its time is ended by SIGALRM (exit code 128 + 14).
struct CliLimits {
  unsigned seconds = 0;          // 0: no time limit
  long long file_size = -1;      // RLIMIT_FSIZE in bytes; -1: as it is
  bool unprivileged = false;     // started as root, run as nobody so file permissions hold
  std::string temp_dir;          // the run's TMPDIR; "": as it is
  bool terminal = false;         // standard error is a pseudo-terminal, whose output lands in `err`
  std::vector<std::string> env;  // "NAME=value" each, over a Japanese locale (LANG=ja_JP.UTF-8)
};

// Runs quorvex2 with the arguments (no shell involved) and waits for it.
CliResult RunCli(const std::vector<std::string>& args, const std::string& stdin_text = "",
                 const CliLimits& limits = {});

// A fresh, empty folder under the test's temporary directory.
std::string MakeTempDir(const std::string& name);

std::string ReadFile(const std::string& path);
// Writes the bytes to dir/name and returns that path.
std::string WriteFile(const std::string& dir, const std::string& name, const std::string& bytes);

// The text of a PDF (pdftotext -layout), pages separated by form feeds.
std::string PdfText(const std::string& pdf);

}  // namespace qxtest
