// Reading SPORTident CSV results with a code, split and points column per control:
//
//   RaceNumber,CardNumbers,MembershipNumbers,Name,AgeClass,Club,Country,CourseClass,...
//   , , ,First Runner, , , ,Class 1, ,..., ,212,00:01:48,,229,00:06:14,,208,00:08:43,,F1,00:12:14,,
//
// (',' or ';' separated). What is taken: name, club, class, start, position, and per punch the
// control code and the time after the start; a code starting with "F" is the finish (else the
// race time column gives the result), one starting with "S" the start. The codes are the
// controls the runner punched: a runner whose codes differ from the class's missed or added some
// and is read as a mispunch.
#include <string>
#include <string_view>
#include <vector>

#include "core/detail/catalogue.h"
#include "core/detail/fill_in.h"
#include "files/csv_table_lines.h"
#include "files/punch_codes.h"
#include "files/result_table_formats.h"
#include "files/result_table_reader.h"
#include "files/table_fields.h"
#include "quorvex2/core/format.h"
#include "quorvex2/core/text.h"

namespace quorvex2::detail {
namespace {

constexpr const char* kFirstHeader = "RACENUMBER";
constexpr const char* kExpected = TrNoop(
    "SPORTident の CSV: \"RaceNumber\" で始まる見出し行と選手ごとに 1 行、39 列目から各"
    "パンチのコントロール番号、スプリットタイム、得点");
constexpr size_t kName = 3;
constexpr size_t kClub = 5;
constexpr size_t kClass = 7;
constexpr size_t kStart = 8;
constexpr size_t kRaceTime = 10;
constexpr size_t kNonCompetitive = 11;
constexpr size_t kPosition = 12;
constexpr size_t kStatus = 13;
constexpr size_t kSplitCount = 31;   // "NumSplits" in the header
constexpr size_t kHeaderPunch = 32;  // "ControlCode1" in the header
constexpr size_t kFirstPunch = 38;

using Row = std::vector<std::string>;

// A field in quotes may hold the delimiter; unquoted, a name with a comma spills into the next
// fields, each starting with one blank.
Row RowOf(const std::string& line, char delimiter) {
  if (line.find('"') != std::string::npos) {
    Row row = SplitTableRow(line, delimiter);
    while (!row.empty() && row.back().empty()) row.pop_back();
    return row;
  }
  std::vector<std::string> raw = SplitText(line, std::string(1, delimiter));
  while (raw.size() > kName + 1 && raw[kName + 1].size() > 1 && raw[kName + 1][0] == ' ' &&
         raw[kName + 1][1] != ' ') {
    raw[kName] += delimiter + raw[kName + 1];
    raw.erase(raw.begin() + kName + 1);
  }
  Row row;
  for (const std::string& field : raw) row.push_back(UnquotedField(field));
  while (!row.empty() && row.back().empty()) row.pop_back();
  return row;
}

// Where a row's punches begin: six fields past the header's "ControlCode1", after blank ones, as
// the files have them; where the header says, when the row follows it (the number of punches,
// then the first code).
size_t FirstPunch(const Row& row) {
  const bool as_header = row.size() > kHeaderPunch + 1 && ReadCount(Trim(row[kSplitCount])) &&
                         !Trim(row[kHeaderPunch]).empty();
  return as_header ? kHeaderPunch : kFirstPunch;
}

// The punches up to the finish ("F1"), whose time is the result; a start punch ("S1") is no
// control, and punches after the finish (a control on the way to the readout) are not the run.
// Without a finish punch, the race time column gives the result where it holds one.
void ReadPunches(const Row& row, TableRunner& runner) {
  for (size_t i = FirstPunch(row); i < row.size(); i += 3) {
    const std::string& code = row[i];
    const auto time = ReadElapsedSeconds(FieldOf(row, static_cast<int32_t>(i + 1)));
    if (IsFinishPunchCode(code)) {
      runner.time = time;
      return;
    }
    if (IsStartPunchCode(code)) continue;
    runner.codes.push_back(ReadCount(code).value_or(0));
    runner.splits.push_back(time);
  }
  runner.time = ReadElapsedSeconds(FieldOf(row, kRaceTime));
}

// The file's word for the runner where it gives one (a non-competing mark, a status other than
// OK), else what his punches tell.
TableStatus StatusOf(const Row& row, const TableRunner& runner) {
  const std::string non_competitive = ToUpper(Trim(FieldOf(row, kNonCompetitive)));
  for (const char* yes : {"Y", "YES", "1", "TRUE", "X"}) {
    if (non_competitive == yes) return TableStatus::kNotCompeting;
  }
  if (const auto stated = StatusOfText(Trim(FieldOf(row, kStatus)))) return *stated;
  return StatusOfPunches(runner);
}

TableRunner RunnerOf(const Row& row) {
  TableRunner runner;
  clsLapData& lap = *runner.lap;
  lap.RunnerName = row[kName];
  lap.ClubName = FieldOf(row, kClub);
  lap.StartTime.Value(ParseTimeText(FieldOf(row, kStart)).value_or(0));
  runner.place = FieldOf(row, kPosition);
  ReadPunches(row, runner);
  runner.status = StatusOf(row, runner);
  return runner;
}

// The character after the first field name, which may be quoted.
char DelimiterOf(const std::string& header) {
  const size_t quote = header.starts_with('"') ? 1 : 0;
  const size_t end = quote + std::string_view(kFirstHeader).size();
  if (header.size() <= end + quote || ToUpper(header.substr(quote, end - quote)) != kFirstHeader ||
      (quote == 1 && header[end] != '"')) {
    return '\0';
  }
  const char delimiter = header[end + quote];
  return delimiter == ',' || delimiter == ';' || delimiter == '\t' ? delimiter : '\0';
}

ResultTable GatherSiCsv(const std::vector<std::string>& lines) {
  ResultTable table;
  table.punched_codes = true;
  const char delimiter = lines.empty() ? '\0' : DelimiterOf(lines[0]);
  if (delimiter == '\0') return table;
  size_t short_rows = 0;
  for (size_t i = 1; i < lines.size(); ++i) {
    const Row row = RowOf(lines[i], delimiter);
    if (row.size() <= FirstPunch(row) || FieldOf(row, kClass).empty()) {
      ++short_rows;
      continue;
    }
    table.Class(row[kClass]).runners.push_back(RunnerOf(row));
  }
  if (short_rows > 0) {
    table.notes.push_back(
        FillIn(NTr("クラスもパンチもない行 {count} 行を読み込みませんでした",
                   "クラスもパンチもない行 {count} 行を読み込みませんでした", short_rows),
               {{"count", std::to_string(short_rows)}}));
  }
  return table;
}

}  // namespace

bool LoadSiCsv(const ReadRequest& request) {
  return LoadResultTable(request, {kSiCsvLocation, kExpected, GatherSiCsv});
}

bool IsSiCsv(std::string_view head_text) {
  const std::vector<std::string> lines = HeadLines(head_text, 1);
  return !lines.empty() && DelimiterOf(lines[0]) != '\0';
}

}  // namespace quorvex2::detail
