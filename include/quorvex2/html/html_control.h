#pragma once
// HTML pages of result lists, analyses, leg statistics and charts.
namespace quorvex2 {

class clsHtmlControl {
 public:
};

}  // namespace quorvex2
