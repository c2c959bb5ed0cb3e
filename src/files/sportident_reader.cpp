// Reading SPORTident result listings: one block per class (header line, one or two control
// rows), then per runner a line with the cumulative times and a line with the club and the leg
// times (and the same pair again for a second control row).
#include "files/sportident_reader.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/detail/component_state.h"
#include "core/detail/internal.h"
#include "files/csv_table_lines.h"
#include "files/detail/attribute_values.h"
#include "files/detail/file_error.h"
#include "files/detail/load_error.h"
#include "files/detail/progress.h"
#include "files/sportident_header.h"
#include "files/sportident_layout.h"
#include "quorvex2/core/format.h"
#include "quorvex2/core/root.h"
#include "quorvex2/core/text.h"
#include "quorvex2/core/time_text.h"

namespace quorvex2::detail {
namespace {

using namespace sportident;

constexpr const char* kLocation = "clsFileControl.LoadSportIdent";
constexpr const char* kMarker = "SPORTident results";
constexpr const char* kUnnamedEvent = "名称未設定";
constexpr size_t kFirstBodyLine = 6;
constexpr size_t kMaxControlRows = 2;
// The result field takes the 8 columns starting 4 before the "Time" caption, so it ends 3 after.
constexpr int32_t kResultEndOffset = 3;

bool Fail(const ReadRequest& request, const std::string& description) {
  return FailRead(request, kLocation, description);
}

// A time column as a time: through the time-text normalisation, nothing when no valid time.
std::optional<Date> ColumnTime(const std::string& line, int32_t end_column) {
  return ParseTimeText(NormalizeTimeText(TimeColumn(line, end_column), true, "hh:nn:ss"));
}

// The controls of a class in running order, over its control rows.
struct ClassLayout {
  std::shared_ptr<clsClassData> class_data;
  std::vector<ControlRow> rows;
  int32_t ControlCount() const {
    int32_t count = 0;
    for (const ControlRow& row : rows) count += static_cast<int32_t>(row.controls.size());
    return count;
  }
  bool HasFinishColumn() const {
    return std::any_of(rows.begin(), rows.end(),
                       [](const ControlRow& r) { return r.finish_column > 0; });
  }
};

class ListingReader {
 public:
  ListingReader(clsQuorvex2& root, const ReadRequest& request, std::vector<std::string> lines)
      : root_(root), request_(request), lines_(std::move(lines)) {}

  bool Read() {
    if (lines_.size() < 3 || lines_[2].find(kMarker) == std::string::npos) {
      return Fail(request_, "Not a SPORTident result listing");
    }
    ReadHead();
    request_.progress->Start();
    if (!captions_.Complete()) return Fail(request_, "The column captions (line 6) are missing");
    ReadBody();
    if (root_.EventData()->EventName.empty()) root_.EventData()->EventName = kUnnamedEvent;
    root_.MakeSegmentSet();
    request_.progress->Finish();
    return true;
  }

 private:
  const std::string& Line(size_t i) const {
    static const std::string kEmpty;
    return i < lines_.size() ? lines_[i] : kEmpty;
  }

  void ReadHead() {
    const EventLine event = SplitEventLine(Line(1));
    root_.EventData()->EventName = event.name;
    root_.MetaData()->CreateDate = ListingDate(event.date).value_or(0);
    root_.MetaData()->CreateApplication = ApplicationName(Line(3));
    captions_ = FindCaptions(Line(5));
  }

  // Lines 6 to the second-to-last; the last one (after the final line end) holds nothing.
  void ReadBody() {
    const size_t last = lines_.size() - 1;
    for (size_t i = kFirstBodyLine; i < last; ++i) {
      request_.progress->Step(static_cast<double>(i + 1 - kFirstBodyLine),
                              static_cast<double>(last) - kFirstBodyLine);
      const std::string& line = lines_[i];
      if (line.empty()) continue;
      if (line[0] != ' ') {
        OpenClass(i);
      } else if (current_.class_data && !IsBlankAt(line, captions_.number + 3)) {
        ReadRunner(i);
      }
    }
  }

  void OpenClass(size_t i) {
    const ClassHeader header = ParseClassHeader(lines_[i]);
    current_ = {root_.AddClass(header.name), {}};
    current_.class_data->Length = header.length;
    current_.class_data->Climb = header.climb;
    for (size_t j = i + 1; j < lines_.size() && IsControlRow(lines_[j]); ++j) {
      if (current_.rows.size() < kMaxControlRows)
        current_.rows.push_back(ScanControlRow(lines_[j]));
    }
    current_.class_data->ControlCount = current_.ControlCount();
    current_.class_data->CourseNum = CourseFor(current_);
  }

  bool IsControlRow(const std::string& line) const {
    return !line.empty() && IsBlankAt(line, captions_.number + 3);
  }

  // The course with the same controls, or a new one numbered after the highest.
  int32_t CourseFor(const ClassLayout& layout) {
    std::vector<int32_t> codes(kMaxControlNumber + 1, 0);
    for (const ControlRow& row : layout.rows) {
      for (const ControlItem& c : row.controls) {
        if (c.number >= 1 && c.number <= kMaxControlNumber) codes[c.number] = c.code;
      }
    }
    const int32_t count = std::min(layout.ControlCount(), kMaxControlNumber);
    int32_t highest = 0;
    for (int32_t i = 1; i <= root_.CourseCount(); ++i) {
      const std::shared_ptr<clsCourseData> course = root_.CourseData(i);
      if (course->ControlCount == count && SameCodes(*course, codes, count)) {
        return course->CourseIndex;
      }
      highest = std::max(highest, course->CourseIndex);
    }
    const std::shared_ptr<clsCourseData> course = root_.AddCourse(highest + 1);
    course->ControlCount = count;
    for (int32_t k = 1; k <= count; ++k) course->ControlNum(k, codes[k]);
    return course->CourseIndex;
  }

