#pragma once
// The data sets the web viewer gives a page each: every class, every course that several
// classes share, and every segment (a stretch of controls that several courses share).
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace quorvex2 {
class clsAnalyzer;
class clsLapData;
class clsQuorvex2;
}  // namespace quorvex2

namespace quorvex2::detail {

enum class WebEntryKind { kClass, kCourse, kSegment };

// "class", "course", "segment": the kind as the pages' data names it.
const char* KindName(WebEntryKind kind);

struct WebEntry {
  WebEntryKind kind = WebEntryKind::kClass;
  std::string name;         // "M21A", "M21A/W21A", "S-119-172-126-150"
  std::string page;         // the page's file name in the site folder
  int32_t class_index = 0;  // 1-based, for a class
  int32_t course_num = 0;   // for a class (its course, 0 when none) and a shared course
  int32_t segment = 0;      // 1-based, for a segment
  // The control codes from start (0) to finish (9999), when known; empty otherwise.
  std::vector<int32_t> codes;
  std::vector<std::string> classes;  // the classes of a shared course or segment
};

// Classes in class order, then the shared courses, then the segments; page names unique in the
// folder and never "index.html".
std::vector<WebEntry> WebEntries(const clsQuorvex2& root);

// The entry's runners after Execute, ExtraAnalyze and Tovarine.
std::shared_ptr<clsAnalyzer> AnalyseEntry(const clsQuorvex2& root, const WebEntry& entry);

// The runners of the entry's classes the analysis leaves out for having no legs (a non-starter,
// a result without split times), in class order; none for a segment.
std::vector<std::shared_ptr<clsLapData>> RunnersWithoutLegs(const clsQuorvex2& root,
                                                            const WebEntry& entry);

// The serial number of the first runner of RunnersWithoutLegs, the others following it: after
// the highest of the analysed runners'.
int32_t FirstSerialWithoutLegs(const clsAnalyzer& analyzer);

}  // namespace quorvex2::detail
