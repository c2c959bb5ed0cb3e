// Finding the stretches of three or more control codes that two courses share.
#include <algorithm>

#include "core/detail/internal.h"
#include "quorvex2/core/root.h"
#include "quorvex2/core/text.h"

namespace quorvex2 {
namespace {

// A run of equal codes of two courses aligned at an offset: A's positions first..first+size-1
// against B's positions shifted by the offset.
struct Run {
  int32_t first = 0;
  std::vector<int32_t> codes;
};

// "-c1-c2-...-cn-" with the start written S and the finish F, without the outer dashes.
std::string StretchName(const std::vector<int32_t>& codes) {
  std::string name = "-";
  for (const int32_t code : codes) name += std::to_string(code) + "-";
  name = ReplaceAll(ReplaceAll(name, "-0-", "-S-"), "-9999-", "-F-");
  return name.substr(1, name.size() - 2);
}

int32_t FinishPosition(const clsCourseData& course) {
  return course.ControlCount + 1;
}

// Every run of three or more equal codes of A (at k) and B (at k + offset), in walking order.
std::vector<Run> RunsAtOffset(const clsCourseData& a, const clsCourseData& b, int32_t offset) {
  std::vector<Run> runs;
  Run current;
  const auto close = [&] {
    if (current.codes.size() >= 3) runs.push_back(current);
    current.codes.clear();
  };
  for (int32_t k = 0; k <= FinishPosition(a); ++k) {
    const int32_t kb = k + offset;
    if (kb < 0 || kb > FinishPosition(b)) continue;
    if (a.ControlNum(k) != b.ControlNum(kb)) {
      close();
      continue;
    }
    if (current.codes.empty()) current.first = k;
    current.codes.push_back(a.ControlNum(k));
    if (k == FinishPosition(a) || kb == FinishPosition(b)) close();
  }
  close();
  return runs;
}

std::string ListedClassName(const std::string& entry) {
  return entry.substr(0, entry.rfind(';'));
}

// Lists every class running the course, with the leg at which the stretch begins on it; a
// class already listed is skipped.
void ListClasses(clsSegmentData& segment, const std::vector<std::shared_ptr<clsClassData>>& classes,
                 const clsCourseData& course, int32_t first_leg) {
  for (const auto& cls : classes) {
    if (cls->CourseNum != course.CourseIndex) continue;
    const auto& list = segment.TargetClassList;
    const bool listed = std::any_of(list.begin(), list.end(), [&](const std::string& entry) {
      return ListedClassName(entry) == cls->ClassName();
    });
    if (!listed)
      segment.TargetClassList.push_back(cls->ClassName() + ";" + std::to_string(first_leg));
  }
}

using SegmentList = std::vector<std::shared_ptr<clsSegmentData>>;
using ClassList = std::vector<std::shared_ptr<clsClassData>>;

// A stretch already known gains the classes of B; a new one lists the classes of A, then B's.
void AddStretch(SegmentList& segments, const ClassList& classes, const clsCourseData& a,
                const clsCourseData& b, int32_t offset, const Run& run) {
  const std::string name = StretchName(run.codes);
  const auto found = std::find_if(segments.begin(), segments.end(),
                                  [&](const auto& s) { return s->SegmentName() == name; });
  if (found != segments.end()) {
    ListClasses(**found, classes, b, run.first + offset + 1);
    return;
  }
  auto segment = std::make_shared<clsSegmentData>();
  segment->SetSegmentName(name, detail::MakeInternal());
  segment->SetControlCount(static_cast<int32_t>(run.codes.size()) - 2, detail::MakeInternal());
  ListClasses(*segment, classes, a, run.first + 1);
  ListClasses(*segment, classes, b, run.first + offset + 1);
  segments.push_back(std::move(segment));
}

// Every alignment at which the two courses overlap, from -(A's finish position) to B's finish
// position, in increasing order: a shared run-in to the finish is found whichever course is
// longer.
void FindStretches(SegmentList& segments, const ClassList& classes, const clsCourseData& a,
                   const clsCourseData& b) {
  for (int32_t offset = -FinishPosition(a); offset <= FinishPosition(b); ++offset) {
    for (const Run& run : RunsAtOffset(a, b, offset)) {
      AddStretch(segments, classes, a, b, offset, run);
    }
  }
}

}  // namespace

void clsQuorvex2::MakeSegmentSet() {
  segments_.clear();
  for (size_t i = 0; i < courses_.size(); ++i) {
    for (size_t j = i + 1; j < courses_.size(); ++j) {
      FindStretches(segments_, classes_, *courses_[i], *courses_[j]);
    }
  }
}

}  // namespace quorvex2
