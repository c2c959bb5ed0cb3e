// Reading SPORTident CSV results with a code, split and points column per control:
//
//   RaceNumber,CardNumbers,MembershipNumbers,Name,AgeClass,Club,Country,CourseClass,...
//   , , ,First Runner, , , ,Class 1, ,..., ,212,00:01:48,,229,00:06:14,,208,00:08:43,,F1,00:12:14,,
//
// (',' or ';' separated). What is taken: name, club, class, start, position, and per punch the
// control code and the time after the start; a code starting with "F" is the finish (else the
// race time column gives the result), one starting with "S" the start. The codes are the
// controls the runner punched: a runner whose codes miss some of the class's is read as a
// mispunch, unless his status says OK (he ran another fork of the class).
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
using Row = std::vector<std::string>;

// Where a row holds what is read: where the header names it, else where the software's own
// export has it.
struct SiCsvColumns {
  size_t name = 3;
  size_t club = 5;
  size_t course_class = 7;
  size_t start = 8;
  size_t race_time = 10;
  size_t non_competitive = 11;
  size_t position = 12;
  size_t status = 13;
  size_t split_count = 31;   // "NumSplits"
  size_t header_punch = 32;  // "ControlCode1"
};

SiCsvColumns ColumnsOf(const Row& header) {
  SiCsvColumns columns;
  const std::pair<const char*, size_t*> named[] = {{"NAME", &columns.name},
                                                   {"CLUB", &columns.club},
                                                   {"COURSECLASS", &columns.course_class},
                                                   {"STARTTIME", &columns.start},
                                                   {"RACETIME", &columns.race_time},
                                                   {"NONCOMPETITIVE", &columns.non_competitive},
                                                   {"POSITION", &columns.position},
                                                   {"STATUS", &columns.status},
                                                   {"NUMSPLITS", &columns.split_count},
                                                   {"CONTROLCODE1", &columns.header_punch}};
  for (size_t i = 0; i < header.size(); ++i) {
    const std::string field = ToUpper(Trim(header[i]));
    for (const auto& [name, at] : named) {
      if (field == name) *at = i;
    }
  }
  return columns;
}

const std::string& Field(const Row& row, size_t at) {
  return FieldOf(row, static_cast<int32_t>(at));
}

// A field in quotes may hold the delimiter; unquoted, a name with a comma spills into the next
// fields, each starting with one blank.
Row RowOf(const std::string& line, char delimiter, size_t name) {
  if (line.find('"') != std::string::npos) {
    Row row = SplitTableRow(line, delimiter);
    while (!row.empty() && row.back().empty()) row.pop_back();
    return row;
  }
  std::vector<std::string> raw = SplitText(line, std::string(1, delimiter));
  while (raw.size() > name + 1 && raw[name + 1].size() > 1 && raw[name + 1][0] == ' ' &&
         raw[name + 1][1] != ' ') {
    raw[name] += delimiter + raw[name + 1];
    raw.erase(raw.begin() + static_cast<std::ptrdiff_t>(name) + 1);
  }
  Row row;
  for (const std::string& field : raw) row.push_back(UnquotedField(field));
  while (!row.empty() && row.back().empty()) row.pop_back();
  return row;
}

// Where a row's punches begin: six fields past the header's "ControlCode1", after blank ones, as
// the files have them; where the header says, when the row follows it (the number of punches,
// then the first code).
size_t FirstPunch(const Row& row, const SiCsvColumns& columns) {
  const bool as_header = row.size() > columns.header_punch + 1 &&
                         ReadCount(Trim(Field(row, columns.split_count))) &&
                         !Trim(row[columns.header_punch]).empty();
  return as_header ? columns.header_punch : columns.header_punch + 6;
}

// The punches up to the finish ("F1"), whose time is the result; a start punch ("S1") is no
// control, and punches after the finish (a control on the way to the readout) are not the run.
// Without a finish punch, the race time column gives the result where it holds one.
void ReadPunches(const Row& row, const SiCsvColumns& columns, TableRunner& runner) {
  for (size_t i = FirstPunch(row, columns); i < row.size(); i += 3) {
    const std::string& code = row[i];
    const auto time = ReadElapsedSeconds(Field(row, i + 1));
    if (IsFinishPunchCode(code)) {
      runner.time = time;
      return;
    }
    if (IsStartPunchCode(code)) continue;
    runner.codes.push_back(ReadCount(code).value_or(0));
    runner.splits.push_back(time);
  }
  runner.time = ReadElapsedSeconds(Field(row, columns.race_time));
}

// The file's word for the runner where it gives one (a non-competing mark, a status other than
// OK), else what his punches tell.
TableStatus StatusOf(const Row& row, const SiCsvColumns& columns, const TableRunner& runner) {
  const std::string non_competitive = ToUpper(Trim(Field(row, columns.non_competitive)));
  for (const char* yes : {"Y", "YES", "1", "TRUE", "X"}) {
    if (non_competitive == yes) return TableStatus::kNotCompeting;
  }
  if (const auto stated = StatusOfText(Trim(Field(row, columns.status)))) return *stated;
  return StatusOfPunches(runner);
}

// The start as a time of day, also where the export writes its date before it
// ("15/08/2009 23:40:00", "2009-08-15T23:40:00"); 0 when there is none.
double StartTimeOfDay(const std::string& text) {
  if (const auto time = ParseTimeText(text)) return *time;
  const size_t date_end = text.find_last_of(" T");
  if (date_end == std::string::npos) return 0;
  return ParseTimeText(std::string_view(text).substr(date_end + 1)).value_or(0);
}

TableRunner RunnerOf(const Row& row, const SiCsvColumns& columns) {
  TableRunner runner;
  clsLapData& lap = *runner.lap;
  lap.RunnerName = Field(row, columns.name);
  lap.ClubName = Field(row, columns.club);
  lap.StartTime.Value(StartTimeOfDay(Field(row, columns.start)));
  runner.place = Field(row, columns.position);
  ReadPunches(row, columns, runner);
  runner.status = StatusOf(row, columns, runner);
  runner.ok_stated = ToUpper(Trim(Field(row, columns.status))) == "OK";
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
  const SiCsvColumns columns = ColumnsOf(SplitTableRow(lines[0], delimiter));
  // A row with a class and no punch is a runner who did not start.
  size_t classless_rows = 0;
  for (size_t i = 1; i < lines.size(); ++i) {
    const Row row = RowOf(lines[i], delimiter, columns.name);
    const std::string& class_name = Field(row, columns.course_class);
    if (class_name.empty()) {
      ++classless_rows;
      continue;
    }
    table.Class(class_name).runners.push_back(RunnerOf(row, columns));
  }
  if (classless_rows > 0) {
    table.notes.push_back(
        FillIn(NTr("クラスのない行 {count} 行を読み込みませんでした",
                   "クラスのない行 {count} 行を読み込みませんでした", classless_rows),
               {{"count", std::to_string(classless_rows)}}));
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
