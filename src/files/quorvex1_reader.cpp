// Reading version-1 lap files and generic tables: find the data and its header, then read the
// runner lines class by class.
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/detail/component_state.h"
#include "files/csv_table_columns.h"
#include "files/csv_table_header.h"
#include "files/csv_table_lines.h"
#include "files/csv_table_shape.h"
#include "files/detail/load_error.h"
#include "files/detail/progress.h"
#include "files/quorvex1_format.h"
#include "files/quorvex1_header_lines.h"
#include "files/quorvex1_runner_line.h"
#include "quorvex2/core/root.h"
#include "quorvex2/core/text.h"

namespace quorvex2::detail {
namespace {

struct PreparedTable {
  std::vector<std::string> lines;
  size_t first_data = 0;         // lines before it are version-1 header lines
  bool cumulative_legs = false;  // a generic table, not a version-1 file
};

constexpr const char* kNoRunnerRows =
    TrNoop("選手の行がありません: 名前の列を挙げる見出し行と、選手ごとに 1 行が必要です");
constexpr const char* kNoTimes = TrNoop(
    "成績も区間タイムもある選手の行がありません: スタートリストや名簿ではなく成績の表が"
    "必要です");

struct RowCounts {
  size_t runners = 0;
  size_t timed = 0;  // with a result or a leg value
};

bool HasTimes(const clsLapData& lap) {
  if (!lap.Result().empty()) return true;
  for (int32_t k = 1; k <= lap.LegCount(); ++k) {
    if (lap.LapValue(k) != kTimeNoData) return true;
  }
  return false;
}

bool IsVersion1(const std::vector<std::string>& lines) {
  return !lines.empty() &&
         ToUpper(lines.front()).find(ToUpper(kVersion1Signature)) != std::string::npos;
}

size_t FirstNonHeaderLine(const std::vector<std::string>& lines) {
  size_t i = 0;
  while (i < lines.size() && lines[i].starts_with("$")) ++i;
  return i;
}

void ShowOrientationFailure() {
  clsQuorvex2* root = CurrentRoot();
  if (root != nullptr && root->ShowMessage) {
    root->ShowMessage(Tr(kOrientationMessage));
  } else {
    SetErrorComment(Tr(kOrientationMessage));
  }
}

// A generic table made ready for row reading: comma separated, header on top, header lines
// normalised. Nothing when the table is refused.
std::optional<PreparedTable> PrepareGenericTable(std::vector<std::string> lines) {
  if (IsMailTextExport(lines)) return std::nullopt;
  UnquoteFields(lines);
  SeparateBlankColumns(lines);
  const OrientationScores scores = ScoreOrientation(lines);
  if (scores.column <= 0 && scores.row <= 0) {
    ShowOrientationFailure();
    return std::nullopt;
  }
  if (scores.column >= scores.row) lines = TransposeTable(lines);
  for (auto& line : lines) line = NormalizeHeaderLine(line);
  return PreparedTable{std::move(lines), 0, true};
}

std::optional<PreparedTable> PrepareTable(std::vector<std::string> lines) {
  if (IsVersion1(lines)) {
    const size_t first = FirstNonHeaderLine(lines);
    return PreparedTable{std::move(lines), first, false};
  }
  return PrepareGenericTable(std::move(lines));
}

// Runner rows are read in full before any enters the event, so that a table refused for what
// its rows hold leaves the event as it was.
class RunnerLineReader {
 public:
  RunnerLineReader(int32_t load_mode, bool cumulative_legs)
      : load_mode_(load_mode), cumulative_legs_(cumulative_legs) {}

  const RowCounts& Counts() const { return counts_; }

  void Read(const std::string& raw_line) {
    const std::string line = CleanTableLine(raw_line);
    if (line.empty()) return;
    if (line.find("クラス") != std::string::npos) {
      columns_ = ReadTableColumns(line);
    } else if (columns_.NamesRunners()) {
      std::vector<std::string> fields = SplitText(line, ",");
      for (auto& field : fields) field = FieldCommasBack(std::move(field));
      ReadRunner(fields);
    }
  }

