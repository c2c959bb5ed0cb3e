#pragma once
// What the command-line tests share: running the built host, their fixtures, files and texts.
#include <string>
#include <vector>

namespace qxtest {

// The three-class event most command tests read, and the repository's sample event.
inline const std::string kFixture = std::string(QX_TEST_DATA) + "/report_three_classes.lxm";
inline const std::string kSample = std::string(QX_SOURCE_DIR) + "/examples/sample.lxm";

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

// The arguments of a command line split at blanks, where {f} stands for kFixture, {sample} for
// kSample, {data} for the test data folder and {dir} for `dir`.
std::vector<std::string> Args(const std::string& line, const std::string& dir = "");

// Runs quorvex2 with the arguments (no shell involved, nothing on standard input) and waits for
// it.
CliResult RunCli(const std::vector<std::string>& args, const CliLimits& limits = {});
// Runs quorvex2, expects it to succeed and returns its standard output.
std::string RunOk(const std::vector<std::string>& args);

// A fresh, empty folder under the test's temporary directory.
std::string MakeTempDir(const std::string& name);

std::string ReadFile(const std::string& path);
// Writes the bytes to dir/name and returns that path.
std::string WriteFile(const std::string& dir, const std::string& name, const std::string& bytes);

// The text of a PDF (pdftotext -layout), pages separated by form feeds.
std::string PdfText(const std::string& pdf);

bool Contains(const std::string& text, const std::string& part);

// Numeric character references ("&#252;") written as the characters they stand for.
std::string ResolveNumericReferences(const std::string& text);

// "" when the texts are equal, else the first line where they differ, from both.
std::string FirstDifference(const std::string& expected, const std::string& actual);

// Expects the text to be the file tests/data/golden/cli/<name>, byte for byte; when it is not,
// the text is written beside the test program for `diff`. QX_UPDATE_GOLDEN=1 in the environment
// writes the golden file from the text instead.
void ExpectGolden(const std::string& text, const std::string& name);

// The folder holding the sample event's complete site in an encoding ("shift_jis", "utf-8"), or
// its web viewer ("web"): written once for the whole test program, with a fixed output time.
std::string SampleOutput(const std::string& kind);

}  // namespace qxtest
