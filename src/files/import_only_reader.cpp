// Reading the append-only runner information file: header lines name the name, club and sex
// columns; each data line updates every runner whose name gives the same name key.
#include <exception>
#include <memory>
#include <unordered_map>
#include <vector>

#include "core/detail/component_state.h"
#include "files/csv_table_columns.h"
#include "files/csv_table_header.h"
#include "files/csv_table_lines.h"
#include "files/detail/load_error.h"
#include "files/detail/progress.h"
#include "files/import_only_format.h"
#include "quorvex2/core/load_mode.h"
#include "quorvex2/core/root.h"
#include "quorvex2/core/text.h"

namespace quorvex2::detail {
namespace {

using RunnersByKey = std::unordered_map<std::string, std::vector<clsLapData*>>;

// Every runner of every class under its name key, in root class order and class order.
RunnersByKey IndexRunners(const clsQuorvex2& root) {
  RunnersByKey index;
  for (int32_t c = 1; c <= root.ClassCount(); ++c) {
    const auto data = root.ClassData(c);
    for (int32_t i = 1; data && i <= data->LapCount(); ++i) {
      if (auto lap = data->LapData(i)) index[MakeNameKey(lap->RunnerName)].push_back(lap.get());
    }
  }
  return index;
}

struct ImportColumns {
  int32_t name = -1;
  int32_t club = -1;
  int32_t sex = -1;
};

ImportColumns ReadImportColumns(const std::string& header_line) {
  const TableColumns columns = ReadTableColumns(header_line);
  return {columns.runner_name, columns.club, columns.sex};
}

// The imported club replaces an empty one, or any one when the new data has priority (an empty
// imported club then clears it). The sex is only ever filled in.
void UpdateRunner(clsLapData& lap, const std::string& club, const std::string& sex,
                  int32_t load_mode) {
  const bool new_data_first = (load_mode & QX_LOADMODE_PRIORITY_NEWDATA) != 0;
  if (lap.ClubName.empty() || new_data_first) lap.ClubName = club;
  if (lap.Sex.empty()) lap.Sex = sex;
}

void ImportLines(const std::vector<std::string>& lines, const ReadRequest& request,
                 const RunnersByKey& runners) {
  ImportColumns columns;
  for (size_t i = 0; i < lines.size(); ++i) {
    request.progress->Step(static_cast<double>(i + 1), static_cast<double>(lines.size()));
    const std::string line = NormalizeHeaderLine(CleanTableLine(lines[i]));
    if (line.empty()) continue;
    if (line.find("名前") != std::string::npos) {
      columns = ReadImportColumns(line);
      continue;
    }
    if (columns.name < 0) continue;
    const auto fields = SplitText(line, ",");
    const std::string key = MakeNameKey(FieldAt(fields, columns.name));
    const auto found = key.empty() ? runners.end() : runners.find(key);
    if (found == runners.end()) continue;
    for (clsLapData* lap : found->second) {
      UpdateRunner(*lap, FieldAt(fields, columns.club), FieldAt(fields, columns.sex),
                   request.load_mode);
    }
  }
}

}  // namespace

bool LoadImportOnly(const ReadRequest& request) {
  const clsQuorvex2* root = CurrentRoot();
  if (root == nullptr) return false;
  try {
    const auto lines = TableLines(request);
    if (!lines || (lines->size() == 1 && lines->front().empty())) return false;
    request.progress->Start();
    ImportLines(*lines, request, IndexRunners(*root));
    request.progress->Finish();
    return true;
  } catch (const std::exception& error) {
    request.progress->Finish();
    return FailLoad(kCannotOpenFile, kImportOnlyLocation, error.what());
  }
}

}  // namespace quorvex2::detail
