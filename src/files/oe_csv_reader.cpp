// Reading OE CSV exports, one row per runner (OE and MeOS; see oe_csv_layout.h for the
// columns). What is taken: class (short name, else long name, else course), name, club, start
// number, chip, start, result time (the time column, else finish minus start), status (the
// classifier, the not-competing mark and a place written as text), place, course length and
// climb, and per control its code and the punch time after the start.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/detail/catalogue.h"
#include "core/detail/east_asian.h"
#include "core/detail/fill_in.h"
#include "core/detail/internal.h"
#include "files/csv_table_lines.h"
#include "files/oe_csv_layout.h"
#include "files/result_table_formats.h"
#include "files/result_table_reader.h"
#include "files/table_fields.h"
#include "quorvex2/core/text.h"

namespace quorvex2::detail {
namespace {

constexpr size_t kShortestRow = 37;  // fewer fields cannot reach the class columns
constexpr size_t kSampleRows = 20;   // rows that show the layout
constexpr const char* kHeadersLine = "Headers";
constexpr const char* kExpected = TrNoop(
    "OE の CSV 出力: 見出し行 (なくても可) と選手ごとに 1 行、決まった列の後にコントロール"
    "番号と通過時刻");

// The head of an export: its separator, its header (when it has one) and a sample of the rows
// that come after it, enough to find the layout.
struct OeHead {
  char delimiter = ';';
  bool has_header = false;
  OeRow header;
  size_t first_row = 0;  // the line of the first runner row
  std::vector<OeRow> sample;

  const OeRow* Header() const { return has_header ? &header : nullptr; }
};

// A runner row holds a time or the control count and codes where a layout has them.
bool IsRunnerRow(const OeRow& row) {
  const auto is_time = [](const std::string& field) {
    return ReadElapsedSeconds(field).has_value();
  };
  return std::any_of(row.begin(), row.end(), is_time) || FitsKnownLayout(row);
}

// The line after an optional line "Headers": the header or the first runner row.
size_t FirstTableLine(const std::vector<std::string>& lines) {
  return !lines.empty() && UnquotedField(lines[0]) == kHeadersLine ? 1 : 0;
}

// The separator that the first line of the table uses most.
char OeDelimiter(const std::vector<std::string>& lines) {
  const size_t at = FirstTableLine(lines);
  return at < lines.size() ? GuessDelimiter(lines[at]) : ';';
}

// The first line of the table is the header unless it is a runner row; `delimiter` is the
// table's separator (OeDelimiter).
OeHead ReadOeHead(const std::vector<std::string>& lines, char delimiter) {
  OeHead head;
  size_t at = FirstTableLine(lines);
  if (at >= lines.size()) return head;
  head.delimiter = delimiter;
  OeRow first = SplitTableRow(lines[at], head.delimiter);
  if (!IsRunnerRow(first)) {
    head.header = std::move(first);
    head.has_header = true;
    ++at;
  }
  head.first_row = at;
  for (size_t i = at; i < lines.size() && head.sample.size() < kSampleRows; ++i) {
    head.sample.push_back(SplitTableRow(lines[i], head.delimiter));
  }
  return head;
}

class OeRowReader {
 public:
  OeRowReader(const OeLayout& layout, ResultTable& table, const std::vector<OeRow>& rows)
      : layout_(layout), table_(table), shared_short_names_(SharedShortNames(rows)) {}

  // A row that ends before the punches it announces is a runner whose missed controls the export
  // leaves out (a runner who gave up or mispunched), unless it is the file's last row and says
  // its runner finished: then the file was cut in that row.
  void Read(const OeRow& row, bool may_be_cut) {
    if (row.size() < kShortestRow) {
      ++short_rows_;
      return;
    }
    const std::string class_name = ClassName(row);
    if (class_name.empty()) {
      ++classless_rows_;
      return;
    }
    TableRunner runner = Runner(row);
    if (runner.cut_short && may_be_cut && runner.status == TableStatus::kOk) {
      ++short_rows_;
      return;
    }
    TableClass& table_class = table_.Class(class_name);
    if (table_class.runners.empty()) SetCourseSize(table_class, row);
    table_class.runners.push_back(std::move(runner));
  }

  void NoteLeftOut() const {
    if (short_rows_ > 0) {
      table_.notes.push_back(
          FillIn(NTr("形式に足りない短い行 {count} 行を読み込みませんでした",
                     "形式に足りない短い行 {count} 行を読み込みませんでした", short_rows_),
                 {{"count", std::to_string(short_rows_)}}));
    }
    if (classless_rows_ > 0) {
      table_.notes.push_back(
          FillIn(NTr("クラスもコースもない行 {count} 行を読み込みませんでした",
                     "クラスもコースもない行 {count} 行を読み込みませんでした", classless_rows_),
                 {{"count", std::to_string(classless_rows_)}}));
    }
  }

