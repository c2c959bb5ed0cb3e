#pragma once
// Text and CSV exports.
namespace quorvex2 {

class clsTextControl {
 public:
};

}  // namespace quorvex2
