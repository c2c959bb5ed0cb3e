// Placing a gathered result table into the event: per class the controls most finishers share,
// its course, and per runner the leg times, result text and rank.
#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "files/code_sequences.h"
#include "files/course_by_controls.h"
#include "files/detail/load_messages.h"
#include "files/result_table.h"
#include "files/table_fields.h"
#include "quorvex2/core/class_data.h"
#include "quorvex2/core/format.h"
#include "quorvex2/core/root.h"

namespace quorvex2::detail {
namespace {

constexpr size_t kMostControls = clsLapData::kMaxLegs - 1;  // the finish takes the last leg

using Splits = std::vector<std::optional<double>>;

struct ClassControls {
  std::vector<int32_t> codes;  // empty when the format gives none
  size_t count = 0;
};

double WholeSeconds(double seconds) {
  return std::floor(seconds + 1e-6);
}

const char* StatusText(TableStatus status) {
  switch (status) {
    case TableStatus::kMissingPunch:
      return "MP";
    case TableStatus::kDidNotFinish:
      return "DNF";
    case TableStatus::kDidNotStart:
      return "DNS";
    case TableStatus::kDisqualified:
      return "DISQ";
    case TableStatus::kOverTime:
      return "OCL";
    case TableStatus::kNotCompeting:
      return "NC";
    case TableStatus::kOk:
      break;
  }
  return "";
}

bool Finished(const TableRunner& runner) {
  return runner.status == TableStatus::kOk && runner.time && *runner.time > 0;
}

// Whether the list is the class's by its runners' punches: more than half of them punched all
// of it (extra punches aside), or exactly half did and every code of it is punched by two or more
// runners (a control some missed, not one runner's stray punch).
bool MostPunched(const std::vector<int32_t>& codes,
                 const std::vector<const TableRunner*>& runners) {
  const auto punched =
      static_cast<size_t>(std::count_if(runners.begin(), runners.end(), [&](const TableRunner* r) {
        return IsPartOf(codes, r->codes);
      }));
  if (2 * punched != runners.size()) return 2 * punched > runners.size();
  return std::all_of(codes.begin(), codes.end(), [&](int32_t code) {
    return std::count_if(runners.begin(), runners.end(), [&](const TableRunner* r) {
             return std::find(r->codes.begin(), r->codes.end(), code) != r->codes.end();
           }) >= 2;
  });
}

// The codes all the runners punched, in order: each runner's stray punches left out.
std::vector<int32_t> CommonCodes(const std::vector<const TableRunner*>& runners) {
  std::vector<int32_t> common = runners.front()->codes;
  for (const TableRunner* runner : runners) {
    const auto taken = PunchesOnCourse(common, runner->codes);
    std::vector<int32_t> kept;
    for (size_t i = 0; i < common.size(); ++i) {
      if (taken[i]) kept.push_back(common[i]);
    }
    common = std::move(kept);
  }
  return common;
}

using Tally = std::vector<std::pair<ClassControls, size_t>>;

// The distinct control lists of the runners, each with the number of runners who have it.
Tally TallyOf(const std::vector<const TableRunner*>& runners) {
  Tally tally;
  for (const TableRunner* runner : runners) {
    const ClassControls controls{runner->codes, runner->splits.size()};
    auto same = std::find_if(tally.begin(), tally.end(), [&](const auto& entry) {
      return entry.first.codes == controls.codes && entry.first.count == controls.count;
    });
    if (same == tally.end()) {
      tally.emplace_back(controls, 1);
    } else {
      ++same->second;
    }
  }
  return tally;
}

// The longest of the lists that most of the runners who punched have punched in full (the most
// common on ties).
const ClassControls* MostShared(const Tally& tally, const TableClass& table_class) {
  std::vector<const TableRunner*> punched;
  for (const TableRunner& runner : table_class.runners) {
    if (!runner.codes.empty()) punched.push_back(&runner);
  }
  const std::pair<ClassControls, size_t>* shared = nullptr;
  for (const auto& entry : tally) {
    const auto& [controls, count] = entry;
    if (controls.codes.empty() || controls.codes.size() != controls.count ||
        !MostPunched(controls.codes, punched)) {
      continue;
    }
    if (shared == nullptr || controls.count > shared->first.count ||
        (controls.count == shared->first.count && count > shared->second)) {
      shared = &entry;
    }
  }
  return shared ? &shared->first : nullptr;
}

// The controls of a class: of the code lists its finishers have (all its runners when none
// finished) and, where the codes are the runners' punches, the codes they all punched, the
// longest that most runners punched in full, so that one runner's stray or doubled punch is no
// control and a control one of them missed still is; when no list is shared so widely (or the
// format gives no codes), the list most finishers have, the earliest on ties.
ClassControls ControlsOf(const TableClass& table_class, bool punched_codes) {
  const bool any_finished =
      std::any_of(table_class.runners.begin(), table_class.runners.end(), Finished);
  std::vector<const TableRunner*> runners;
  for (const TableRunner& runner : table_class.runners) {
    if (!any_finished || Finished(runner)) runners.push_back(&runner);
  }
  Tally tally = TallyOf(runners);
  if (punched_codes && tally.size() > 1) {  // the controls of lists that each hold a stray punch
    const std::vector<int32_t> common = CommonCodes(runners);
    if (!common.empty()) tally.emplace_back(ClassControls{common, common.size()}, 0);
  }
  if (const ClassControls* shared = MostShared(tally, table_class)) return *shared;
  auto most = std::max_element(tally.begin(), tally.end(),
                               [](const auto& a, const auto& b) { return a.second < b.second; });
  return most == tally.end() ? ClassControls{} : most->first;
}

// The runner's punch at each of the class's controls, found by code in running order.
Splits AlignedByCode(const TableRunner& runner, const std::vector<int32_t>& codes) {
  Splits aligned;
  for (const std::optional<size_t> punch : PunchesOnCourse(codes, runner.codes)) {
    aligned.push_back(punch && *punch < runner.splits.size() ? runner.splits[*punch]
                                                             : std::nullopt);
  }
  return aligned;
}

// How a runner's split times went onto the class's controls.
enum class Placement {
  kAsGiven,
  kByPosition,  // compared by position with another course's controls
  kOtherFork,   // a finisher on other controls: the legs between shared controls taken together
  kLeftOut,     // a finisher's, without codes and not fitting the controls: none was placed
};

class ClassPlacer {
 public:
  ClassPlacer(clsQuorvex2& root, ResultTable& table, int32_t load_mode)
      : root_(root), table_(table), load_mode_(load_mode) {}

