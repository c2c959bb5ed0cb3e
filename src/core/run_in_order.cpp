// Work items on a few threads, results taken in order.
#include "core/detail/run_in_order.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace quorvex2::detail {
namespace {

enum class ItemState : char { kWaiting, kDone, kFailed };

class InOrderRun {
 public:
  InOrderRun(size_t count, const std::function<bool(size_t)>& work)
      : work_(work), states_(count, ItemState::kWaiting) {}

  void Work() {
    for (size_t i; !stop_ && (i = next_++) < states_.size();) {
      const ItemState state = RunItem(i);
      {
        const std::lock_guard lock(mutex_);
        states_[i] = state;
        if (state == ItemState::kFailed) stop_ = true;
      }
      finished_.notify_one();
    }
  }

  // Waits for item i; true when it succeeded, false when it failed or, after another failed, was
  // never started. An item started before the failure is waited for: it finishes.
  bool WaitFor(size_t i) {
    std::unique_lock lock(mutex_);
    finished_.wait(lock,
                   [&] { return states_[i] != ItemState::kWaiting || (stop_ && i >= next_); });
    return states_[i] == ItemState::kDone;
  }

  void Stop() { stop_ = true; }
  void RethrowAnyError() const {
    if (error_) std::rethrow_exception(error_);
  }

 private:
  ItemState RunItem(size_t i) {
    try {
      return work_(i) ? ItemState::kDone : ItemState::kFailed;
    } catch (...) {
      const std::lock_guard lock(mutex_);
      if (!error_) error_ = std::current_exception();
      return ItemState::kFailed;
    }
  }

  const std::function<bool(size_t)>& work_;
  std::vector<ItemState> states_;
  std::atomic<size_t> next_{0};
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::condition_variable finished_;
  std::exception_ptr error_;
};

// The threads of a run, stopped and joined on every way out (a throwing done() included).
class Pool {
 public:
  Pool(InOrderRun& run, size_t size) : run_(run) {
    for (size_t t = 0; t < size; ++t) threads_.emplace_back([&run] { run.Work(); });
  }
  ~Pool() { run_.Stop(); }  // the threads join after this, as members go
  Pool(const Pool&) = delete;
  Pool& operator=(const Pool&) = delete;

 private:
  InOrderRun& run_;
  std::vector<std::jthread> threads_;
};

}  // namespace

bool RunInOrder(size_t count, unsigned threads, const std::function<bool(size_t)>& work,
                const std::function<bool(size_t)>& done) {
  InOrderRun run(count, work);
  bool succeeded = true;
  {
    const Pool pool(run, std::clamp<size_t>(threads, 1, std::max<size_t>(count, 1)));
    for (size_t i = 0; i < count && succeeded; ++i) {
      succeeded = run.WaitFor(i) && done(i);
    }
  }
  run.RethrowAnyError();
  return succeeded;
}

}  // namespace quorvex2::detail
