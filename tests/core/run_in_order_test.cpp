// Work on a few threads, its results taken in order on the calling thread; a failing or throwing
// item stops the run.
#include "core/detail/run_in_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

namespace quorvex2::detail {
namespace {

TEST(RunInOrder, DoneInOrderUntilAnItemFails) {
  enum class Stop { kNone, kWorkFails, kWorkThrows, kDoneRefuses };
  struct Case {
    const char* name;
    size_t at;  // the item that stops the run; count: none
    Stop stop;
  };
  constexpr size_t kCount = 200;
  for (const Case& c :
       {Case{"all succeed", kCount, Stop::kNone}, Case{"one fails", 57, Stop::kWorkFails},
        Case{"one throws", 120, Stop::kWorkThrows},
        Case{"one is refused when done", 33, Stop::kDoneRefuses}}) {
    for (const unsigned threads : {1u, 3u}) {
      SCOPED_TRACE(testing::Message() << c.name << ", " << threads << " threads");
      std::vector<size_t> done;
      std::atomic<size_t> worked{0};
      const auto work = [&](size_t i) {
        ++worked;
        if (i == c.at && c.stop == Stop::kWorkThrows) throw std::runtime_error("item");
        return i != c.at || c.stop != Stop::kWorkFails;
      };
      const auto take = [&](size_t i) {
        if (i == c.at && c.stop == Stop::kDoneRefuses) return false;
        done.push_back(i);
        return true;
      };
      bool result = false;
      if (c.stop == Stop::kWorkThrows) {
        EXPECT_THROW(RunInOrder(kCount, threads, work, take), std::runtime_error);
      } else {
        result = RunInOrder(kCount, threads, work, take);
      }
      EXPECT_EQ(result, c.stop == Stop::kNone);
      ASSERT_EQ(done.size(), c.at);
      for (size_t i = 0; i < done.size(); ++i) EXPECT_EQ(done[i], i);
      // On one thread no item starts after a failed one (on more, items taken before it is seen
      // may run, however long the failing item takes to throw).
      if (threads == 1 && c.stop != Stop::kDoneRefuses) {
        EXPECT_EQ(worked, std::min(c.at + 1, kCount));
      }
    }
  }
}

// Item 1 fails while item 0 is still running on the other thread: item 0 finishes and is done.
TEST(RunInOrder, AnItemRunningWhenALaterOneFailsIsDone) {
  std::atomic<bool> failed{false};
  const auto work = [&](size_t i) {
    if (i == 1) {
      failed = true;
      return false;
    }
    while (!failed) std::this_thread::yield();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));  // the failure is seen first
    return true;
  };
  std::vector<size_t> done;
  EXPECT_FALSE(RunInOrder(2, 2, work, [&](size_t i) {
    done.push_back(i);
    return true;
  }));
  EXPECT_EQ(done, std::vector<size_t>{0});
}

}  // namespace
}  // namespace quorvex2::detail
