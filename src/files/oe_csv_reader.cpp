// Reading OE CSV exports, one row per runner (OE and MeOS; see oe_csv_layout.h for the
// columns). What is taken: class (short name, else long name, else course), name, club, start
// number, chip, start, result time (the time column, else finish minus start), status (the
// classifier, the not-competing mark and a place written as text), place, course length and
// climb, and per control its code and the punch time after the start.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "files/oe_csv_layout.h"
#include "files/result_table_formats.h"
#include "files/result_table_reader.h"
#include "files/table_fields.h"

namespace quorvex2::detail {
namespace {

constexpr size_t kShortestRow = 37;  // fewer fields cannot reach the class columns
constexpr size_t kSniffedLines = 12;
constexpr const char* kHeadersLine = "Headers";
constexpr const char* kExpected =
    "an OE CSV export: a header line (or none) and one row per runner, with the control codes "
    "and punch times after the fixed columns";

struct OeText {
  std::vector<std::string> header;
  bool has_header = false;
  std::vector<OeRow> rows;
};

// A runner row holds a time or the control count and codes where a layout has them.
bool IsRunnerRow(const OeRow& row) {
  const auto is_time = [](const std::string& field) {
    return ReadElapsedSeconds(field).has_value();
  };
  return std::any_of(row.begin(), row.end(), is_time) || FitsKnownLayout(row);
}

// The header (a first line that is no runner row, unless it is the word "Headers") and the rows.
OeText SplitOeText(const std::vector<std::string>& lines) {
  OeText text;
  if (lines.empty()) return text;
  const bool headers_line = UnquotedField(lines[0]) == kHeadersLine;
  const std::string& probe = headers_line && lines.size() > 1 ? lines[1] : lines[0];
  const char delimiter = GuessDelimiter(probe);
  for (size_t i = headers_line ? 1 : 0; i < lines.size(); ++i) {
    text.rows.push_back(SplitTableRow(lines[i], delimiter));
  }
  if (!headers_line && !text.rows.empty() && !IsRunnerRow(text.rows.front())) {
    text.header = std::move(text.rows.front());
    text.rows.erase(text.rows.begin());
    text.has_header = true;
  }
  return text;
}

class OeRowReader {
 public:
  OeRowReader(const OeLayout& layout, ResultTable& table) : layout_(layout), table_(table) {}

  void Read(const OeRow& row) {
    if (row.size() < kShortestRow) {
      ++short_rows_;
      return;
    }
    const std::string class_name = ClassName(row);
    if (class_name.empty()) {
      ++classless_rows_;
      return;
    }
    TableClass& table_class = table_.Class(class_name);
    if (table_class.runners.empty()) SetCourseSize(table_class, row);
    table_class.runners.push_back(Runner(row));
  }

  void NoteLeftOut() const {
    if (short_rows_ > 0) {
      table_.notes.push_back(std::to_string(short_rows_) +
                             " row(s) too short for the layout left out");
    }
    if (classless_rows_ > 0) {
      table_.notes.push_back(std::to_string(classless_rows_) +
                             " row(s) without a class or course left out");
    }
  }

 private:
  const std::string& Field(const OeRow& row, OeColumn column) const {
    return FieldOf(row, layout_.at[column]);
  }

  std::string ClassName(const OeRow& row) const {
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

  // First name and surname where the layout parts them, else the one name column.
  std::string RunnerName(const OeRow& row) const {
    if (layout_.at[kOeFirstName] < 0) return Field(row, kOeFullName);
    const std::string& first = Field(row, kOeFirstName);
    const std::string& surname = Field(row, kOeSurname);
    return first.empty() || surname.empty() ? first + surname : first + " " + surname;
  }

  TableRunner Runner(const OeRow& row) const {
    TableRunner runner;
    clsLapData& lap = *runner.lap;
    lap.RunnerName = RunnerName(row);
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
    if (from && finish && *finish > *from) return *finish - *from;
    return std::nullopt;
  }

  // The control count the row gives, else as many pairs as the row holds.
  void ReadControls(const OeRow& row, TableRunner& runner) const {
    const int32_t first = layout_.first_control;
    const int32_t pairs = (static_cast<int32_t>(row.size()) - first + 1) / 2;
    const int32_t count = ReadCount(Field(row, kOeControlCount)).value_or(pairs);
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

  // Classifier 0 OK, 1 DNS, 2 DNF, 3 MP, 4 DSQ, 5 over time; a blank one is OK only with a
  // time and every punch.
  TableStatus ClassifierStatus(const OeRow& row, const TableRunner& runner) const {
    static const TableStatus kByNumber[] = {TableStatus::kOk,           TableStatus::kDidNotStart,
                                            TableStatus::kDidNotFinish, TableStatus::kMissingPunch,
                                            TableStatus::kDisqualified, TableStatus::kOverTime};
    const std::string& classifier = Field(row, kOeClassifier);
    if (const auto number = ReadCount(classifier)) {
      return *number < 6 ? kByNumber[*number] : TableStatus::kNotCompeting;
    }
    if (!classifier.empty()) {
      if (classifier == "OK") return TableStatus::kOk;
      return StatusOfText(classifier).value_or(TableStatus::kNotCompeting);
    }
    return StatusOfPunches(runner);
  }

  const OeLayout& layout_;
  ResultTable& table_;
  size_t short_rows_ = 0;
  size_t classless_rows_ = 0;
};

ResultTable GatherOeTable(const std::vector<std::string>& lines) {
  ResultTable table;
  const OeText text = SplitOeText(lines);
  const auto layout = FindOeLayout(text.has_header ? &text.header : nullptr, text.rows);
  if (!layout) return table;
  OeRowReader reader(*layout, table);
  for (const OeRow& row : text.rows) reader.Read(row);
  reader.NoteLeftOut();
  return table;
}

}  // namespace

bool LoadOeCsv(const ReadRequest& request) {
  return LoadResultTable(request, {kOeCsvLocation, kExpected, GatherOeTable});
}

bool IsOeCsv(std::string_view head_text) {
  const OeText text = SplitOeText(HeadLines(head_text, kSniffedLines));
  const OeRow* first = text.has_header ? &text.header : text.rows.empty() ? nullptr : &text.rows[0];
  if (first == nullptr || first->size() < kShortestRow) return false;
  return FindOeLayout(text.has_header ? &text.header : nullptr, text.rows).has_value();
}

}  // namespace quorvex2::detail
