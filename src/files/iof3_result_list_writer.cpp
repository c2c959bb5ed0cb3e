// Building the IOF XML 3.0 ResultList: the event, one ClassResult per class with its course and
// its runners in result order; per runner the person, club, result, status and split times.
#include <pugixml.hpp>

#include <algorithm>
#include <cmath>

#include "core/detail/internal.h"
#include "core/detail/localized_text.h"
#include "files/detail/runner_order.h"
#include "files/detail/xml_parts_writer.h"
#include "files/iof_reading.h"
#include "files/iof_result_list.h"
#include "platform/clock.h"
#include "quorvex2/core/format.h"
#include "quorvex2/core/path.h"
#include "quorvex2/core/root.h"
#include "quorvex2/core/text.h"

namespace quorvex2::detail {
namespace {

std::string DateTimeText(Date value, const std::string& zone = "") {
  return FormatDate(value, "yyyy-mm-dd") + "T" + FormatDate(value, "hh:nn:ss") + zone;
}

long long Seconds(Date time) {
  return std::llround(time * 86400.0);
}

bool IsWholeNumber(const std::string& text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

// "Aho Ari Kalle" -> family Aho, given "Ari Kalle"; an ideographic space separates as well.
std::pair<std::string, std::string> SplitName(const std::string& name) {
  const size_t blank = name.find(' ');
  const size_t wide = name.find("\u3000");
  const size_t at = std::min(blank, wide);
  if (at == std::string::npos) return {name, ""};
  return {name.substr(0, at), Trim(name.substr(at + (at == wide ? 3 : 1)))};
}

// The parts the file gave, else the name parted the way the list is read back in the language
// of the messages: given name first outside Japanese for names not in kana or kanji ("Anna Berg"
// -> family Berg), family first otherwise, so that the name comes back as it was.
std::pair<std::string, std::string> NamePartsOf(const clsLapData& lap) {
  if (auto parts = lap.NameParts(MakeInternal())) return *parts;
  if (auto parts = detail::GivenFirstParts(lap.RunnerName)) return *parts;
  return SplitName(lap.RunnerName);
}

class Iof3Builder {
 public:
  explicit Iof3Builder(const clsQuorvex2& root) : root_(root) {}

  // Everything but the classes, which go where the returned placeholder is (WriteClass).
  pugi::xml_node BuildFrame(pugi::xml_document& doc) {
    auto declaration = doc.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "UTF-8";
    auto list = doc.append_child("ResultList");
    list.append_attribute("xmlns") = kIof3Namespace;
    list.append_attribute("iofVersion") = "3.0";
    list.append_attribute("createTime") = DateTimeText(Now()).c_str();
    list.append_attribute("creator") = ("Quorvex2 " + root_.Version(false)).c_str();
    list.append_attribute("status") = "Complete";
    WriteEvent(list, *root_.EventData());
    return AppendPartsPlaceholder(list);
  }

  void WriteClass(pugi::xml_node list, int32_t class_index) {
    const auto data = root_.ClassData(class_index);
    auto node = AppendTextElement(list, "ClassResult");
    AppendTextElement(AppendTextElement(node, "Class"), "Name", data->ClassName());
    course_ = root_.IsCourseExists(data->CourseNum)
                  ? root_.CourseData(std::to_string(data->CourseNum))
                  : nullptr;
    controls_ = course_ ? course_->ControlCount : data->ControlCount;
    WriteCourse(node, *data);
    for (const auto& lap : RunnersInResultOrder(root_, class_index)) WritePerson(node, *lap);
  }

 private:
  // Start and finish times are date-times: on the event's day in its zone. An event without a
  // date puts them on the day the list is written (its createTime), never on day 0.
  void WriteEvent(pugi::xml_node list, const clsEventData& event) {
    auto node = AppendTextElement(list, "Event");
    AppendTextElement(node, "Name", event.EventName);
    zone_ = IofZoneMinutes(event.TimeZone) ? event.TimeZone : "";
    day_ = std::floor(event.EventDate.Value() > 0 ? event.EventDate.Value() : Now());
    if (event.EventDate.Value() > 0) {
      AppendTextElement(AppendTextElement(node, "StartTime"), "Date",
                        FormatDate(day_, "yyyy-mm-dd"));
    }
    if (!event.OfficialSite.empty()) {
      AppendTextElement(node, "URL", event.OfficialSite).append_attribute("type") = "Website";
    }
  }

  void WriteCourse(pugi::xml_node class_node, const clsClassData& data) {
    if (!course_ && data.Length <= 0 && data.Climb <= 0) return;
    auto node = AppendTextElement(class_node, "Course");
    if (course_) AppendTextElement(node, "Id", std::to_string(course_->CourseIndex));
    if (data.Length > 0) AppendTextElement(node, "Length", std::to_string(data.Length));
    if (data.Climb > 0) AppendTextElement(node, "Climb", std::to_string(data.Climb));
    if (controls_ > 0) AppendTextElement(node, "NumberOfControls", std::to_string(controls_));
  }

  void WritePerson(pugi::xml_node class_node, const clsLapData& lap) {
    auto node = AppendTextElement(class_node, "PersonResult");
    auto person = AppendTextElement(node, "Person");
    const std::string sex = IofSex(lap.Sex);
    if (!sex.empty()) person.append_attribute("sex") = sex.c_str();
    const auto [family, given] = NamePartsOf(lap);
    auto name = AppendTextElement(person, "Name");
    AppendTextElement(name, "Family", family);
    AppendTextElement(name, "Given", given);
    if (!lap.ClubName.empty())
      AppendTextElement(AppendTextElement(node, "Organisation"), "Name", lap.ClubName);
    WriteResult(AppendTextElement(node, "Result"), lap);
  }

  void WriteResult(pugi::xml_node result, const clsLapData& lap) {
    if (lap.ID != 0) AppendTextElement(result, "BibNumber", std::to_string(lap.ID));
    const std::optional<Date> time = IofFinishTime(lap, controls_);
    const Date start = lap.StartTime.Value();
    if (start > 0) {
      AppendTextElement(result, "StartTime", DateTimeText(day_ + start, zone_));
      if (time) AppendTextElement(result, "FinishTime", DateTimeText(day_ + start + *time, zone_));
    }
    if (time) AppendTextElement(result, "Time", std::to_string(Seconds(*time)));
    if (IsWholeNumber(lap.Rank)) AppendTextElement(result, "Position", lap.Rank);
    AppendTextElement(result, "Status", Iof3Status(lap.Result()));
    WriteSplitTimes(result, lap);
    if (lap.Ecard != 0) AppendTextElement(result, "ControlCard", std::to_string(lap.Ecard));
  }

  // The legs up to the course's controls are controls; a leg after them is the finish, which
  // the result's time carries. Without a course the last leg is the finish.
  void WriteSplitTimes(pugi::xml_node result, const clsLapData& lap) {
    const int32_t legs = std::min(lap.LegCount(), clsLapData::kMaxLegs);
    const int32_t controls = legs > controls_ || controls_ <= 0 ? legs - 1 : legs;
    Date elapsed = 0;
    for (int32_t k = 1; k <= controls; ++k) {
      const Date value = lap.LapValue(k);
      auto split = AppendTextElement(result, "SplitTime");
      if (value == kTimeDisq) split.append_attribute("status") = "Missing";
      AppendTextElement(split, "ControlCode", ControlCode(k));
      if (value <= 0) continue;
      elapsed += value;
      AppendTextElement(split, "Time", std::to_string(Seconds(elapsed)));
    }
  }

  // The course's code; none (an empty code) for a class without a course.
  std::string ControlCode(int32_t k) const {
    if (!course_ || k > course_->ControlCount || k > clsCourseData::kMaxControls) return "";
    return std::to_string(course_->ControlNum(k));
  }

  const clsQuorvex2& root_;
  Date day_ = 0;
  std::string zone_;
  std::shared_ptr<clsCourseData> course_;
  int32_t controls_ = 0;
};

}  // namespace

bool SaveIof3ResultList(const std::string& file_name, int32_t /*save_mode*/) {
  // One element a line, without indentation: readable, and large lists stay small.
  return SaveEventClassByClass<Iof3Builder>(
      file_name, {"", pugi::format_indent | pugi::format_no_declaration, pugi::encoding_auto});
}

}  // namespace quorvex2::detail
