// Reading SplitsBrowser CSV files: per class a line with its name and control count (and
// optionally length and climb), then a row per runner with the name (forename and surname, or
// one name field), club, start time and the leg time of every control and the finish:
//
//   M21A,3,4200,180      (or 4.2 for the length in kilometres)
//   Kato,Ken,OLC,10:00,01:48,02:38,02:29,03:31
//
// A leg of 0:00 (or dashes) is a missing punch. Our own split export writes the one-name form.
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "core/detail/catalogue.h"
#include "files/result_table_formats.h"
#include "files/result_table_reader.h"
#include "files/table_fields.h"
#include "quorvex2/core/format.h"

namespace quorvex2::detail {
namespace {

constexpr const char* kExpected = TrNoop(
    "SplitsBrowser の CSV: クラスごとに行の前に \"クラス,コントロール数\" の行、各行に名前、"
    "所属、スタート時刻、各コントロールとフィニッシュまでの区間タイム");

constexpr size_t kSniffedLines = 20;
constexpr int32_t kMostControls = 999;  // beyond any course; keeps hostile counts small

using Row = std::vector<std::string>;

struct ClassHeader {
  std::string name;
  int32_t controls = 0;
  int32_t length = 0;
  int32_t climb = 0;
};

Row RowOf(const std::string& line) {
  Row row = SplitTableRow(line, ',');
  while (!row.empty() && row.back().empty()) row.pop_back();
  return row;
}

// The length field in metres ("4200") or in kilometres with a decimal point ("4.2").
std::optional<int32_t> ReadLength(const std::string& text) {
  if (const auto metres = ReadCount(text)) return metres;
  const size_t point = text.find_first_of(".,");
  if (point == std::string::npos || point == 0 || point + 1 == text.size() || text.size() > 9) {
    return {};
  }
  const auto whole = ReadCount(text.substr(0, point));
  const auto fraction = ReadCount(text.substr(point + 1));
  if (!whole || !fraction) return {};
  const double places = std::pow(10.0, static_cast<double>(text.size() - point - 1));
  return static_cast<int32_t>(std::lround(*whole * 1000.0 + *fraction * 1000.0 / places));
}

// "M21A,12", "M21A,12,4200,180" or "M21A,12,4.2,180": a name, then counts (and a length) only;
// a row of times holds ":".
std::optional<ClassHeader> ClassHeaderOf(const std::string& line) {
  const Row row = RowOf(line);
  if (row.size() < 2 || row[0].empty() || line.find(':') != std::string::npos) return {};
  for (size_t i = 1; i < row.size(); ++i) {
    if (!row[i].empty() && !(i == 2 ? ReadLength(row[i]) : ReadCount(row[i]))) return {};
  }
  const auto controls = ReadCount(row[1]);
  if (!controls || *controls > kMostControls) return {};
  return ClassHeader{row[0], *controls, ReadLength(FieldOf(row, 2)).value_or(0),
                     ReadCount(FieldOf(row, 3)).value_or(0)};
}

// A leg's seconds: 0, a missing punch, for 0:00 or for dashes ("-----", "--:--").
std::optional<double> LegSeconds(const std::string& field) {
  if (!field.empty() && field.find_first_not_of("-:") == std::string::npos) return 0.0;
  return ReadElapsedSeconds(field);
}

// The leg times at the end of a row: the last controls + 1 fields.
std::optional<std::vector<double>> LegsOf(const Row& row, int32_t controls) {
  const size_t count = static_cast<size_t>(controls) + 1;
  if (row.size() < count + 3) return {};
  std::vector<double> legs;
  for (size_t i = row.size() - count; i < row.size(); ++i) {
    const auto seconds = LegSeconds(row[i]);
    if (!seconds) return {};
    legs.push_back(*seconds);
  }
  return legs;
}

std::string Joined(const Row& row, size_t from, size_t to, const char* separator) {
  std::string text;
  for (size_t i = from; i < to; ++i) {
    if (row[i].empty()) continue;
    if (!text.empty()) text += separator;
    text += row[i];
  }
  return text;
}

class SplitsBrowserGatherer {
 public:
  explicit SplitsBrowserGatherer(const std::vector<std::string>& lines) : lines_(lines) {}

