#pragma once
// A headless Chromium driven over the DevTools protocol on a pipe: one page that opens addresses,
// waits for their load event and evaluates JavaScript in them, and collects what the page
// reports as an error (uncaught exceptions, console.error, resources that fail to load).
#include <sys/types.h>

#include <set>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace qxtest {

class HeadlessBrowser {
 public:
  // The Chromium program ($QUORVEX2_CHROMIUM when set, else /usr/bin/chromium), or "" when it
  // does not exist.
  static std::string Find();

  // Starts the browser with its own profile in profile_dir (removed again at the end; the
  // browser's output stays in profile_dir + ".log") and opens one empty page. Throws
  // std::runtime_error when the browser does not come up.
  HeadlessBrowser(const std::string& program, const std::string& profile_dir);
  ~HeadlessBrowser();
  HeadlessBrowser(const HeadlessBrowser&) = delete;
  HeadlessBrowser& operator=(const HeadlessBrowser&) = delete;

  // Loads the address in the page and waits until it and its images have loaded. Returns "" on
  // success, else the browser's error text (as "net::ERR_FILE_NOT_FOUND").
  std::string Open(const std::string& url);
  // Evaluates a JavaScript expression in the page and returns its value.
  nlohmann::json Evaluate(const std::string& expression);
  // The errors the pages reported since the last call, one text each.
  std::vector<std::string> TakeErrors();
  // Lays the page out at this size in CSS pixels (a phone's width, say) until changed again.
  void SetViewport(int width, int height);

 private:
  // Sends a command to the page (or to the browser itself) and waits for its answer.
  nlohmann::json Call(const std::string& method,
                      const nlohmann::json& params = nlohmann::json::object(), bool to_page = true);
  // The next message from the browser; throws when none comes within the time allowed.
  nlohmann::json Receive(const std::string& waiting_for);
  void Note(const nlohmann::json& event);
  void Stop();

  std::string profile_dir_;
  pid_t pid_ = -1;
  int socket_ = -1;
  int next_id_ = 0;
  int timeout_ms_ = 30000;
  std::string session_;
  std::string received_;
  std::set<std::string> loaded_;  // loader ids whose load event came
  std::vector<std::string> errors_;
};

}  // namespace qxtest
