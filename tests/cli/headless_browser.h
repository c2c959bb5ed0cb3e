#pragma once
// A headless Chromium driven over the DevTools protocol on a pipe: one page that opens addresses,
// waits for their load event and evaluates JavaScript in them, and collects what the page
// reports as an error (uncaught exceptions, console.error, resources that fail to load).
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli_run.h"

namespace qxtest {

class HeadlessBrowser {
  using json = nlohmann::json;

 public:
  // The Chromium program ($QUORVEX2_CHROMIUM when set, else /usr/bin/chromium), or "" when it
  // does not exist.
  static std::string Find() {
    const char* chosen = std::getenv("QUORVEX2_CHROMIUM");
    const std::string program = chosen ? chosen : "/usr/bin/chromium";
    return access(program.c_str(), X_OK) == 0 ? program : "";
  }

  // Starts the browser with its own profile in profile_dir (removed again at the end; the
  // browser's output stays in profile_dir + ".log") and opens one empty page. A browser that does
  // not come up is started once more (a cold start on a loaded machine can stall); throws
  // std::runtime_error when the second does not come up either. One browser of the tests runs
  // at a time: the others wait for the lock (a while, see Lock).
  HeadlessBrowser(const std::string& program, const std::string& profile_dir)
      : profile_dir_(profile_dir) {
    Lock();
    try {
      Launch(program);
    } catch (const std::runtime_error&) {
      try {
        Launch(program);
      } catch (...) {
        if (lock_ >= 0) close(lock_);
        throw;
      }
    }
  }
  ~HeadlessBrowser() {
    Stop();
    if (lock_ >= 0) close(lock_);
  }
  HeadlessBrowser(const HeadlessBrowser&) = delete;
  HeadlessBrowser& operator=(const HeadlessBrowser&) = delete;

  // Loads the address in the page and waits until it and its images have loaded. Returns "" on
  // success, else the browser's error text (as "net::ERR_FILE_NOT_FOUND").
  std::string Open(const std::string& url) {
    const json navigation = Call("Page.navigate", {{"url", url}});
    const std::string error = navigation.value("errorText", "");
    if (!error.empty()) return error;
    while (!loaded_.count(navigation.value("loaderId", ""))) Note(Receive("the load of " + url));
    return "";
  }

  // Evaluates a JavaScript expression in the page and returns its value (that of the promise it
  // gives, once settled).
  json Evaluate(const std::string& expression) {
    const json result =
        Call("Runtime.evaluate",
             {{"expression", expression}, {"returnByValue", true}, {"awaitPromise", true}});
    if (result.contains("exceptionDetails")) {
      throw std::runtime_error("browser: script failed: " + result["exceptionDetails"].dump());
    }
    return result.at("result").value("value", json());
  }

  // The errors the pages reported since the last call, one text each.
  std::vector<std::string> TakeErrors() { return std::exchange(errors_, {}); }

  // Lays the page out at this size in CSS pixels (a phone's width, say) until changed again.
  void SetViewport(int width, int height) {
    Call("Emulation.setDeviceMetricsOverride",
         {{"width", width}, {"height", height}, {"deviceScaleFactor", 1}, {"mobile", width < 600}});
  }

 private:
  // Waits up to kLockMs for the other test browsers to end; goes on without the lock after that
  // (a browser that some other program keeps open must not stop the tests).
  void Lock() {
    lock_ = open((std::filesystem::temp_directory_path() / "quorvex2-test-browser.lock").c_str(),
                 O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kLockMs);
    while (lock_ >= 0 && flock(lock_, LOCK_EX | LOCK_NB) != 0) {
      if (std::chrono::steady_clock::now() > deadline) {
        close(lock_);
        lock_ = -1;
        return;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
  }

  // Starts one browser, reading commands from descriptor 3 and writing answers to 4, both our
  // socket's other end, in a process group of its own with its helpers; it has a long while to
  // answer first. Stops it again and throws when it does not come up.
  void Launch(const std::string& program) {
    std::filesystem::create_directories(profile_dir_);
    std::vector<std::string> args =
        Args(program +
             " --headless --no-sandbox --disable-gpu --remote-debugging-pipe --no-first-run "
             "--allow-file-access-from-files --no-default-browser-check --disable-extensions "
             "--disable-background-networking --disable-sync --mute-audio "
             "--window-size=1280,900 --user-data-dir=" +
             profile_dir_ + " about:blank");
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
      dup2(open("/dev/null", O_RDONLY), 0), dup2(high, 3), dup2(high, 4), dup2(out, 1);
      dup2(out, 2);
      execv(argv[0], argv.data());
      _exit(127);
    }
    close(pair[1]);
    socket_ = pair[0];
    received_.clear();
    try {
      timeout_ms_ = kStartMs;
      const json target = Call("Target.createTarget", {{"url", "about:blank"}}, false);
      timeout_ms_ = kAnswerMs;
      session_ = Call("Target.attachToTarget",
                      {{"targetId", target.at("targetId")}, {"flatten", true}}, false)
                     .at("sessionId");
      for (const char* domain : {"Page.enable", "Runtime.enable", "Log.enable"}) Call(domain);
      Call("Page.setLifecycleEventsEnabled", {{"enabled", true}});
    } catch (...) {
      Stop();
      throw;
    }
  }

  // Sends a command to the page (or to the browser itself) and waits for its answer.
  json Call(const std::string& method, const json& params = json::object(), bool to_page = true) {
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
      if (answer.contains("error")) {
        throw std::runtime_error("browser: " + method + ": " + answer.dump());
      }
      return answer.value("result", json::object());
    }
  }

  // The next message from the browser; throws when none comes within the time allowed.
  json Receive(const std::string& waiting_for) {
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

  void Note(const json& event) {
    const std::string method = event.value("method", "");
    const json params = event.value("params", json::object());
    const std::string type = params.value("type", "");
    if (method == "Page.lifecycleEvent" && params.value("name", "") == "load") {
      loaded_.insert(params.value("loaderId", ""));
    } else if (method == "Runtime.exceptionThrown") {
      errors_.push_back(params.at("exceptionDetails").dump());
    } else if (method == "Runtime.consoleAPICalled" && (type == "error" || type == "assert")) {
      errors_.push_back("console." + type + ": " + params.value("args", json()).dump());
    } else if (method == "Log.entryAdded" && params.at("entry").value("level", "") == "error") {
      errors_.push_back(params.at("entry").dump());
    }
  }

  // Asks the browser to close, and ends its whole process group when it does not within 5 s.
  void Stop() {
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
    pid_ = -1;
    std::error_code ignored;
    std::filesystem::remove_all(profile_dir_, ignored);
  }

  std::string profile_dir_;
  pid_t pid_ = -1;
  int socket_ = -1;
  int next_id_ = 0;
  static constexpr int kStartMs = 180000;  // for the first answer of a starting browser
  static constexpr int kAnswerMs = 60000;  // for every later one
  static constexpr int kLockMs = 120000;   // for the other test browsers to end
  int lock_ = -1;
  int timeout_ms_ = kAnswerMs;
  std::string session_;
  std::string received_;
  std::set<std::string> loaded_;  // loader ids whose load event came
  std::vector<std::string> errors_;
};

}  // namespace qxtest
