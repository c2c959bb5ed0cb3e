// Reading OEvent split-time exports: comma-separated lines, a class header line (one field)
// before its runners, per runner a line with rank, name, class and result followed by split
// lines of cumulative times, and a footer naming OEvent with the date on the next line.
//
//   M21A
//   1.,Kato Ken,M21A,1001,26:25
//   ,1-10,,,,5:00,5:00,12:00,7:00,... (fields 5, 7, ..., 23: cumulative times to ten controls)
//   ,11-13,,,,28:10,1:45,...          (further split lines have something in field 1)
//                                     (a line without field 1 ends the runner's block)
//   Created with OEvent
//   2026.11.28
//
// A runner with more than the 30 legs a record holds stops the load; the error names the runner.
#include "files/oevent_reader.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/detail/component_state.h"
#include "core/detail/fill_in.h"
#include "core/detail/internal.h"
#include "files/csv_table_lines.h"
#include "files/detail/file_error.h"
#include "files/detail/load_error.h"
#include "files/detail/progress.h"
#include "quorvex2/core/format.h"
#include "quorvex2/core/root.h"
#include "quorvex2/core/text.h"
#include "quorvex2/core/time_text.h"

namespace quorvex2::detail {
namespace {

constexpr const char* kLocation = "clsFileControl.LoadOEvent";
constexpr const char* kMarker = "Split times of";
constexpr const char* kFooter = "Created with OEvent";
constexpr size_t kFirstSplitField = 5;
constexpr size_t kLastSplitField = 23;
constexpr size_t kReportEvery = 20;

bool Fail(const ReadRequest& request, const std::string& description) {
  return FailRead(request, kLocation, description);
}

// The line's fields, each trimmed.
std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields = SplitText(line, ",");
  for (std::string& field : fields) field = Trim(field);
  return fields;
}

std::string FieldAt(const std::vector<std::string>& fields, size_t index) {
  return index < fields.size() ? fields[index] : std::string();
}

// Turns cumulative split times into leg times: "--:--" is a missing punch; any other valid
// time after the start is measured from the previous valid one, in whole seconds as the times
// are written (so equal legs are equal).
class LegBuilder {
 public:
  explicit LegBuilder(clsLapData& lap) : lap_(lap) {}

  void Add(const std::string& text) {
    if (text == "--:--") {
      SetNext(kTimeDisq);
      return;
    }
    const std::optional<Date> time = ParseTimeText(NormalizeTimeText(text, true, "hh:nn:ss"));
    if (!time || *time <= 0) return;
    SetNext(RoundToSecond(*time - previous_));
    previous_ = *time;
  }
  int32_t Count() const { return count_; }

 private:
  void SetNext(Date value) {
    if (++count_ <= clsLapData::kMaxLegs) lap_.Lap(count_)->Value(value);
  }

  clsLapData& lap_;
  Date previous_ = 0;
  int32_t count_ = 0;
};

class ExportReader {
 public:
  ExportReader(clsQuorvex2& root, const ReadRequest& request, std::vector<std::string> lines)
      : root_(root), request_(request), lines_(std::move(lines)) {}

  bool Read() {
    if (lines_.size() < 3 || lines_[1].find(kMarker) == std::string::npos) {
      return Fail(request_, Tr("OEvent のラップタイム出力ではありません"));
    }
    clsEventData& event = *root_.EventData();
    if (event.EventName.empty()) event.EventName = Trim(lines_[0]);
    request_.progress->Start();
    ReadBody();
    if (event.EventName.empty()) event.EventName = kUnnamed;
    return true;
  }

 private:
  void ReadBody() {
    const size_t last = lines_.size() - 1;
    size_t next_report = 0;
    for (size_t i = 2; i <= last; ++i) {
      if (i > next_report) {
        request_.progress->Step(static_cast<double>(i), static_cast<double>(last));
        next_report = std::min(i + kReportEvery, last - 1);
      }
      const std::string line = Trim(lines_[i]);
      const std::vector<std::string> fields = Fields(line);
      const std::string f0 = FieldAt(fields, 0);
      const std::string f1 = FieldAt(fields, 1);
      if (line.find("-------") != std::string::npos || (f0.empty() && f1.empty())) continue;
      if (line.find(kFooter) != std::string::npos) {
        ReadFooter(i);
        return;
      }
      if (f1.empty()) {
        current_ = root_.AddClass(f0);
      } else {
        i = ReadRunner(i, fields);
      }
    }
  }

  void ReadFooter(size_t i) {
    clsMetaData& meta = *root_.MetaData();
    meta.CreateApplication = "OEvent";
    std::string date = i + 1 < lines_.size() ? Trim(lines_[i + 1]) : "";
    std::replace(date.begin(), date.end(), '.', '/');
    meta.CreateDate = ParseDateText(date).value_or(0);
  }

  // Reads the runner block that starts at line i; returns the block's last line.
  size_t ReadRunner(size_t i, const std::vector<std::string>& fields) {
    auto lap = std::make_shared<clsLapData>();
    std::string rank = FieldAt(fields, 0);
    std::erase(rank, '.');
    lap->Rank = rank;
    lap->RunnerName = FieldAt(fields, 1);
    lap->SetClassName(FieldAt(fields, 2), MakeInternal());
    lap->Result(NormalizeTimeText(FieldAt(fields, 4), true, "hh:nn:ss"));
    LegBuilder legs(*lap);
    size_t j = i + 1;
    for (; j < lines_.size() && (j == i + 1 || !FieldAt(Fields(lines_[j]), 1).empty()); ++j) {
      const std::vector<std::string> splits = Fields(lines_[j]);
      for (size_t f = kFirstSplitField; f <= kLastSplitField && f < splits.size(); f += 2) {
        legs.Add(splits[f]);
      }
    }
    if (legs.Count() > clsLapData::kMaxLegs) {
      throw std::runtime_error(
          FillIn(Tr("{runner}: 区間が {legs} あり、選手が持てる {most} を超えています"),
                 {{"runner", lap->RunnerName},
                  {"legs", std::to_string(legs.Count())},
                  {"most", std::to_string(clsLapData::kMaxLegs)}}));
    }
    std::shared_ptr<clsClassData> class_data = ClassFor(FieldAt(fields, 2));
    class_data->ControlCount = std::max(class_data->ControlCount, legs.Count() - 1);
    class_data->AddLapObject(lap, request_.load_mode);
    return j - 1;
  }

  // The current class; before any class header line, the class the runner line names.
  std::shared_ptr<clsClassData> ClassFor(const std::string& named) {
    if (!current_) {
      if (named.empty()) throw std::runtime_error(Tr("クラスより前に選手の行があります"));
      current_ = root_.AddClass(named);
    }
    return current_;
  }

  clsQuorvex2& root_;
  const ReadRequest& request_;
  std::vector<std::string> lines_;
  std::shared_ptr<clsClassData> current_;
};

}  // namespace

bool LoadOEvent(const ReadRequest& request) {
  clsQuorvex2* root = CurrentRoot();
  try {
    std::optional<std::vector<std::string>> lines = TableLines(request);
    if (!lines) return Fail(request, FileReadErrorDescription(request.file_name));
    if (root == nullptr) return Fail(request, "No root object");
    if (!ExportReader(*root, request, std::move(*lines)).Read()) return false;
    // Only a shown window is closed with a last 100.
    if (request.progress_visible) {
      request.progress->Finish();
    } else {
      request.progress->Dismiss();
    }
    return true;
  } catch (const std::exception& error) {
    return Fail(request, error.what());
  }
}

}  // namespace quorvex2::detail
