// The statuses of result tables and the table's classes.
#include "files/result_table.h"

#include <algorithm>
#include <utility>

#include "quorvex2/core/text.h"

namespace quorvex2::detail {

std::optional<TableStatus> StatusOfText(const std::string& text) {
  static const std::pair<const char*, TableStatus> kTexts[] = {
      {"MP", TableStatus::kMissingPunch},   {"MISPUNCH", TableStatus::kMissingPunch},
      {"DNF", TableStatus::kDidNotFinish},  {"RET", TableStatus::kDidNotFinish},
      {"DNS", TableStatus::kDidNotStart},   {"DSQ", TableStatus::kDisqualified},
      {"DISQ", TableStatus::kDisqualified}, {"DQ", TableStatus::kDisqualified},
      {"NC", TableStatus::kNotCompeting},   {"N/C", TableStatus::kNotCompeting},
      {"OT", TableStatus::kOverTime},       {"OCL", TableStatus::kOverTime},
  };
  std::string key = ToUpper(text);
  std::erase_if(key, [](char c) { return c == ' ' || c == '.'; });
  for (const auto& [name, status] : kTexts) {
    if (key == name) return status;
  }
  return std::nullopt;
}

namespace {

bool Punched(const std::optional<double>& split) {
  return split.has_value();
}

}  // namespace

TableStatus StatusOfPunches(const TableRunner& runner) {
  if (!runner.time) {
    return std::any_of(runner.splits.begin(), runner.splits.end(), Punched)
               ? TableStatus::kDidNotFinish
               : TableStatus::kDidNotStart;
  }
  return std::all_of(runner.splits.begin(), runner.splits.end(), Punched)
             ? TableStatus::kOk
             : TableStatus::kMissingPunch;
}

TableClass& ResultTable::Class(const std::string& name) {
  const auto [at, added] = positions.try_emplace(name, classes.size());
  if (added) classes.push_back(TableClass{name, 0, 0, {}});
  return classes[at->second];
}

bool ResultTable::AnyRunnerRan() const {
  for (const TableClass& c : classes) {
    for (const TableRunner& runner : c.runners) {
      if ((runner.time && *runner.time > 0) ||
          std::any_of(runner.splits.begin(), runner.splits.end(), Punched)) {
        return true;
      }
    }
  }
  return false;
}

size_t ResultTable::RunnerCount() const {
  size_t count = 0;
  for (const TableClass& c : classes) count += c.runners.size();
  return count;
}

}  // namespace quorvex2::detail
