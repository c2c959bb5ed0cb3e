#pragma once
// Lap file loading and saving, and the web site generator.
namespace quorvex2 {

class clsFileControl {
 public:
};

}  // namespace quorvex2
