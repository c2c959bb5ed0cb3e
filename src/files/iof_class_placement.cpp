// Placing the runners of one IOF class into the event, with its course.
#include <algorithm>

#include "files/iof_reader_parts.h"
#include "quorvex2/core/class_data.h"
#include "quorvex2/core/course_data.h"
#include "quorvex2/core/root.h"

namespace quorvex2::detail {
namespace {

// The runner whose controls stand for the class: the first finisher with controls, else the
// runner with the most controls; nullptr when no runner has any.
const IofRunner* ReferenceRunner(const std::vector<IofRunner>& runners) {
  const IofRunner* most = nullptr;
  for (const auto& runner : runners) {
    if (runner.finished && !runner.codes.empty()) return &runner;
    if (!runner.codes.empty() && (!most || runner.codes.size() > most->codes.size())) {
      most = &runner;
    }
  }
  return most;
}

bool SameControls(const clsCourseData& course, const std::vector<int32_t>& codes) {
  if (course.ControlCount != static_cast<int32_t>(codes.size())) return false;
  for (size_t k = 0; k < codes.size(); ++k) {
    if (course.ControlNum(static_cast<int32_t>(k + 1)) != codes[k]) return false;
  }
  return true;
}

int32_t NextCourseNumber(const clsQuorvex2& root) {
  int32_t highest = 0;
  for (int32_t i = 1; i <= root.CourseCount(); ++i) {
    highest = std::max(highest, root.CourseData(i)->CourseIndex);
  }
  return highest + 1;
}

// The number of the course with these controls: an existing one with the same sequence, else a
// new one under the file's id when that is free, else under the next free number.
int32_t CourseFor(clsQuorvex2& root, std::vector<int32_t> codes, int32_t file_id,
                  IofOmissions& omissions) {
  if (codes.size() > static_cast<size_t>(clsCourseData::kMaxControls)) {
    ++omissions.cut_controls;
    codes.resize(clsCourseData::kMaxControls);
  }
  for (int32_t i = 1; i <= root.CourseCount(); ++i) {
    const auto course = root.CourseData(i);
    if (SameControls(*course, codes)) return course->CourseIndex;
  }
  const int32_t number =
      file_id > 0 && !root.IsCourseExists(file_id) ? file_id : NextCourseNumber(root);
  auto course = root.AddCourse(number);
  course->ControlCount = static_cast<int32_t>(codes.size());
  for (size_t k = 0; k < codes.size(); ++k) {
    course->ControlNum(static_cast<int32_t>(k + 1), codes[k]);
  }
  return number;
}

// Code 0 stands for a control the runner's list leaves open.
bool SameOrOpen(const std::vector<int32_t>& codes, const std::vector<int32_t>& reference) {
  if (codes.size() > reference.size()) return false;
  for (size_t k = 0; k < codes.size(); ++k) {
    if (codes[k] != 0 && codes[k] != reference[k]) return false;
  }
  return true;
}

// Runners on another course than the reference: a different course id, or a finisher with
// other controls (a runner who gave up may list fewer; a mispunch may list a wrong one).
bool HasOtherControls(const std::vector<IofRunner>& runners, const IofRunner& reference) {
  return std::any_of(runners.begin(), runners.end(), [&reference](const IofRunner& runner) {
    const int32_t id = runner.course.id;
    if (id != 0 && reference.course.id != 0 && id != reference.course.id) return true;
    return runner.finished && !SameOrOpen(runner.codes, reference.codes);
  });
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
  if (HasOtherControls(group.runners, *reference)) {
    omissions.mixed_courses.push_back(group.name);
  }
}

}  // namespace

void PlaceIofClass(clsQuorvex2& root, IofClassGroup& group, int32_t load_mode,
                   IofOmissions& omissions) {
  auto data = root.AddClass(group.name);
  if (data->LapCount() == 0 && data->CourseNum == 0) SetCourse(root, *data, group, omissions);
  for (auto& runner : group.runners) data->AddLapObject(runner.lap, load_mode);
}

}  // namespace quorvex2::detail
