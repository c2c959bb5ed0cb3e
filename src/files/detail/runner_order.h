#pragma once
// The order in which the writers list a class's runners.
#include <cstdint>
#include <memory>
#include <vector>

namespace quorvex2 {
class clsQuorvex2;
class clsLapData;
}  // namespace quorvex2

namespace quorvex2::detail {

// The runners of the class at class_index in result order (through a results holder), then
// those the holder leaves out (no result text) in class order, so that no runner is dropped.
std::vector<std::shared_ptr<clsLapData>> RunnersInResultOrder(const clsQuorvex2& root,
                                                              int32_t class_index);

}  // namespace quorvex2::detail