 private:
  const std::string& Field(const OeRow& row, OeColumn column) const {
    return FieldOf(row, layout_.at[column]);
  }

  // The short names that several classes share, told apart by their long names.
  std::set<std::string> SharedShortNames(const std::vector<OeRow>& rows) const {
    std::map<std::string, std::set<std::string>> long_names;
    for (const OeRow& row : rows) {
      const std::string& long_name = Field(row, kOeLongClass);
      if (!long_name.empty()) long_names[Field(row, kOeShortClass)].insert(long_name);
    }
    std::set<std::string> shared;
    for (const auto& [short_name, names] : long_names) {
      if (!short_name.empty() && names.size() > 1) shared.insert(short_name);
    }
    return shared;
  }

  // The short name, else the long name, else the course; the long name where classes share
  // their short name.
  std::string ClassName(const OeRow& row) const {
    const std::string& long_name = Field(row, kOeLongClass);
    if (!long_name.empty() && shared_short_names_.contains(Field(row, kOeShortClass))) {
      return long_name;
    }
    for (OeColumn column : {kOeShortClass, kOeLongClass, kOeCourse}) {
      if (!Field(row, column).empty()) return Field(row, column);
    }
    return "";
  }

  void SetCourseSize(TableClass& table_class, const OeRow& row) const {
    std::string km = Field(row, kOeKilometres);
    for (char& c : km) c = c == ',' ? '.' : c;
    const double metres = std::strtod(km.c_str(), nullptr) * 1000;
    if (metres > 0 && metres < 1e6) table_class.length = static_cast<int32_t>(std::lround(metres));
    table_class.climb = ReadCount(Field(row, kOeClimb)).value_or(0);
  }

  // First name and surname where the layout parts them (the surname first for names in kana,
  // kanji or hangul, as they are written), else the one name column.
  std::string RunnerName(const OeRow& row) const {
    if (layout_.at[kOeFirstName] < 0) return Field(row, kOeFullName);
    const std::string& first = Field(row, kOeFirstName);
    const std::string& surname = Field(row, kOeSurname);
    if (first.empty() || surname.empty()) return first + surname;
    return HoldsEastAsian(first + surname) ? surname + " " + first : first + " " + surname;
  }

  TableRunner Runner(const OeRow& row) const {
    TableRunner runner;
    clsLapData& lap = *runner.lap;
    lap.RunnerName = RunnerName(row);
    if (layout_.at[kOeFirstName] >= 0) {
      lap.SetNameParts(Field(row, kOeSurname), Field(row, kOeFirstName), MakeInternal());
    }
    lap.ClubName = Field(row, kOeClub).empty() ? Field(row, kOeCity) : Field(row, kOeClub);
    lap.ID = ReadCount(Field(row, kOeStartNumber)).value_or(0);
    lap.Ecard = ReadCount(Field(row, kOeChip)).value_or(0);
    lap.Sex = Field(row, kOeSex);
    const auto start = ReadElapsedSeconds(Field(row, kOeStart));
    if (start && *start < 86400) lap.StartTime.Value(*start / 86400);
    runner.time = ResultTime(row, start);
    ReadControls(row, runner);
    runner.place = Field(row, kOePlace);
    runner.status = Status(row, runner);
    return runner;
  }

  std::optional<double> ResultTime(const OeRow& row, std::optional<double> start) const {
    if (const auto time = ReadElapsedSeconds(Field(row, kOeTime))) return time;
    const auto punched = ReadElapsedSeconds(Field(row, kOeStartPunch));
    const auto finish = ReadElapsedSeconds(Field(row, kOeFinishPunch));
    const auto from = punched ? punched : start;
    if (!from || !finish || *finish <= 0 || *finish == *from) return std::nullopt;
    // A night run's finish after midnight reads below its start.
    return *finish > *from ? *finish - *from : *finish + kSecondsPerDay - *from;
  }

