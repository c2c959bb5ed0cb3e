#include "headless_browser.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <thread>
#include <vector>

namespace qxtest {

namespace {

using Clock = std::chrono::steady_clock;

std::vector<std::string> Arguments(const std::string& program, const std::string& profile_dir) {
  return {program,
          "--headless",
          "--no-sandbox",
          "--disable-gpu",
          "--remote-debugging-pipe",
          "--user-data-dir=" + profile_dir,
          "--allow-file-access-from-files",
          "--no-first-run",
          "--no-default-browser-check",
          "--disable-extensions",
          "--disable-background-networking",
          "--disable-sync",
          "--mute-audio",
          "--window-size=1280,900",
          "about:blank"};
}

// In the child: the browser reads commands from descriptor 3 and writes answers to 4; both are
// our end of the socket pair. Its own output goes to a log file.
[[noreturn]] void ExecBrowser(const std::vector<std::string>& args, int socket,
                              const std::string& log) {
  setpgid(0, 0);
  const int high = fcntl(socket, F_DUPFD, 10);
  dup2(high, 3);
  dup2(high, 4);
  close(high);
  const int out = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  const int in = open("/dev/null", O_RDONLY);
  dup2(in, 0);
  dup2(out, 1);
  dup2(out, 2);
  std::vector<char*> argv;
  std::vector<std::string> copy = args;
  for (auto& a : copy) argv.push_back(a.data());
  argv.push_back(nullptr);
  execv(argv[0], argv.data());
  _exit(127);
}

}  // namespace

std::string HeadlessBrowser::Find() {
  const char* chosen = std::getenv("QUORVEX2_CHROMIUM");
  const std::string program = chosen ? chosen : "/usr/bin/chromium";
  return access(program.c_str(), X_OK) == 0 ? program : "";
}

HeadlessBrowser::HeadlessBrowser(const std::string& program, const std::string& profile_dir)
    : profile_dir_(profile_dir) {
  try {
    Start(program);
    const auto target = Call("Target.createTarget", {{"url", "about:blank"}}, false);
    const auto attached = Call("Target.attachToTarget",
                               {{"targetId", target.at("targetId")}, {"flatten", true}}, false);
    session_ = attached.at("sessionId").get<std::string>();
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

void HeadlessBrowser::Start(const std::string& program) {
  std::filesystem::create_directories(profile_dir_);
  int pair[2];
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair) != 0) {
    throw std::runtime_error("socketpair failed");
  }
  const auto args = Arguments(program, profile_dir_);
  pid_ = fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ == 0) ExecBrowser(args, pair[1], profile_dir_ + ".log");
  close(pair[1]);
  socket_ = pair[0];
}

