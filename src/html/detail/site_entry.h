#pragma once
// One class or shared course of the site, with the pages written for it.
#include <string>
#include <vector>

#include "core/detail/class_and_course_entries.h"

namespace quorvex2::detail {

// A file of the site made and not yet written: its path and its bytes. A page that cannot be
// written stops the run; a chart picture's write is not checked.
struct SiteFile {
  std::string path;
  std::string bytes;
  bool checked = true;
};

// The entry of the class-and-course list, its file_name made unique among the site's.
struct SiteEntry : ClassAndCourseEntry {
  // The page files written for this entry ("" when not written), relative to the site folder.
  std::string result_page, analysis_page, leg_data_page, chart_page;
  std::string class_info;
  std::string winner;           // the index cell text, spaces already written "&nbsp;"
  std::vector<SiteFile> files;  // the pages and images made for it, in the order they are written

  bool HasPages() const {
    return !result_page.empty() || !analysis_page.empty() || !leg_data_page.empty() ||
           !chart_page.empty();
  }
};

}  // namespace quorvex2::detail
