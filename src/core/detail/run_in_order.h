#pragma once
// Work items run side by side on a few threads, their results taken in order on the calling
// thread.
#include <cstddef>
#include <functional>

namespace quorvex2::detail {

// Runs work(i) for i = 0 .. count - 1 on `threads` threads of its own (at least one) and calls
// done(i) on the calling thread for each i, in order, once it has finished. After a work item
// or a done(i) returns false, or a work item throws, no new item starts and no later done(i) is
// called: the result is false, or the first exception is rethrown here.
bool RunInOrder(size_t count, unsigned threads, const std::function<bool(size_t)>& work,
                const std::function<bool(size_t)>& done);

}  // namespace quorvex2::detail
