// Placing the runners of one IOF class into the event, with its course.
#include <algorithm>
#include <map>
#include <numeric>

#include "files/course_by_controls.h"
#include "files/iof_reader_parts.h"
#include "quorvex2/core/class_data.h"
#include "quorvex2/core/course_data.h"
#include "quorvex2/core/root.h"

namespace quorvex2::detail {
namespace {

// The runner whose code sequence is the most common among the runners `counted` accepts
// (ties: the longer sequence, then the earlier runner); nullptr when none lists any code.
template <class Counted>
const IofRunner* MostCommonCodes(const std::vector<IofRunner>& runners, Counted counted) {
  std::map<std::vector<int32_t>, int32_t> counts;
  for (const auto& runner : runners) {
    if (!runner.codes.empty() && counted(runner)) ++counts[runner.codes];
  }
  const IofRunner* best = nullptr;
  int32_t best_count = 0;
  for (const auto& runner : runners) {
    if (runner.codes.empty() || !counted(runner)) continue;
    const int32_t count = counts[runner.codes];
    if (best == nullptr || count > best_count ||
        (count == best_count && runner.codes.size() > best->codes.size())) {
      best = &runner;
      best_count = count;
    }
  }
  return best;
}

// The runner whose controls stand for the class: the sequence most finishers ran, else the
// one most runners list.
const IofRunner* ReferenceRunner(const std::vector<IofRunner>& runners) {
  const IofRunner* finisher =
      MostCommonCodes(runners, [](const IofRunner& runner) { return runner.finished; });
  return finisher ? finisher : MostCommonCodes(runners, [](const IofRunner&) { return true; });
}

// The number of the course with these controls: an existing one with the same sequence, else a
// new one under the file's id when that is free, else under the next free number.
int32_t CourseFor(clsQuorvex2& root, const std::vector<int32_t>& codes, int32_t file_id,
                  IofOmissions& omissions) {
  if (codes.size() > static_cast<size_t>(clsCourseData::kMaxControls)) ++omissions.cut_controls;
  return CourseNumberFor(root, codes, file_id);
}

int32_t PositiveOr(int32_t value, int32_t fallback) {
  return value > 0 ? value : fallback;
}

void SetCourse(clsQuorvex2& root, clsClassData& data, const IofClassGroup& group,
               IofOmissions& omissions) {
  const IofRunner* reference = ReferenceRunner(group.runners);
  const IofCourseInfo none;
  const IofCourseInfo& own = reference ? reference->course : none;
  data.Length = PositiveOr(group.course.length, own.length);
  data.Climb = PositiveOr(group.course.climb, own.climb);
  if (reference == nullptr) return;
  data.ControlCount = static_cast<int32_t>(reference->codes.size());
  // A list without codes names no course (we write such lists for classes without one).
  if (std::all_of(reference->codes.begin(), reference->codes.end(),
                  [](int32_t code) { return code == 0; })) {
    return;
  }
  const int32_t file_id = PositiveOr(own.id, group.course.id);
  data.CourseNum = CourseFor(root, reference->codes, file_id, omissions);
  data.ControlCount = root.CourseData(std::to_string(data.CourseNum))->ControlCount;
}

std::vector<int32_t> CourseCodes(const clsQuorvex2& root, const clsClassData& data) {
  std::vector<int32_t> codes;
  const auto course = root.CourseData(std::to_string(data.CourseNum));
  if (data.CourseNum == 0 || !course) return codes;
  const int32_t controls = std::min(course->ControlCount, clsCourseData::kMaxControls);
  for (int32_t k = 1; k <= controls; ++k) codes.push_back(course->ControlNum(k));
  return codes;
}

// The controls of each fork the class's finishers ran, the most run first (ties: as listed).
std::vector<std::vector<int32_t>> Forks(const std::vector<IofRunner>& runners) {
  std::vector<std::vector<int32_t>> forks;
  std::vector<int32_t> counts;
  std::map<std::vector<int32_t>, size_t> place;  // of each fork in `forks`
  for (const auto& runner : runners) {
    const auto& codes = runner.codes;
    if (!runner.finished || codes.empty() || std::count(codes.begin(), codes.end(), 0) > 0) {
      continue;
    }
    const auto [at, added] = place.try_emplace(codes, forks.size());
    if (added) {
      forks.push_back(codes);
      counts.push_back(0);
    }
    ++counts[at->second];
  }
  std::vector<size_t> order(forks.size());
  std::iota(order.begin(), order.end(), size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&counts](size_t a, size_t b) { return counts[a] > counts[b]; });
  std::vector<std::vector<int32_t>> sorted;
  for (size_t i : order) sorted.push_back(std::move(forks[i]));
  return sorted;
}

// Off the course, splits as many as the course's controls are compared by position; others go
// onto the controls shared, which keeps the legs within the course's and the finish leg his.
IofAlignedSplits OffTheCourse(std::vector<IofSplit> splits, const std::vector<int32_t>& course) {
  const bool coded = std::none_of(splits.begin(), splits.end(), [](const IofSplit& split) {
    return IofFileNumber(split.code) == 0;
  });
  if (course.empty() || splits.size() == course.size() || !coded) return {std::move(splits), false};
  return {IofSplitsOnSharedControls(splits, course), false};
}

// The runner's splits on the class's course; off it, on the first fork whose controls his own
// fit (a control of it he missed gets a split without a time), so that a mispunched runner's
// later splits stay at their controls, and then as OffTheCourse puts them.
IofAlignedSplits Aligned(const IofRunner& runner, const std::vector<int32_t>& course,
                         const std::vector<std::vector<int32_t>>& forks) {
  IofAlignedSplits aligned = IofAlignSplits(runner.splits, course);
  if (aligned.fits) return aligned;
  for (const auto& fork : forks) {
    IofAlignedSplits on_fork = IofAlignSplits(runner.splits, fork);
    if (on_fork.fits) return OffTheCourse(std::move(on_fork.splits), course);
  }
  return OffTheCourse(std::move(aligned.splits), course);
}

// Legs without data at the end say nothing; one is added where it must: a runner without a
// result text is read by his last split (the analysis), which must not pass for a result, and
// a runner with more legs than the class has controls would pass for one who finished.
void EndLegs(std::vector<Date>& legs, bool finish_leg, bool no_result, size_t controls) {
  if (!finish_leg) {
    while (!legs.empty() && legs.back() == kTimeNoData) legs.pop_back();
  }
  if (legs.empty() || legs.back() <= 0) return;
  if (no_result || (!finish_leg && legs.size() > controls)) legs.push_back(kTimeNoData);
}

// The runner's legs from his splits placed on the course; false when his controls are not
// the course's (his legs then follow his own order).
bool StoreLegs(IofRunner& runner, const std::vector<int32_t>& course,
               const std::vector<std::vector<int32_t>>& forks, int32_t controls,
               IofOmissions& omissions) {
  if (runner.splits.empty() && !runner.finish) return true;
  IofAlignedSplits aligned = Aligned(runner, course, forks);
  const auto class_controls = static_cast<size_t>(std::max(controls, 0));
  // The finish is the leg after the class's last control, however few splits he lists (as far
  // as a record's legs reach).
  const size_t finish_after = std::min<size_t>(class_controls, clsLapData::kMaxLegs);
  if (runner.finish && aligned.splits.size() < finish_after) aligned.splits.resize(finish_after);
  std::vector<Date> legs = IofLegTimes(aligned.splits, runner.finish);
  EndLegs(legs, legs.size() > aligned.splits.size(), runner.lap->Result().empty(), class_controls);
  const size_t count = std::min<size_t>(legs.size(), clsLapData::kMaxLegs);
  // A class of more controls is left out whole after the load, with its own note.
  const bool class_kept = controls <= clsLapData::kMaxLegs;
  if (count < legs.size() && legs[count] != kTimeNoData && class_kept) ++omissions.cut_legs;
  for (size_t k = 0; k < count; ++k) {
    runner.lap->Lap(static_cast<int32_t>(k + 1))->Value(legs[k]);
  }
  return aligned.fits;
}

}  // namespace

void PlaceIofClass(clsQuorvex2& root, IofClassGroup& group, int32_t load_mode,
                   IofOmissions& omissions) {
  auto data = root.AddClass(group.name);
  if (data->LapCount() == 0 && data->CourseNum == 0) SetCourse(root, *data, group, omissions);
  const std::vector<int32_t> course = CourseCodes(root, *data);
  const std::vector<std::vector<int32_t>> forks = Forks(group.runners);
  bool mixed = false;
  for (auto& runner : group.runners) {
    // A finisher off the course ran another one; a runner who gave up or mispunched may not.
    const bool fits = StoreLegs(runner, course, forks, data->ControlCount, omissions);
    if (runner.finished && !fits) mixed = true;
    data->AddLapObject(runner.lap, load_mode);
  }
  if (mixed) omissions.mixed_courses.push_back(group.name);
}

}  // namespace quorvex2::detail
