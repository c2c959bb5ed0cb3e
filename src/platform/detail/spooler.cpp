#include "platform/detail/spooler.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <stdexcept>

extern char** environ;

namespace quorvex2::detail {

namespace {

// Runs the program (looked up in PATH) with its output going to Fd (-1: inherited); the exit
// status, or -1 when it could not be started.
int RunProgram(std::vector<std::string> Args, int Fd) {
  std::vector<char*> argv;
  for (auto& arg : Args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (Fd >= 0) posix_spawn_file_actions_adddup2(&actions, Fd, STDOUT_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return -1;
  int status = 0;
  if (waitpid(pid, &status, 0) < 0 || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

std::string ReadAll(FILE* File) {
  std::string names;
  char line[4096];
  while (std::fgets(line, sizeof line, File) != nullptr) names += line;
  return names;
}

}  // namespace

std::vector<std::string> CupsQueues() {
  FILE* output = std::tmpfile();
  if (output == nullptr) return {};
  std::vector<std::string> queues;
  if (RunProgram({"lpstat", "-e"}, fileno(output)) == 0) {
    std::rewind(output);
    std::string text = ReadAll(output);
    size_t start = 0;
    while (start < text.size()) {
      size_t end = text.find('\n', start);
      if (end == std::string::npos) end = text.size();
      std::string name = text.substr(start, end - start);
      if (!name.empty()) queues.push_back(name);
      start = end + 1;
    }
  }
  std::fclose(output);
  return queues;
}

void SendToQueue(const std::string& Queue, const std::string& File) {
  int status = RunProgram({"lp", "-d", Queue, "--", File}, -1);
  if (status != 0) {
    throw std::runtime_error("printing to " + Queue + " failed: " +
                             (status < 0 ? std::string("lp cannot be run")
                                         : "lp exited with status " + std::to_string(status)));
  }
}

}  // namespace quorvex2::detail
