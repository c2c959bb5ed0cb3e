#pragma once
// What the command-line tests share: running the built host, their fixtures, files and texts.
#include <fcntl.h>
#include <pthread.h>
#include <pty.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "core/detail/utf8.h"
#include "support/golden.h"      // ExpectGolden, FirstDifference
#include "support/temp_files.h"  // MakeTempDir, ReadFile, WriteFile

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
  bool full_output = false;      // standard output is /dev/full: every write to it fails
  std::vector<std::string> env;  // "NAME=value" each, over a Japanese locale (LANG=ja_JP.UTF-8)
  std::optional<std::string> input;  // bytes piped into standard input; none: /dev/null
};

inline bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// The arguments of a command line split at blanks, where {f} stands for kFixture, {sample} for
// kSample, {data} for the test data folder and {dir} for `dir`.
inline std::vector<std::string> Args(const std::string& line, const std::string& dir = "") {
  std::vector<std::string> args;
  std::istringstream in(line);
  for (std::string arg; in >> arg;) {
    for (const auto& [from, to] : {std::pair<std::string, std::string>{"{f}", kFixture},
                                   {"{sample}", kSample},
                                   {"{data}", QX_TEST_DATA},
                                   {"{dir}", dir}}) {
      for (size_t at; (at = arg.find(from)) != std::string::npos;) arg.replace(at, from.size(), to);
    }
    args.push_back(arg);
  }
  return args;
}

// In the child, before it becomes quorvex2.
inline void ApplyLimits(const CliLimits& limits) {
  if (limits.file_size >= 0) {
    const rlimit size{static_cast<rlim_t>(limits.file_size), static_cast<rlim_t>(limits.file_size)};
    setrlimit(RLIMIT_FSIZE, &size);
  }
  if (limits.unprivileged && geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) {
    _exit(126);
  }
  if (!limits.temp_dir.empty()) setenv("TMPDIR", limits.temp_dir.c_str(), 1);
  if (limits.seconds > 0) alarm(limits.seconds);
  unsetenv("LC_ALL");
  unsetenv("LC_MESSAGES");
  setenv("LANG", "ja_JP.UTF-8", 1);
  for (const auto& variable : limits.env) putenv(strdup(variable.c_str()));
}

// Runs quorvex2 with the arguments (no shell involved, nothing on standard input) and waits for
// it. Standard output and error go to files (or error to a pseudo-terminal), read after the run.
inline CliResult RunCli(const std::vector<std::string>& args, const CliLimits& limits = {}) {
  const std::string out = MakeTempDir("cli-io") + "/out",
                    err = out.substr(0, out.size() - 3) + "err";
  std::vector<std::string> copy = args;
  copy.insert(copy.begin(), QX_CLI_PATH);
  std::vector<char*> argv;
  for (auto& arg : copy) argv.push_back(arg.data());
  argv.push_back(nullptr);
  int master = -1, slave = -1, pipe_ends[2] = {-1, -1};
  if (limits.terminal && openpty(&master, &slave, nullptr, nullptr, nullptr) != 0) {
    throw std::runtime_error("openpty failed");
  }
  if (limits.input && pipe2(pipe_ends, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
  const pid_t pid = fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    dup2(limits.input ? pipe_ends[0] : open("/dev/null", O_RDONLY), 0);
    dup2(open(limits.full_output ? "/dev/full" : out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644),
         1);
    dup2(limits.terminal ? slave : open(err.c_str(), O_WRONLY | O_CREAT, 0644), 2);
    ApplyLimits(limits);
    execv(QX_CLI_PATH, argv.data());
    _exit(127);
  }
  std::thread feeder;
  if (limits.input) {
    close(pipe_ends[0]);
    feeder = std::thread([&] {
      sigset_t pipe_signal;  // a write to a run that is gone fails instead of ending the test
      sigemptyset(&pipe_signal);
      sigaddset(&pipe_signal, SIGPIPE);
      pthread_sigmask(SIG_BLOCK, &pipe_signal, nullptr);
      for (size_t at = 0; at < limits.input->size();) {
        const ssize_t put =
            write(pipe_ends[1], limits.input->data() + at, limits.input->size() - at);
        if (put <= 0) break;  // the run ended without reading it all
        at += static_cast<size_t>(put);
      }
      close(pipe_ends[1]);
    });
  }
  CliResult result;
  if (limits.terminal) {
    close(slave);
    char buffer[4096];
    for (ssize_t n; (n = read(master, buffer, sizeof buffer)) > 0;) result.err.append(buffer, n);
    close(master);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  if (feeder.joinable()) feeder.join();
  result.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  result.out = ReadFile(out);
  if (!limits.terminal) result.err = ReadFile(err);
  return result;
}

// Runs quorvex2, expects it to succeed and returns its standard output.
inline std::string RunOk(const std::vector<std::string>& args) {
  const CliResult run = RunCli(args);
  std::string command = "quorvex2";
  for (const auto& arg : args) command += " " + arg;
  EXPECT_EQ(run.exit_code, 0) << command << "\n" << run.err;
  return run.out;
}

// The text of a PDF (pdftotext -layout), pages separated by form feeds.
inline std::string PdfText(const std::string& pdf) {
  const std::string text = pdf + ".txt";
  EXPECT_EQ(std::system(("pdftotext -layout '" + pdf + "' '" + text + "'").c_str()), 0) << pdf;
  return ReadFile(text);
}

// Numeric character references ("&#252;") written as the characters they stand for.
inline std::string ResolveNumericReferences(const std::string& text) {
  static const std::regex reference("&#([0-9]+);");
  std::string out;
  auto last = text.cbegin();
  for (std::sregex_iterator it(text.begin(), text.end(), reference), end; it != end; ++it) {
    out.append(last, (*it)[0].first);
    quorvex2::detail::AppendUtf8(out, static_cast<char32_t>(std::stoul((*it)[1].str())));
    last = (*it)[0].second;
  }
  return out.append(last, text.cend());
}

// The folder holding the sample event's complete site in an encoding ("shift_jis", "utf-8"), or
// its web viewer ("web"): written once for the whole test program, with a fixed output time.
inline std::string SampleOutput(const std::string& kind) {
  static std::map<std::string, std::string> written;
  if (written.count(kind)) return written[kind];
  const std::string dir = MakeTempDir("sample-" + kind);
  CliLimits limits;
  limits.env = {"SOURCE_DATE_EPOCH=1792000000"};
  const auto run = RunCli(
      kind == "web" ? std::vector<std::string>{"web", kSample, "-o", dir}
                    : std::vector<std::string>{"site", kSample, "-o", dir, "--encoding", kind},
      limits);
  EXPECT_EQ(run.exit_code, 0) << run.err;
  return written[kind] = dir;
}

}  // namespace qxtest
