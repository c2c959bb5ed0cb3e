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
  struct Case {
    const char* name;
    size_t fails_at;  // count: none fails
    bool throws;
  };
  constexpr size_t kCount = 200;
  for (const Case& c : {Case{"all succeed", kCount, false}, Case{"one fails", 57, false},
                        Case{"one throws", 120, true}}) {
    for (const unsigned threads : {1u, 3u}) {
      SCOPED_TRACE(testing::Message() << c.name << ", " << threads << " threads");
      std::vector<size_t> done;
      std::atomic<size_t> worked{0};
      const auto work = [&](size_t i) {
        ++worked;
        if (i == c.fails_at && c.throws) throw std::runtime_error("item");
        return i != c.fails_at;
      };
      bool result = false;
      if (c.throws) {
        EXPECT_THROW(RunInOrder(kCount, threads, work, [&](size_t i) { done.push_back(i); }),
                     std::runtime_error);
      } else {
        result = RunInOrder(kCount, threads, work, [&](size_t i) { done.push_back(i); });
      }
      EXPECT_EQ(result, c.fails_at == kCount);
      ASSERT_EQ(done.size(), c.fails_at);
      for (size_t i = 0; i < done.size(); ++i) EXPECT_EQ(done[i], i);
      // On one thread no item starts after a failure (on more, items taken before it is seen
      // may run, however long the failing item takes to throw).
      if (threads == 1) {
        EXPECT_EQ(worked, std::min(c.fails_at + 1, kCount));
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
  EXPECT_FALSE(RunInOrder(2, 2, work, [&](size_t i) { done.push_back(i); }));
  EXPECT_EQ(done, std::vector<size_t>{0});
}

}  // namespace
}  // namespace quorvex2::detail