  // A class without runners (a class line with no rows under it) is left out, as in the lists.
  size_t Place(TableClass& table_class) {
    if (table_class.runners.empty()) return 0;
    const ClassControls controls = ControlsOf(table_class, table_.punched_codes);
    if (controls.count > kMostControls) {
      table_.notes.push_back(
          TooManyLegsText(table_class.name, controls.count + 1, clsLapData::kMaxLegs));
      return 0;
    }
    auto data = root_.AddClass(table_class.name);
    SetCourse(*data, table_class, controls);
    bool by_position = false;
    size_t left_out = 0, other_fork = 0;
    for (TableRunner& runner : table_class.runners) {
      const Placement placement = PlaceRunner(*data, runner, controls);
      by_position |= placement == Placement::kByPosition;
      other_fork += placement == Placement::kOtherFork;
      left_out += placement == Placement::kLeftOut;
    }
    if (by_position) table_.remarks.push_back(MixedCoursesText(table_class.name));
    if (other_fork > 0) table_.remarks.push_back(OtherForkText(table_class.name, other_fork));
    if (left_out > 0) table_.notes.push_back(SplitsLeftOutText(table_class.name, left_out));
    return table_class.runners.size();
  }

 private:
  void SetCourse(clsClassData& data, const TableClass& table_class, const ClassControls& controls) {
    if (data.ControlCount == 0) data.ControlCount = static_cast<int32_t>(controls.count);
    if (data.Length == 0) data.Length = table_class.length;
    if (data.Climb == 0) data.Climb = table_class.climb;
    const auto& codes = controls.codes;
    if (data.CourseNum == 0 && !codes.empty() &&
        std::find(codes.begin(), codes.end(), 0) == codes.end()) {
      data.CourseNum = CourseNumberFor(root_, codes);
    }
  }