  // The control count the row gives, else as many pairs as the row holds before its trailing
  // empty fields. A row with some punches but fewer than its count is cut short: a file cut in
  // the middle of a row, or an export that leaves out the controls a runner missed.
  void ReadControls(const OeRow& row, TableRunner& runner) const {
    const int32_t first = layout_.first_control;
    auto end = static_cast<int32_t>(row.size());
    while (end > first && row[static_cast<size_t>(end - 1)].empty()) --end;
    const int32_t pairs = (end - first + 1) / 2;
    const int32_t count = ReadCount(Field(row, kOeControlCount)).value_or(pairs);
    runner.cut_short = pairs > 0 && pairs < count;
    for (int32_t k = 0; k < count && k < pairs; ++k) {
      runner.codes.push_back(ReadCount(FieldOf(row, first + 2 * k)).value_or(0));
      runner.splits.push_back(ReadElapsedSeconds(FieldOf(row, first + 2 * k + 1)));
    }
  }

  TableStatus Status(const OeRow& row, const TableRunner& runner) const {
    const std::string& not_competing = Field(row, kOeNotCompeting);
    if (!not_competing.empty() && not_competing != "0") return TableStatus::kNotCompeting;
    const TableStatus status = ClassifierStatus(row, runner);
    if (status != TableStatus::kOk || runner.place.empty() || ReadCount(runner.place)) {
      return status;
    }
    return StatusOfText(runner.place).value_or(TableStatus::kNotCompeting);
  }

  // Classifier 0 OK, 1 DNS, 2 DNF, 3 MP, 4 DSQ, 5 over time. A blank one, or OK without a time
  // (a start list, a runner still out), is what the punches tell: OK only with a time and every
  // punch, DNF with some punches, DNS with none.
  TableStatus ClassifierStatus(const OeRow& row, const TableRunner& runner) const {
    const std::optional<TableStatus> stated = StatedStatus(Field(row, kOeClassifier));
    const bool timed = runner.time && *runner.time > 0;
    if (stated && (*stated != TableStatus::kOk || timed)) return *stated;
    return StatusOfPunches(runner);
  }

  static std::optional<TableStatus> StatedStatus(const std::string& classifier) {
    static const TableStatus kByNumber[] = {TableStatus::kOk,           TableStatus::kDidNotStart,
                                            TableStatus::kDidNotFinish, TableStatus::kMissingPunch,
                                            TableStatus::kDisqualified, TableStatus::kOverTime};
    if (const auto number = ReadCount(classifier)) {
      return *number < 6 ? kByNumber[*number] : TableStatus::kNotCompeting;
    }
    if (classifier.empty()) return std::nullopt;
    if (classifier == "OK") return TableStatus::kOk;
    return StatusOfText(classifier).value_or(TableStatus::kNotCompeting);
  }

  const OeLayout& layout_;
  ResultTable& table_;
  const std::set<std::string> shared_short_names_;
  size_t short_rows_ = 0;
  size_t classless_rows_ = 0;
};

ResultTable GatherOeTable(const std::vector<std::string>& file_lines) {
  const char delimiter = OeDelimiter(file_lines);
  const std::vector<std::string> lines = JoinQuotedCells(file_lines, std::string(1, delimiter));
  ResultTable table;
  const OeHead head = ReadOeHead(lines, delimiter);
  const auto layout = FindOeLayout(head.Header(), head.sample);
  if (!layout) return table;
  std::vector<OeRow> rows;
  bool last_is_row = false;  // the file's last line is a runner row (it may be cut short)
  for (size_t i = head.first_row; i < lines.size(); ++i) {
    OeRow row = SplitTableRow(lines[i], head.delimiter);
    // Empty rows, and the head of a second export pasted below the first, hold no runner.
    const bool empty =
        std::all_of(row.begin(), row.end(), [](const std::string& f) { return Trim(f).empty(); });
    last_is_row = !empty && !(head.has_header && row == head.header) &&
                  UnquotedField(lines[i]) != kHeadersLine;
    if (last_is_row) rows.push_back(std::move(row));
  }
  OeRowReader reader(*layout, table, rows);
  for (size_t i = 0; i < rows.size(); ++i) {
    reader.Read(rows[i], last_is_row && i + 1 == rows.size());
  }
  reader.NoteLeftOut();
  return table;
}

}  // namespace

bool LoadOeCsv(const ReadRequest& request) {
  return LoadResultTable(request, {kOeCsvLocation, kExpected, GatherOeTable});
}

bool IsOeCsv(std::string_view head_text) {
  const std::vector<std::string> lines = HeadLines(head_text, kSampleRows + 2);
  const OeHead head = ReadOeHead(lines, OeDelimiter(lines));
  const OeRow* first = head.has_header       ? &head.header
                       : head.sample.empty() ? nullptr
                                             : &head.sample.front();
  if (first == nullptr || first->size() < kShortestRow) return false;
  return FindOeLayout(head.Header(), head.sample).has_value();
}

}  // namespace quorvex2::detail