  static bool SameCodes(const clsCourseData& course, const std::vector<int32_t>& codes,
                        int32_t count) {
    for (int32_t k = 1; k <= count; ++k) {
      if (course.ControlNum(k) != codes[k]) return false;
    }
    return true;
  }

  // The line in display columns, whichever way the listing laid it out.
  std::string Aligned(size_t i) const {
    std::vector<int32_t> ends{captions_.time + kResultEndOffset};
    for (const ControlRow& row : current_.rows) {
      for (const ControlItem& c : row.controls) ends.push_back(c.end_column);
      if (row.finish_column > 0) ends.push_back(row.finish_column);
    }
    return ToDisplayColumns(Line(i), ends);
  }

  void ReadRunner(size_t i) {
    const std::string line = Aligned(i);
    auto lap = std::make_shared<clsLapData>();
    lap->ID = ReadWholeNumber(Trim(MidByWidth(line, captions_.number - 2, 6)));
    lap->Rank = Trim(MidByWidth(line, captions_.place - 1, 3));
    lap->RunnerName = Trim(MidByWidth(line, captions_.name, 16));
    std::string club = Trim(MidByWidth(Aligned(i + 1), captions_.name, 16));
    std::erase(club, '_');
    lap->ClubName = club;
    ReadLegs(i, *lap);
    lap->Result(ResultText(ResultField(line), *lap));
    current_.class_data->AddLapObject(lap, request_.load_mode);
  }

  // Leg k of control row r stands on line 2r + 1 below the runner line, in the column of the
  // row's k-th item. The finish leg stands in the column that ends under "F". A listing without
  // an "F" column gets the finish leg from the result minus the last cumulative time.
  void ReadLegs(size_t i, clsLapData& lap) {
    int32_t leg = 0;
    auto set_leg = [&lap, &leg](std::optional<Date> time) {
      if (++leg <= clsLapData::kMaxLegs) lap.Lap(leg)->Value(time ? *time : kTimeDisq);
    };
    for (size_t r = 0; r < current_.rows.size(); ++r) {
      const std::string legs = Aligned(i + 2 * r + 1);
      for (const ControlItem& c : current_.rows[r].controls)
        set_leg(ColumnTime(legs, c.end_column));
      if (current_.rows[r].finish_column > 0) {
        set_leg(ColumnTime(legs, current_.rows[r].finish_column));
      }
    }
    if (!current_.HasFinishColumn()) set_leg(FinishFromResult(i));
  }

  // The 8 columns starting 4 before the "Time" caption.
  std::string ResultField(const std::string& line) const {
    return Trim(MidByWidth(line, captions_.time - 4, kTimeColumnWidth));
  }

  std::optional<Date> FinishFromResult(size_t i) const {
    const std::optional<Date> result =
        ParseTimeText(NormalizeTimeText(ResultField(Aligned(i)), true, "hh:nn:ss"));
    std::optional<Date> last;
    for (size_t r = 0; r < current_.rows.size(); ++r) {
      if (current_.rows[r].controls.empty()) continue;
      last = ColumnTime(Aligned(i + 2 * r), current_.rows[r].controls.back().end_column);
    }
    if (!result) return std::nullopt;
    if (!last) return current_.ControlCount() == 0 ? result : std::nullopt;
    return *result > *last ? std::optional<Date>(*result - *last) : std::nullopt;
  }

  // A valid time is the result; "mp" is "DNF" without a finish leg, else "P" and the number of
  // missing punches; "dnf" is "DNF"; anything else "DISQ".
  static std::string ResultText(const std::string& field, const clsLapData& lap) {
    const std::string time = NormalizeTimeText(field, true, "hh:nn:ss");
    if (IsValidTime(time)) return time;
    const std::string status = ToLower(field);
    if (status == "dnf") return "DNF";
    if (status != "mp") return "DISQ";
    const int32_t legs = lap.LegCount();
    if (legs == 0 || lap.LapValue(legs) == kTimeDisq) return "DNF";
    int32_t missing = 0;
    for (int32_t k = 1; k < legs; ++k) missing += lap.LapValue(k) == kTimeDisq;
    return "P" + std::to_string(missing);
  }

  clsQuorvex2& root_;
  const ReadRequest& request_;
  std::vector<std::string> lines_;
  Captions captions_;
  ClassLayout current_;
};

}  // namespace

bool LoadSportIdent(const ReadRequest& request) {
  clsQuorvex2* root = CurrentRoot();
  try {
    std::optional<std::vector<std::string>> lines = TableLines(request);
    if (!lines) return Fail(request, FileReadErrorDescription(request.file_name));
    if (root == nullptr) return Fail(request, "No root object");
    return ListingReader(*root, request, std::move(*lines)).Read();
  } catch (const std::exception& error) {
    return Fail(request, error.what());
  }
}

}  // namespace quorvex2::detail
