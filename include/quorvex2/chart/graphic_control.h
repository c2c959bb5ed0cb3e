#pragma once
// Chart layout, the analysis grid and the printed tables.
namespace quorvex2 {

class clsGraphicControl {
 public:
};

}  // namespace quorvex2
