// No input may take the tool past 1 GB: quorvex2 runs each output of two hostile events under a
// 1 GB address-space limit (RLIMIT_AS, as `ulimit -v` sets it) and must finish with status 0;
// each line shows the command's peak resident memory beside the limit. The events: a small one
// whose first runner has a 10 MB name and club, and one class of 20,000 runners.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <quorvex2/core/root.h>
#include <quorvex2/files/file_control.h>

#include "support/event_generator.h"
#include "support/temp_folder.h"

namespace {

constexpr rlim_t kLimit = rlim_t{1} << 30;

// The command-line tool of this build, beside the benchmarks.
std::string ToolPath() {
  return (std::filesystem::canonical("/proc/self/exe").parent_path().parent_path() / "app" /
          "quorvex2")
      .string();
}

bool WriteLongNameEvent(const std::string& file) {
  quorvex2::clsQuorvex2 root;
  qxbench::EventPlan plan;
  plan.class_count = 3;
  qxbench::GenerateEvent(root, plan);
  std::string name = "山田";
  while (name.size() < (10u << 20)) name += "あいう Ab";
  auto runner = root.ClassData(1)->LapData(1);
  runner->RunnerName = name;
  runner->ClubName = name;
  return root.FileControl()->SaveLapFile(file);
}

bool WriteLargeClassEvent(const std::string& file) {
  qxbench::EventPlan plan;
  plan.class_count = 1;
  plan.runners = {20000};
  return qxbench::WriteEvent(plan, file);
}

struct Outcome {
  int status = -1;
  double peak_mb = 0;
};

// The events are written by a child process, so that this one stays small: the peak memory a
// process reports includes that of the process it was forked from.
bool WriteEvents(const std::string& long_name, const std::string& large_class) {
  std::fflush(stdout);
  const pid_t pid = fork();
  if (pid == 0) _exit(WriteLongNameEvent(long_name) && WriteLargeClassEvent(large_class) ? 0 : 1);
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Runs the tool with the arguments under the limit, its output thrown away.
Outcome RunLimited(const std::vector<std::string>& arguments) {
  std::fflush(stdout);
  const pid_t pid = fork();
  if (pid == 0) {
    const rlimit limit{kLimit, kLimit};
    setrlimit(RLIMIT_AS, &limit);
    std::freopen("/dev/null", "w", stdout);
    std::freopen("/dev/null", "w", stderr);
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
      argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status),
          static_cast<double>(usage.ru_maxrss) / 1024.0};
}

// tool COMMAND [KIND] FILE OPTIONS..., "OUT" standing for the output path `out`.
std::vector<std::string> Arguments(const std::string& tool, const std::vector<std::string>& command,
                                   const std::string& file, const std::string& out) {
  const size_t head = command[0] == "report" ? 2 : 1;
  std::vector<std::string> arguments{tool};
  arguments.insert(arguments.end(), command.begin(), command.begin() + head);
  arguments.push_back(file);
  arguments.insert(arguments.end(), command.begin() + head, command.end());
  if (command[0] == "report") arguments.insert(arguments.end(), {"-o", "OUT.txt"});
  for (std::string& argument : arguments) {
    if (argument.starts_with("OUT")) argument = out + argument.substr(3);
  }
  return arguments;
}

}  // namespace

int main() {
  const qxbench::TempFolder folder("memory-limits");
  const std::string long_name = folder.File("long-name.lxm");
  const std::string large_class = folder.File("large-class.lxm");
  if (!WriteEvents(long_name, large_class)) return 1;
  const std::string tool = ToolPath();
  const std::string out = folder.File("out");
  const std::vector<std::vector<std::string>> commands{
      {"info"},
      {"report", "mail"},
      {"report", "analysis-html", "--extra", "--tovarine"},
      {"report", "results-html"},
      {"report", "legs-html"},
      {"report", "grid"},
      {"report", "json", "--extra", "--tovarine"},
      {"chart", "--mode", "0", "-o", "OUT.png"},
      {"chart", "--mode", "7", "-o", "OUT.png"},
      {"print", "--results", "-o", "OUT.pdf"},
      {"print", "--analysis", "-o", "OUT.pdf"},
      {"convert", "--to", "iof3", "-o", "OUT.xml"},
      {"convert", "--to", "lap", "-o", "OUT.lap"},
      {"site", "-o", "OUT-site", "--no-progress"},
  };
  std::printf(
      "quorvex2 under a %llu MB address-space limit: peak resident memory (%.1f MB for "
      "--version)\n",
      static_cast<unsigned long long>(kLimit >> 20), RunLimited({tool, "--version"}).peak_mb);
  bool all_met = true;
  for (const std::string& file : {long_name, large_class}) {
    for (const auto& command : commands) {
      const Outcome outcome = RunLimited(Arguments(tool, command, file, out));
      std::string line = std::filesystem::path(file).stem().string() + ":";
      for (const std::string& word : command) line += " " + word;
      std::printf("%-62s %8.1f MB  %s\n", line.substr(0, 62).c_str(), outcome.peak_mb,
                  outcome.status == 0
                      ? "met"
                      : ("NOT MET (exit " + std::to_string(outcome.status) + ")").c_str());
      all_met = all_met && outcome.status == 0;
      std::filesystem::remove_all(out + "-site");
    }
  }
  return all_met ? 0 : 1;
}
