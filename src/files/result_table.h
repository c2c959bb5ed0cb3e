#pragma once
// A result table as the CSV readers of today's event software gather it, before it becomes
// classes, courses and runners: per class its runners with status, result time and the
// cumulative times to their controls. PlaceResultTable (result_table_placement.cpp) turns it
// into the event the same way for every such format.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "quorvex2/core/lap_data.h"

namespace quorvex2 {
class clsQuorvex2;
}

namespace quorvex2::detail {

enum class TableStatus {
  kOk,
  kMissingPunch,
  kDidNotFinish,
  kDidNotStart,
  kDisqualified,
  kNotCompeting,
  kOverTime,
};

// The status of a text the tables write in place of a time or rank ("mp", "dsq", "n/c", "ret",
// ...); nothing when the text names none.
std::optional<TableStatus> StatusOfText(const std::string& text);

struct TableRunner {
  std::shared_ptr<clsLapData> lap = std::make_shared<clsLapData>();  // name, club, start, ...
  TableStatus status = TableStatus::kOk;
  std::optional<double> time;  // seconds from the start to the finish
  // Control codes in running order (empty when the format gives none) and, per control, the
  // seconds from the start to its punch (nothing where the punch is missing).
  std::vector<int32_t> codes;
  std::vector<std::optional<double>> splits;
  std::string place;       // the rank the file gives
  bool cut_short = false;  // the row ends before the punches it announces (a file cut in a row)
  bool ok_stated = false;  // the file says OK in so many words, whatever controls he punched
};

// The status the punches tell where the file gives none: without a finish time DNF (DNS when
// nothing was punched), with it OK when every control was punched, else a mispunch.
TableStatus StatusOfPunches(const TableRunner& runner);

struct TableClass {
  std::string name;
  int32_t length = 0;  // metres
  int32_t climb = 0;
  std::vector<TableRunner> runners;
};

struct ResultTable {
  std::vector<TableClass> classes;
  // When true the codes are the controls each runner punched (a runner whose codes differ from
  // the class's missed or added some); when false they are the course each runner was given
  // (runners of one class may run variants of a course).
  bool punched_codes = false;
  // What was left out, and what was read in a way of its own, one line each, for the warning
  // after the load.
  std::vector<std::string> notes;
  std::vector<std::string> remarks;

  // The class of that name, added at the end when it is new.
  TableClass& Class(const std::string& name);
  // Where each class stands in `classes`, kept by Class (a file may hold many thousands).
  std::unordered_map<std::string, size_t> positions;
  size_t RunnerCount() const;
  // Whether a runner has a time or a punch (a start list has neither).
  bool AnyRunnerRan() const;
};

// Adds the table's classes, courses and runners to the root with the load mode. A class with
// more controls than a runner's legs can hold is left out (noted in table.notes). Returns
// the number of runners offered to the classes.
size_t PlaceResultTable(clsQuorvex2& root, ResultTable& table, int32_t load_mode);

}  // namespace quorvex2::detail
