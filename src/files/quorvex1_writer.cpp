// Writing the version-1 lap file: the "$" header lines, then one block per class with courses.
#include <algorithm>
#include <exception>
#include <string>

#include "core/detail/component_state.h"
#include "files/quorvex1_format.h"
#include "files/quorvex1_header_lines.h"
#include "quorvex2/core/encoding.h"
#include "quorvex2/core/path.h"
#include "quorvex2/core/root.h"
#include "quorvex2/core/text.h"
#include "quorvex2/core/time_text.h"

namespace quorvex2::detail {
namespace {

constexpr const char* kLineEnd = "\r\n";
constexpr const char* kTimeFormat = "hh:nn:ss";
constexpr const char* kNoTime = "n/a";
constexpr const char* kColumnHeader = "クラス,名前,所属,シード,性別,スタート時刻,総タイム,順位";

class Version1Writer {
 public:
  explicit Version1Writer(const clsQuorvex2& root) : root_(root) {}

  std::string Build() {
    WriteEventHeader(*root_.EventData());
    ForEachClassWithCourse([this](const clsClassData& data) { WriteClassParameters(data); });
    ForEachClassWithCourse([this](const clsClassData& data) { WriteClassBlock(data); });
    return text_;
  }

 private:
  // A line break inside a value (a memo of several lines) would end the line there and leave
  // the rest of it, and of the header, unread: each is written as a blank.
  void Line(const std::string& line) {
    std::string one = ReplaceAll(line, "\r\n", " ");
    std::replace(one.begin(), one.end(), '\r', ' ');
    std::replace(one.begin(), one.end(), '\n', ' ');
    text_ += one + kLineEnd;
  }

  template <class F>
  void ForEachClassWithCourse(F write) {
    for (int32_t i = 1; i <= root_.ClassCount(); ++i) {
      const auto data = root_.ClassData(i);
      if (data && data->ControlCount != 0) write(*data);
    }
  }

  void WriteEventHeader(const clsEventData& event) {
    Line(kVersion1Signature);
    Line(kVersion1Revision);
    Line("$名称=" + event.EventName);
    Line("$日時=" + (event.EventDate.Value() == 0 ? "" : event.EventDate.ToString("yyyy/mm/dd")));
    Line("$場所=" + event.Terrain);
    Line("$備考=" + event.Memo);
    Line("$公式サイト=" + event.OfficialSite);
    Line("$ファイル名キーワード=" + event.FileName);
  }

  void WriteClassParameters(const clsClassData& data) {
    const std::string name = data.ClassName();
    Line("$距離:" + name + "=" + std::to_string(data.Length));
    Line("$登距離:" + name + "=" + std::to_string(data.Climb));
    Line("$コントロール数:" + name + "=" + std::to_string(data.ControlCount));
    Line("$コース番号:" + name + "=" + std::to_string(data.CourseNum));
  }

  void WriteClassBlock(const clsClassData& data) {
    Line("");
    std::string header = kColumnHeader;
    for (int32_t k = 1; k <= LegColumns(data); ++k) {
      (header += ',') += MakeLegName(data.ControlCount, true, k);
    }
    Line(header);
    for (int32_t i = 1; i <= data.LapCount(); ++i) {
      const auto lap = data.LapData(i);
      if (lap && lap->LegCount() != 0) Line(RunnerLine(data, *lap));
    }
  }

  // One column per leg of the course; a runner record holds at most kMaxLegs + 1 of them.
  static int32_t LegColumns(const clsClassData& data) {
    return std::min(data.ControlCount, clsLapData::kMaxLegs) + 1;
  }

  static std::string LegText(Date value) {
    clsTimeValue leg;
    leg.Value(value);
    return leg.ToString(kTimeFormat, false, kNoTime, "→", kNoTime);
  }

  static std::string RunnerLine(const clsClassData& data, const clsLapData& lap) {
    const std::string result = lap.Result() == "×" ? kNoTime : lap.Result();
    std::string line = data.ClassName() + "," + lap.RunnerName + "," + lap.ClubName + "," +
                       lap.Seed + "," + lap.Sex + "," + lap.StartTime.ToString(kTimeFormat) + "," +
                       result + "," + lap.Rank;
    const int32_t legs = std::min(lap.LegCount(), clsLapData::kMaxLegs);
    for (int32_t k = 1; k <= legs; ++k) (line += ',') += LegText(lap.LapValue(k));
    for (int32_t k = legs + 1; k <= LegColumns(data); ++k) (line += ',') += kNoTime;
    return line;
  }

  const clsQuorvex2& root_;
  std::string text_;
};

}  // namespace

bool SaveQuorvex1(const std::string& file_name, int32_t /*save_mode*/) {
  const clsQuorvex2* root = CurrentRoot();
  if (root == nullptr) return false;
  try {
    return WriteFileAtomically(file_name, Utf8ToSjis(Version1Writer(*root).Build()));
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace quorvex2::detail
