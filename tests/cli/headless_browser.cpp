#include "headless_browser.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <thread>
#include <utility>

#include "cli_run.h"

namespace qxtest {

using nlohmann::json;

std::string HeadlessBrowser::Find() {
  const char* chosen = std::getenv("QUORVEX2_CHROMIUM");
  const std::string program = chosen ? chosen : "/usr/bin/chromium";
  return access(program.c_str(), X_OK) == 0 ? program : "";
}

// The browser reads commands from descriptor 3 and writes answers to 4, both our socket's other
// end; its own output goes to the log. It runs in a process group of its own with its helpers.
HeadlessBrowser::HeadlessBrowser(const std::string& program, const std::string& profile_dir)
    : profile_dir_(profile_dir) {
  std::filesystem::create_directories(profile_dir_);
  std::vector<std::string> args =
      Args(program +
           " --headless --no-sandbox --disable-gpu --remote-debugging-pipe --no-first-run "
           "--allow-file-access-from-files --no-default-browser-check --disable-extensions "
           "--disable-background-networking --disable-sync --mute-audio "
           "--window-size=1280,900 --user-data-dir=" +
           profile_dir + " about:blank");
  std::vector<char*> argv;
  for (auto& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  const std::string log = profile_dir_ + ".log";
  int pair[2];
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair) != 0 || (pid_ = fork()) < 0) {
    throw std::runtime_error("browser: cannot start");
  }
  if (pid_ == 0) {
    setpgid(0, 0);
    const int high = fcntl(pair[1], F_DUPFD, 10);
    const int out = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(open("/dev/null", O_RDONLY), 0), dup2(high, 3), dup2(high, 4), dup2(out, 1), dup2(out, 2);
    execv(argv[0], argv.data());
    _exit(127);
  }
  close(pair[1]);
  socket_ = pair[0];
  try {
    const auto target = Call("Target.createTarget", {{"url", "about:blank"}}, false);
    session_ = Call("Target.attachToTarget",
                    {{"targetId", target.at("targetId")}, {"flatten", true}}, false)
                   .at("sessionId");
    Call("Page.enable");
    Call("Page.setLifecycleEventsEnabled", {{"enabled", true}});
    Call("Runtime.enable");
    Call("Log.enable");
  } catch (...) {
    Stop();
    throw;
  }
}

HeadlessBrowser::~HeadlessBrowser() {
  Stop();
}

// Asks the browser to close, and ends its whole process group when it does not within 5 s.
void HeadlessBrowser::Stop() {
  if (pid_ <= 0) return;
  timeout_ms_ = 5000;
  try {
    Call("Browser.close", json::object(), false);
  } catch (const std::exception&) {
  }
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (waitpid(pid_, nullptr, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      kill(-pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  close(socket_);
  std::error_code ignored;
  std::filesystem::remove_all(profile_dir_, ignored);
}

json HeadlessBrowser::Call(const std::string& method, const json& params, bool to_page) {
  const int id = ++next_id_;
  json message = {{"id", id}, {"method", method}, {"params", params}};
  if (to_page) message["sessionId"] = session_;
  const std::string bytes = message.dump() + '\0';
  for (size_t sent = 0; sent < bytes.size();) {
    const ssize_t n = send(socket_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (n <= 0) throw std::runtime_error("browser: cannot send " + method);
    sent += static_cast<size_t>(n);
  }
  for (;;) {
    json answer = Receive(method);
    if (!answer.contains("id")) Note(answer);
    if (answer.value("id", 0) != id) continue;
    if (answer.contains("error"))
      throw std::runtime_error("browser: " + method + ": " + answer.dump());
    return answer.value("result", json::object());
  }
}

json HeadlessBrowser::Receive(const std::string& waiting_for) {
  for (size_t end; (end = received_.find('\0')) == std::string::npos;) {
    pollfd fd{socket_, POLLIN, 0};
    char buffer[65536];
    const ssize_t n = poll(&fd, 1, timeout_ms_) > 0 ? read(socket_, buffer, sizeof buffer) : -1;
    if (n <= 0) {
      throw std::runtime_error("browser: nothing came while waiting for " + waiting_for +
                               " (log: " + profile_dir_ + ".log)");
    }
    received_.append(buffer, static_cast<size_t>(n));
  }
  const size_t end = received_.find('\0');
  json message = json::parse(received_.substr(0, end));
  received_.erase(0, end + 1);
  return message;
}

void HeadlessBrowser::Note(const json& event) {
  const std::string method = event.value("method", "");
  const json params = event.value("params", json::object());
  if (method == "Page.lifecycleEvent" && params.value("name", "") == "load") {
    loaded_.insert(params.value("loaderId", ""));
  } else if (method == "Runtime.exceptionThrown") {
    errors_.push_back(params.at("exceptionDetails").dump());
  } else if (method == "Runtime.consoleAPICalled" &&
             (params.value("type", "") == "error" || params.value("type", "") == "assert")) {
    errors_.push_back("console." + params.value("type", "") + ": " +
                      params.value("args", json()).dump());
  } else if (method == "Log.entryAdded" && params.at("entry").value("level", "") == "error") {
    errors_.push_back(params.at("entry").dump());
  }
}

std::vector<std::string> HeadlessBrowser::TakeErrors() {
  return std::exchange(errors_, {});
}

void HeadlessBrowser::SetViewport(int width, int height) {
  Call("Emulation.setDeviceMetricsOverride",
       {{"width", width}, {"height", height}, {"deviceScaleFactor", 1}, {"mobile", width < 600}});
}

std::string HeadlessBrowser::Open(const std::string& url) {
  const json navigation = Call("Page.navigate", {{"url", url}});
  const std::string error = navigation.value("errorText", "");
  if (!error.empty()) return error;
  while (!loaded_.count(navigation.value("loaderId", ""))) Note(Receive("the load of " + url));
  return "";
}

json HeadlessBrowser::Evaluate(const std::string& expression) {
  const json result =
      Call("Runtime.evaluate", {{"expression", expression}, {"returnByValue", true}});
  if (result.contains("exceptionDetails")) {
    throw std::runtime_error("browser: script failed: " + result["exceptionDetails"].dump());
  }
  return result.at("result").value("value", json());
}

}  // namespace qxtest
