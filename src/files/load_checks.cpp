#include "files/detail/load_checks.h"

#include <vector>

#include "core/detail/component_state.h"
#include "files/detail/load_error.h"
#include "files/detail/omission_report.h"
#include "quorvex2/core/class_data.h"
#include "quorvex2/core/lap_data.h"
#include "quorvex2/core/load_mode.h"
#include "quorvex2/core/root.h"
#include "quorvex2/files/file_types.h"

namespace quorvex2::detail {
namespace {

constexpr const char* kLocation = "clsFileControl.LoadLapFile";
// Where a load ends that left every class out.
constexpr const char* kLeftOutLocation = "clsFileControl.LeaveOutClasses";
// A runner record holds a leg to each control and one to the finish: a class of more controls
// cannot be read whole, and its analysis would fail on a leg no record has.
constexpr int32_t kMostControls = clsLapData::kMaxLegs - 1;

// Native lap files and IOF lists may hold an event without runners, and so may version-1 files
// (the reader of type 3 refuses generic tables without runners itself); an import-only file adds
// none by design. Every other format is a list of runners.
bool ListsRunners(int32_t file_type) {
  return file_type != QX_FILETYPE_QUORVEX2 && file_type != QX_FILETYPE_QUORVEX1 &&
         file_type != QX_FILETYPE_IMPORT_ONLY && file_type != QX_FILETYPE_IOF_XML_20_RESULT &&
         file_type != QX_FILETYPE_IOF_XML_30_RESULT;
}

bool IsRun(const clsQuorvex2& root, int32_t course) {
  for (int32_t c = 1; c <= root.ClassCount(); ++c) {
    if (root.ClassData(c)->CourseNum == course) return true;
  }
  return false;
}

// A course that only left-out classes ran goes with them, and so do the shared stretches it
// gave.
void LeaveOutUnrunCourses(clsQuorvex2& root, const std::vector<int32_t>& courses) {
  bool removed = false;
  for (const int32_t course : courses) {
    if (course == 0 || !root.IsCourseExists(course) || IsRun(root, course)) continue;
    root.RemoveCourse(course);
    removed = true;
  }
  if (removed) root.MakeSegmentSet();
}

// True when a class was left out.
bool LeaveOutOverlongClasses(clsQuorvex2& root) {
  std::vector<std::string> names;
  std::vector<int32_t> courses;
  std::vector<std::string> notes;
  for (int32_t c = 1; c <= root.ClassCount(); ++c) {
    const auto data = root.ClassData(c);
    if (data->ControlCount <= kMostControls) continue;
    names.push_back(data->ClassName());
    courses.push_back(data->CourseNum);
    notes.push_back(ClassLeftOutText(data->ClassName(), data->ControlCount, kMostControls));
  }
  for (const std::string& name : names) root.RemoveClass(name);
  LeaveOutUnrunCourses(root, courses);
  ReportOmissions(kLocation, notes);
  return !names.empty();
}

bool HoldsResults(const clsQuorvex2& root) {
  for (int32_t c = 1; c <= root.ClassCount(); ++c) {
    const auto data = root.ClassData(c);
    for (int32_t i = 1; i <= data->LapCount(); ++i) {
      const auto lap = data->LapData(i);
      if (!lap->Result().empty() || lap->LegCount() > 0) return true;
    }
  }
  return false;
}

// A result or a leg time offered to a class; in load mode 0 one must also be left after the
// classes that cannot be analysed are left out. Merging only needs runners to merge (a list of
// names and clubs fills in the runners held).
bool FoundResults(const clsQuorvex2& root, const LoadScope& scope, int32_t load_mode) {
  if ((load_mode & 4095) >= QX_LOADMODE_MERGE_ID) {
    return State().runners_offered > scope.runners_offered_before;
  }
  if (State().results_offered == scope.results_offered_before) return false;
  return load_mode != QX_LOADMODE_NORMAL || HoldsResults(root);
}

void TakeBack(clsQuorvex2& root, const LoadScope& scope, int32_t load_mode) {
  if (load_mode == QX_LOADMODE_NORMAL) {
    root.Clear();
    return;
  }
  for (int32_t c = 1; c <= root.ClassCount(); ++c) {
    const auto data = root.ClassData(c);
    for (int32_t i = data->LapCount(); i >= 1; --i) {
      if (data->LapData(i)->SerialNum() > scope.last_serial_before) data->RemoveLap(i);
    }
  }
  while (root.ClassCount() > scope.classes_before) {
    root.RemoveClass(root.ClassData(root.ClassCount())->ClassName());
  }
  *root.EventData() = scope.event;
  *root.MetaData() = scope.meta;
}

}  // namespace

LoadScope BeginLoad(const clsQuorvex2& root) {
  return {*root.EventData(),      *root.MetaData(),        root.ClassCount(),
          State().serial_counter, State().runners_offered, State().results_offered};
}

bool AcceptLoad(clsQuorvex2& root, const LoadScope& scope, int32_t file_type, int32_t load_mode,
                const std::string& file_name) {
  // Any file, our own included, whose every class was left out gives no event to analyse.
  const bool emptied = LeaveOutOverlongClasses(root) && root.ClassCount() == 0;
  if (!emptied && (!ListsRunners(file_type) || FoundResults(root, scope, load_mode))) return true;
  TakeBack(root, scope, load_mode);
  // Notes of this load (classes left out) stay below the refusal.
  const std::string notes = State().error_comment;
  const std::string why =
      emptied ? NothingLeftText(file_name) : NotAResultFileText(file_name, file_type);
  SetErrorComment(why + "\r\n" + (emptied ? kLeftOutLocation : kLocation) +
                  (notes.empty() ? "" : "\r\n" + notes));
  return false;
}

}  // namespace quorvex2::detail
