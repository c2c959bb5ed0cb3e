#pragma once
// Settings kept by folder.
namespace quorvex2 {

class clsConfigControl {
 public:
};

}  // namespace quorvex2