  ResultTable Gather() {
    if (lines_.empty() || !ClassHeaderOf(lines_[0])) return {};
    const size_t name_fields = NameFields();
    ResultTable table;
    ClassHeader header;
    for (const std::string& line : lines_) {
      if (const auto next = ClassHeaderOf(line)) {
        header = *next;
        TableClass& table_class = table.Class(header.name);
        table_class.length = header.length;
        table_class.climb = header.climb;
      } else {
        table.Class(header.name).runners.push_back(RunnerOf(RowOf(line), header, name_fields));
      }
    }
    return table;
  }

 private:
  // One name field when more rows fit that form than the forename and surname form.
  size_t NameFields() const {
    size_t one = 0;
    size_t two = 0;
    int32_t controls = 0;
    for (const std::string& line : lines_) {
      if (const auto header = ClassHeaderOf(line)) {
        controls = header->controls;
        continue;
      }
      const size_t fields = RowOf(line).size();
      one += fields == static_cast<size_t>(controls) + 4;
      two += fields == static_cast<size_t>(controls) + 5;
    }
    return one > two ? 1 : 2;
  }

  static TableRunner RunnerOf(const Row& row, const ClassHeader& header, size_t name_fields) {
    TableRunner runner;
    const size_t names = std::min(name_fields, row.size());
    runner.lap->RunnerName = Joined(row, 0, names, " ");
    runner.splits.assign(static_cast<size_t>(header.controls), std::nullopt);
    if (const auto legs = LegsOf(row, header.controls)) {
      const size_t start = row.size() - legs->size() - 1;
      ReadClubAndStart(runner, row, std::min(names, start), start);
      SetSplits(runner, *legs);
    } else {
      ReadUnfinishedRow(runner, row, names);
    }
    return runner;
  }

  static void ReadClubAndStart(TableRunner& runner, const Row& row, size_t club, size_t start) {
    runner.lap->ClubName = Joined(row, club, start, ",");
    runner.lap->StartTime.Value(
        ParseTimeText(FieldOf(row, static_cast<int32_t>(start))).value_or(0));
  }

  // A row that ends before the finish (empty fields at its end are dropped): the club and the
  // start time follow the name, then the legs it has. The runner did not finish; a row whose
  // fields after the start are not all leg times keeps no leg.
  static void ReadUnfinishedRow(TableRunner& runner, const Row& row, size_t names) {
    runner.status = TableStatus::kDidNotFinish;
    const size_t start = names + 1;
    ReadClubAndStart(runner, row, names, std::min(start, row.size()));
    std::vector<double> legs;
    for (size_t i = start + 1; i < row.size(); ++i) {
      const auto seconds = LegSeconds(row[i]);
      if (!seconds) return;
      legs.push_back(*seconds);
    }
    Accumulate(runner, legs);
  }

  // Cumulative times from the leg times: a missing leg adds nothing to the later ones.
  static double Accumulate(TableRunner& runner, const std::vector<double>& legs) {
    double elapsed = 0;
    for (size_t k = 0; k < legs.size(); ++k) {
      elapsed += legs[k];
      if (k < runner.splits.size() && legs[k] > 0) runner.splits[k] = elapsed;
    }
    return elapsed;
  }

  static void SetSplits(TableRunner& runner, const std::vector<double>& legs) {
    const double elapsed = Accumulate(runner, legs);
    if (legs.back() > 0) runner.time = elapsed;
    const bool all = std::all_of(legs.begin(), legs.end(), [](double leg) { return leg > 0; });
    const bool none = std::none_of(legs.begin(), legs.end(), [](double leg) { return leg > 0; });
    runner.status = all    ? TableStatus::kOk
                    : none ? TableStatus::kDidNotStart
                           : TableStatus::kMissingPunch;
  }

  const std::vector<std::string>& lines_;
};

ResultTable GatherSplitsBrowser(const std::vector<std::string>& lines) {
  return SplitsBrowserGatherer(lines).Gather();
}

}  // namespace

bool LoadSplitsBrowserCsv(const ReadRequest& request) {
  return LoadResultTable(request, {kSplitsBrowserLocation, kExpected, GatherSplitsBrowser});
}

// A class line first, and a runner row among the first lines that fits its class.
bool IsSplitsBrowserCsv(std::string_view head_text) {
  std::optional<ClassHeader> header;
  for (const std::string& line : HeadLines(head_text, kSniffedLines)) {
    if (const auto next = ClassHeaderOf(line)) {
      header = next;
    } else if (!header) {
      return false;
    } else if (LegsOf(RowOf(line), header->controls)) {
      return true;
    }
  }
  return false;
}

}  // namespace quorvex2::detail
