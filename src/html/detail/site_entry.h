#pragma once
// One class or shared course of the site, with the pages written for it.
#include <cstdint>
#include <string>

namespace quorvex2::detail {

struct SiteEntry {
  int32_t class_index = 0;  // 1-based class position, 0 for a shared course
  int32_t course_num = 0;
  std::string name;       // "M21A" or "M21A/W21A"
  std::string file_name;  // "m21a" or "m21a_w21a"
  // The page files written for this entry ("" when not written), relative to the site folder.
  std::string result_page, analysis_page, leg_data_page, chart_page;
  std::string class_info;
  std::string winner;  // the index cell text, spaces already written "&nbsp;"

  bool HasPages() const {
    return !result_page.empty() || !analysis_page.empty() || !leg_data_page.empty() ||
           !chart_page.empty();
  }
};

}  // namespace quorvex2::detail
