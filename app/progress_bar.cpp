#include "progress_bar.h"

#include <unistd.h>

#include <algorithm>
#include <iostream>
#include <memory>

#include <quorvex2/files/file_control.h>

namespace qxcli {
namespace {

// Redraws the bar as the percentage changes. A job that is done before it has shown anything
// (its first event is 100) draws nothing.
class ProgressBar {
 public:
  void operator()(int32_t percent) {
    percent = std::clamp(percent, 0, 100);
    if (percent == shown_ || (shown_ < 0 && percent == 100)) return;
    shown_ = percent;
    const int filled = percent * kWidth / 100;
    std::cerr << "\r" << caption_ << " [" << std::string(filled, '#')
              << std::string(kWidth - filled, ' ') << "] " << percent << "%"
              << (percent == 100 ? "\n" : "") << std::flush;
    if (percent == 100) shown_ = -1;
  }

  void Caption(const std::string& caption) { caption_ = caption; }

 private:
  static constexpr int kWidth = 40;
  std::string caption_;
  int32_t shown_ = -1;
};

// What the root's Progress event holds, so that the caption can be changed later.
struct ProgressSink {
  std::shared_ptr<ProgressBar> bar;
  void operator()(int32_t percent) const { (*bar)(percent); }
};

}  // namespace

void AttachProgressBar(quorvex2::clsQuorvex2& root, bool enabled) {
  if (!enabled || ::isatty(STDERR_FILENO) == 0) return;
  auto file_control = root.FileControl();
  file_control->ProgressVisible = true;
  file_control->Progress = ProgressSink{std::make_shared<ProgressBar>()};
}

void SetProgressCaption(quorvex2::clsQuorvex2& root, const std::string& caption) {
  if (auto* sink = root.FileControl()->Progress.target<ProgressSink>()) sink->bar->Caption(caption);
}

}  // namespace qxcli