  // Every runner read, into the class named on its row, in the order of the rows.
  void AddTo(clsQuorvex2& root) {
    std::shared_ptr<clsClassData> class_data;
    const std::string* class_name = nullptr;
    for (auto& row : rows_) {
      if (!class_data || *class_name != row.class_name) {
        class_name = &row.class_name;
        class_data = root.AddClass(row.class_name);
        if (class_data->ControlCount == 0 && row.highest_leg > 1) {
          class_data->ControlCount = row.highest_leg - 1;
        }
      }
      class_data->AddLapObject(row.lap, load_mode_);
    }
  }

 private:
  struct Row {
    std::string class_name;
    int32_t highest_leg;  // of the column names the row was read under
    std::shared_ptr<clsLapData> lap;
  };

  void ReadRunner(const std::vector<std::string>& fields) {
    std::string class_name = FieldAt(fields, columns_.class_name);
    if (class_name.empty()) class_name = kUnnamed;
    auto lap = ReadRunnerLine(fields, columns_, cumulative_legs_);
    ++counts_.runners;
    counts_.timed += HasTimes(*lap);
    rows_.push_back({std::move(class_name), columns_.highest_leg, std::move(lap)});
  }

  int32_t load_mode_;
  bool cumulative_legs_;
  TableColumns columns_;
  std::vector<Row> rows_;
  RowCounts counts_;
};

RunnerLineReader ReadDataLines(const PreparedTable& table, const ReadRequest& request) {
  RunnerLineReader reader(request.load_mode, table.cumulative_legs);
  const size_t count = table.lines.size() - table.first_data;
  for (size_t i = table.first_data; i < table.lines.size(); ++i) {
    reader.Read(table.lines[i]);
    request.progress->Step(static_cast<double>(i - table.first_data + 1),
                           static_cast<double>(count));
  }
  return reader;
}

// A generic table that gives no runner, or (unless it only merges into runners already held) no
// time at all, is no result file; a version-1 file may hold an empty event.
const char* GenericTableRefusal(const PreparedTable& table, const RowCounts& counts,
                                int32_t load_mode) {
  if (!table.cumulative_legs) return nullptr;
  if (counts.runners == 0) return kNoRunnerRows;
  const bool merging = (load_mode & 4095) >= QX_LOADMODE_MERGE_ID;
  return counts.timed == 0 && !merging ? kNoTimes : nullptr;
}

bool LoadTable(const ReadRequest& request, clsQuorvex2& root) {
  auto lines = TableLines(request);
  if (!lines) return false;
  auto table = PrepareTable(std::move(*lines));
  if (!table) return false;
  request.progress->Start();
  RunnerLineReader rows = ReadDataLines(*table, request);
  if (const char* refusal = GenericTableRefusal(*table, rows.Counts(), request.load_mode)) {
    request.progress->Finish();
    return FailLoad(kCannotOpenFile, kQuorvex1Location, Tr(refusal));
  }
  rows.AddTo(root);
  const std::vector<std::string> header_lines(table->lines.begin(),
                                              table->lines.begin() + table->first_data);
  ApplyVersion1HeaderLines(header_lines, request.load_mode, root);
  if (root.EventData()->EventName.empty()) root.EventData()->EventName = kUnnamed;
  request.progress->Finish();
  return true;
}

}  // namespace

bool LoadQuorvex1(const ReadRequest& request) {
  clsQuorvex2* root = CurrentRoot();
  if (root == nullptr) return false;
  try {
    return LoadTable(request, *root);
  } catch (const std::exception& error) {
    request.progress->Finish();
    return FailLoad(kCannotOpenFile, kQuorvex1Location, error.what());
  }
}

}  // namespace quorvex2::detail