  Placement PlaceRunner(clsClassData& data, TableRunner& runner, const ClassControls& controls) {
    Placement placement = Placement::kAsGiven;
    const Splits splits = Aligned(runner, controls, placement);
    clsLapData& lap = *runner.lap;
    const bool mispunched =
        runner.status == TableStatus::kMissingPunch || runner.status == TableStatus::kDisqualified;
    SetLegs(lap, splits, runner.time, mispunched ? kTimeDisq : kTimeSkip);
    lap.Result(ResultText(runner));
    const bool ranked = runner.status == TableStatus::kOk && ReadCount(runner.place).has_value();
    lap.Rank = ranked ? runner.place : "";
    data.AddLapObject(runner.lap, load_mode_);
    return placement;
  }

  Splits Aligned(TableRunner& runner, const ClassControls& controls, Placement& placement) const {
    if (runner.splits.size() == controls.count && runner.codes == controls.codes) {
      return runner.splits;
    }
    if (runner.codes.empty() || controls.codes.empty()) {
      return Unaligned(runner, controls.count, placement);
    }
    if (table_.punched_codes) {
      // The controls punched in order give their times. A control missed makes a mispunch; an
      // extra punch (a wrong control on the way) does not. A runner the file gives as OK ran
      // another fork: the leg to the next control he shares with the class covers the others.
      Splits aligned = AlignedByCode(runner, controls.codes);
      const bool missed = std::any_of(aligned.begin(), aligned.end(),
                                      [](const std::optional<double>& split) { return !split; });
      if (missed && runner.status == TableStatus::kOk) {
        if (runner.ok_stated) {
          placement = Placement::kOtherFork;
        } else {
          runner.status = TableStatus::kMissingPunch;
        }
      }
      return aligned;
    }
    if (runner.codes.size() != controls.count) {
      if (Finished(runner)) placement = Placement::kOtherFork;
      return AlignedByCode(runner, controls.codes);
    }
    placement = Placement::kByPosition;
    return runner.splits;
  }

  // Splits without codes that do not fill the course: a runner without a finish has those of the
  // controls he reached, in order; the punches of any other runner cannot be placed.
  static Splits Unaligned(const TableRunner& runner, size_t count, Placement& placement) {
    Splits splits(count);
    if (!runner.time && runner.splits.size() < count) {
      std::copy(runner.splits.begin(), runner.splits.end(), splits.begin());
    } else if (!runner.splits.empty() && runner.status == TableStatus::kOk) {
      placement = Placement::kLeftOut;  // a mispunched runner lacks some as a matter of course
    }
    return splits;
  }

  // Leg k runs from the last earlier punch to punch k; a missing punch, or one not after the
  // last, gets the missing code; legs after the last punch (no finish) hold no data. Every
  // runner gets a leg per control and the finish, so that each one takes part in the analysis.
  static void SetLegs(clsLapData& lap, const Splits& splits, std::optional<double> time,
                      Date missing) {
    std::vector<Date> legs;
    size_t punched = 0;
    double previous = 0;
    auto add = [&](std::optional<double> seconds) {
      const double whole = seconds ? WholeSeconds(*seconds) : 0;
      if (whole <= previous) {
        legs.push_back(missing);
        return;
      }
      legs.push_back((whole - previous) / kSecondsPerDay);
      previous = whole;
      punched = legs.size();
    };
    for (const auto& split : splits) add(split);
    add(time);
    std::fill(legs.begin() + static_cast<std::ptrdiff_t>(punched), legs.end(), kTimeNoData);
    for (size_t k = 0; k < legs.size(); ++k) lap.Lap(static_cast<int32_t>(k + 1))->Value(legs[k]);
  }

  static std::string ResultText(const TableRunner& runner) {
    if (runner.status != TableStatus::kOk) return StatusText(runner.status);
    const double whole = runner.time ? WholeSeconds(*runner.time) : 0;
    if (whole <= 0) return StatusText(TableStatus::kDidNotFinish);
    if (whole >= kSecondsPerDay) return StatusText(TableStatus::kOverTime);
    return FormatDate(whole / kSecondsPerDay, "h:nn:ss");
  }

  clsQuorvex2& root_;
  ResultTable& table_;
  int32_t load_mode_;
};

}  // namespace

size_t PlaceResultTable(clsQuorvex2& root, ResultTable& table, int32_t load_mode) {
  ClassPlacer placer(root, table, load_mode);
  size_t placed = 0;
  for (TableClass& table_class : table.classes) placed += placer.Place(table_class);
  return placed;
}

}  // namespace quorvex2::detail
