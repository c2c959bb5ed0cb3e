// Finding the stretches of three or more control codes that two courses share.
#include <algorithm>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

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

using ClassList = std::vector<std::shared_ptr<clsClassData>>;

// The segment list being built, with the segments by name and the classes by course, so that
// events of many courses and classes do not search them again for every stretch.
class SegmentBuilder {
 public:
  SegmentBuilder(std::vector<std::shared_ptr<clsSegmentData>>& segments, const ClassList& classes)
      : segments_(segments) {
    for (const auto& cls : classes) classes_by_course_[cls->CourseNum].push_back(cls.get());
  }

  // Every alignment at which the two courses overlap, from -(A's finish position) to B's finish
  // position, in increasing order: a shared run-in to the finish is found whichever course is
  // longer. Only the alignments that put some equal codes side by side can hold a run.
  void FindStretches(const clsCourseData& a, const clsCourseData& b) {
    for (const int32_t offset : MatchingOffsets(CodesOf(a), CodesOf(b))) {
      for (const Run& run : RunsAtOffset(a, b, offset)) AddStretch(a, b, offset, run);
    }
  }

 private:
  // The course's (code, position) pairs from the start to the finish, sorted.
  using Codes = std::vector<std::pair<int32_t, int32_t>>;

  const Codes& CodesOf(const clsCourseData& course) {
    auto [entry, added] = codes_.try_emplace(&course);
    if (added) {
      for (int32_t k = 0; k <= FinishPosition(course); ++k) {
        entry->second.emplace_back(course.ControlNum(k), k);
      }
      std::sort(entry->second.begin(), entry->second.end());
    }
    return entry->second;
  }

  // The offsets (B's position minus A's) at which a code of A meets the same code of B, in
  // increasing order.
  static std::vector<int32_t> MatchingOffsets(const Codes& a, const Codes& b) {
    std::vector<int32_t> offsets;
    auto ia = a.begin();
    auto ib = b.begin();
    while (ia != a.end() && ib != b.end()) {
      if (ia->first < ib->first) {
        ++ia;
      } else if (ib->first < ia->first) {
        ++ib;
      } else {
        const int32_t code = ia->first;
        const auto end_b =
            std::find_if(ib, b.end(), [code](const auto& e) { return e.first != code; });
        for (; ia != a.end() && ia->first == code; ++ia) {
          for (auto jb = ib; jb != end_b; ++jb) offsets.push_back(jb->second - ia->second);
        }
        ib = end_b;
      }
    }
    std::sort(offsets.begin(), offsets.end());
    offsets.erase(std::unique(offsets.begin(), offsets.end()), offsets.end());
    return offsets;
  }

  // A stretch already known gains the classes of B; a new one lists the classes of A, then B's.
  void AddStretch(const clsCourseData& a, const clsCourseData& b, int32_t offset, const Run& run) {
    const std::string name = StretchName(run.codes);
    if (const auto found = by_name_.find(name); found != by_name_.end()) {
      ListClasses(*found->second, b, run.first + offset + 1);
      return;
    }
    auto segment = std::make_shared<clsSegmentData>();
    segment->SetSegmentName(name, detail::MakeInternal());
    segment->SetControlCount(static_cast<int32_t>(run.codes.size()) - 2, detail::MakeInternal());
    ListClasses(*segment, a, run.first + 1);
    ListClasses(*segment, b, run.first + offset + 1);
    by_name_.emplace(name, segment.get());
    segments_.push_back(std::move(segment));
  }

  // Lists every class running the course, with the leg at which the stretch begins on it; a
  // class already listed is skipped.
  void ListClasses(clsSegmentData& segment, const clsCourseData& course, int32_t first_leg) {
    const auto on_course = classes_by_course_.find(course.CourseIndex);
    if (on_course == classes_by_course_.end()) return;
    std::unordered_set<std::string>& listed = listed_[&segment];
    for (const clsClassData* cls : on_course->second) {
      if (listed.insert(cls->ClassName()).second) {
        segment.TargetClassList.push_back(cls->ClassName() + ";" + std::to_string(first_leg));
      }
    }
  }

  std::vector<std::shared_ptr<clsSegmentData>>& segments_;
  std::unordered_map<std::string, clsSegmentData*> by_name_;
  std::unordered_map<int32_t, std::vector<const clsClassData*>> classes_by_course_;
  std::unordered_map<const clsCourseData*, Codes> codes_;
  std::unordered_map<const clsSegmentData*, std::unordered_set<std::string>> listed_;
};

}  // namespace

void clsQuorvex2::MakeSegmentSet() {
  segments_.clear();
  SegmentBuilder builder(segments_, classes_);
  for (size_t i = 0; i < courses_.size(); ++i) {
    for (size_t j = i + 1; j < courses_.size(); ++j)
      builder.FindStretches(*courses_[i], *courses_[j]);
  }
}

}  // namespace quorvex2
