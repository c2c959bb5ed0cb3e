// Reading Emit split-time CSV files: a header line, then a row per runner with the id, name,
// result time, class, place, status ("A" is a finisher), course number, club and the seconds
// from the start to each control, the last of them the finish when the runner has a time:
//
//   Id,Name,time,class,place,course,teams,Split1...SPLITn
//   247,"Vieda Lasa","  :32:58","S14",1,"A",8,"Jaunpiebalga",113,199,433,...,1978,
#include <string>
#include <vector>

#include "core/detail/catalogue.h"
#include "core/detail/fill_in.h"
#include "files/result_table_formats.h"
#include "files/result_table_reader.h"
#include "files/table_fields.h"
#include "quorvex2/core/text.h"

namespace quorvex2::detail {
namespace {

constexpr const char* kHeaderStart = "ID,NAME,TIME,CLASS,PLACE";
constexpr const char* kExpected = TrNoop(
    "Emit の CSV: 見出し行 \"Id,Name,time,class,place,...\" と選手ごとに 1 行、9 番目の"
    "項目から各コントロールとフィニッシュまでの秒数");
constexpr int32_t kId = 0;
constexpr int32_t kName = 1;
constexpr int32_t kTime = 2;
constexpr int32_t kClass = 3;
constexpr int32_t kPlace = 4;
constexpr int32_t kStatus = 5;
constexpr int32_t kClub = 7;
constexpr int32_t kFirstSplit = 8;

TableStatus StatusOf(const std::string& text) {
  const std::string status = ToUpper(text);
  if (status.empty() || status == "A") return TableStatus::kOk;
  if (status == "D") return TableStatus::kDisqualified;
  return StatusOfText(status).value_or(TableStatus::kNotCompeting);
}

TableRunner RunnerOf(const std::vector<std::string>& row) {
  TableRunner runner;
  clsLapData& lap = *runner.lap;
  lap.ID = ReadCount(FieldOf(row, kId)).value_or(0);
  lap.RunnerName = FieldOf(row, kName);
  lap.ClubName = FieldOf(row, kClub);
  runner.place = FieldOf(row, kPlace);
  runner.status = StatusOf(FieldOf(row, kStatus));
  for (size_t i = kFirstSplit; i < row.size(); ++i) {
    if (const auto seconds = ReadCount(row[i])) runner.splits.push_back(*seconds);
  }
  // A runner with a time has the finish as his last split; one without did not finish.
  runner.time = ReadElapsedSeconds(FieldOf(row, kTime));
  if (runner.time && !runner.splits.empty()) runner.splits.pop_back();
  return runner;
}

// The header line, its fields quoted or not (a spreadsheet saving the file quotes them).
bool IsEmitHeader(const std::string& line) {
  return ToUpper(ReplaceAll(line, "\"", "")).starts_with(kHeaderStart);
}

ResultTable GatherEmitCsv(const std::vector<std::string>& lines) {
  ResultTable table;
  if (lines.empty() || !IsEmitHeader(lines[0])) return table;
  size_t short_rows = 0;
  for (size_t i = 1; i < lines.size(); ++i) {
    const std::vector<std::string> row = SplitTableRow(lines[i], ',');
    if (row.size() < static_cast<size_t>(kFirstSplit) || FieldOf(row, kClass).empty()) {
      ++short_rows;
      continue;
    }
    table.Class(row[kClass]).runners.push_back(RunnerOf(row));
  }
  if (short_rows > 0) {
    table.notes.push_back(FillIn(NTr("クラスのない行 {count} 行を読み込みませんでした",
                                     "クラスのない行 {count} 行を読み込みませんでした", short_rows),
                                 {{"count", std::to_string(short_rows)}}));
  }
  return table;
}

}  // namespace

bool LoadEmitCsv(const ReadRequest& request) {
  return LoadResultTable(request, {kEmitCsvLocation, kExpected, GatherEmitCsv});
}

// The header, and under it (a table with other columns may begin alike) a row whose fields from
// the ninth on are seconds.
bool IsEmitCsv(std::string_view head_text) {
  const std::vector<std::string> lines = HeadLines(head_text, 2);
  if (lines.empty() || !IsEmitHeader(lines[0])) return false;
  return lines.size() < 2 ||
         ReadCount(FieldOf(SplitTableRow(lines[1], ','), kFirstSplit)).has_value();
}

}  // namespace quorvex2::detail