void HeadlessBrowser::Stop() {
  if (pid_ > 0) {
    try {
      timeout_ = std::chrono::seconds(5);
      Call("Browser.close", nlohmann::json::object(), false);
    } catch (const std::exception&) {
      // A browser that cannot close itself is stopped below.
    }
    int status = 0;
    const auto deadline = Clock::now() + std::chrono::seconds(5);
    while (waitpid(pid_, &status, WNOHANG) == 0) {
      if (Clock::now() > deadline) {
        kill(-pid_, SIGKILL);  // the browser's own process group: it and its helpers
        waitpid(pid_, &status, 0);
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    pid_ = -1;
  }
  if (socket_ >= 0) close(socket_);
  socket_ = -1;
  std::error_code ignored;
  std::filesystem::remove_all(profile_dir_, ignored);
}

nlohmann::json HeadlessBrowser::Call(const std::string& method, const nlohmann::json& params,
                                     bool to_page) {
  const int id = ++next_id_;
  nlohmann::json message = {{"id", id}, {"method", method}, {"params", params}};
  if (to_page) message["sessionId"] = session_;
  std::string bytes = message.dump();
  bytes.push_back('\0');
  for (size_t sent = 0; sent < bytes.size();) {
    const ssize_t n = send(socket_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (n <= 0) throw std::runtime_error("browser: cannot send " + method);
    sent += static_cast<size_t>(n);
  }
  for (;;) {
    nlohmann::json answer = Receive(method);
    if (!answer.contains("id")) {
      Note(answer);
      continue;
    }
    if (answer.at("id") != id) continue;
    if (answer.contains("error")) {
      throw std::runtime_error("browser: " + method + ": " + answer["error"].dump());
    }
    return answer.value("result", nlohmann::json::object());
  }
}

nlohmann::json HeadlessBrowser::Receive(const std::string& waiting_for) {
  const auto deadline = Clock::now() + timeout_;
  for (;;) {
    const size_t end = received_.find('\0');
    if (end != std::string::npos) {
      auto message = nlohmann::json::parse(received_.substr(0, end));
      received_.erase(0, end + 1);
      return message;
    }
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    pollfd fd{socket_, POLLIN, 0};
    if (left <= 0 || poll(&fd, 1, static_cast<int>(left)) == 0) {
      throw std::runtime_error("browser: no answer to " + waiting_for + " within " +
                               std::to_string(timeout_.count()) + " s (log: " + profile_dir_ +
                               ".log)");
    }
    char buffer[65536];
    const ssize_t n = read(socket_, buffer, sizeof(buffer));
    if (n <= 0) {
      throw std::runtime_error("browser: closed while waiting for " + waiting_for +
                               " (log: " + profile_dir_ + ".log)");
    }
    received_.append(buffer, static_cast<size_t>(n));
  }
}

namespace {

// The text of a console call's arguments.
std::string ConsoleText(const nlohmann::json& params) {
  std::string text;
  for (const auto& argument : params.value("args", nlohmann::json::array())) {
    if (!text.empty()) text += ' ';
    text += argument.contains("value") ? argument["value"].dump()
                                       : argument.value("description", std::string("?"));
  }
  return text;
}

}  // namespace

void HeadlessBrowser::Note(const nlohmann::json& event) {
  const std::string method = event.value("method", "");
  const auto params = event.value("params", nlohmann::json::object());
  if (method == "Page.lifecycleEvent") {
    if (params.value("name", "") == "load") loaded_.insert(params.value("loaderId", ""));
  } else if (method == "Runtime.exceptionThrown") {
    const auto& details = params.at("exceptionDetails");
    errors_.push_back(details.contains("exception")
                          ? details["exception"].value("description", details.dump())
                          : details.value("text", details.dump()));
  } else if (method == "Runtime.consoleAPICalled") {
    const std::string type = params.value("type", "");
    if (type == "error" || type == "assert")
      errors_.push_back("console." + type + ": " + ConsoleText(params));
  } else if (method == "Log.entryAdded") {
    const auto& entry = params.at("entry");
    if (entry.value("level", "") == "error") {
      errors_.push_back(entry.value("text", "") + " " + entry.value("url", ""));
    }
  }
}

std::vector<std::string> HeadlessBrowser::TakeErrors() {
  std::vector<std::string> errors;
  errors.swap(errors_);
  return errors;
}

void HeadlessBrowser::SetViewport(int width, int height) {
  Call("Emulation.setDeviceMetricsOverride",
       {{"width", width}, {"height", height}, {"deviceScaleFactor", 1}, {"mobile", width < 600}});
}

std::string HeadlessBrowser::Open(const std::string& url) {
  const auto navigation = Call("Page.navigate", {{"url", url}});
  const std::string error = navigation.value("errorText", "");
  if (!error.empty()) return error;
  const std::string loader = navigation.value("loaderId", "");
  while (!loaded_.count(loader)) Note(Receive("the load of " + url));
  return "";
}

nlohmann::json HeadlessBrowser::Evaluate(const std::string& expression) {
  const auto result =
      Call("Runtime.evaluate", {{"expression", expression}, {"returnByValue", true}});
  if (result.contains("exceptionDetails")) {
    throw std::runtime_error("browser: script failed: " + result["exceptionDetails"].dump());
  }
  return result.at("result").value("value", nlohmann::json());
}

}  // namespace qxtest
