// Building the IOF XML 2.0.3 ResultList document: the event, one ClassResult per class with
// its runners in result order, and the modification date.
#include <memory>
#include <sstream>
#include <utility>
#include <vector>

#include <pugixml.hpp>

#include "core/detail/internal.h"
#include "files/detail/runner_order.h"
#include "files/detail/xml_parts_writer.h"
#include "files/iof_result_list.h"
#include "quorvex2/core/format.h"
#include "quorvex2/core/path.h"
#include "quorvex2/core/root.h"
#include "quorvex2/core/text.h"

namespace quorvex2::detail {
namespace {

constexpr const char* kDateFormat = "yyyy-mm-dd";
constexpr const char* kClockFormat = "hh:nn:ss";

void Attribute(pugi::xml_node node, const char* name, const char* value) {
  node.append_attribute(name) = value;
}

void DateElement(pugi::xml_node parent, Date date) {
  Attribute(AppendTextElement(parent, "Date", FormatDate(date, kDateFormat)), "dateFormat",
            "YYYY-MM-DD");
}

void ClockElement(pugi::xml_node parent, Date time) {
  Attribute(AppendTextElement(parent, "Clock", FormatDate(time, kClockFormat)), "clockFormat",
            "HH:MM:SS");
}

void TimeElement(pugi::xml_node parent, Date time) {
  Attribute(AppendTextElement(parent, "Time", IofMinutesSeconds(time)), "timeFormat", "MM:SS");
}

// "山田　太郎" -> family 山田, given 太郎; a single word leaves the given name empty.
std::pair<std::string, std::string> SplitName(std::string name) {
  for (size_t pos; (pos = name.find("\u3000")) != std::string::npos;) name.replace(pos, 3, " ");
  std::istringstream words(name);
  std::string family, given;
  words >> family >> given;
  return {family, given};
}

// The parts the file gave, else the name split as above, whatever the language of the messages.
std::pair<std::string, std::string> NamePartsOf(const clsLapData& lap) {
  if (auto parts = lap.NameParts(MakeInternal())) return *parts;
  return SplitName(lap.RunnerName);
}

class ResultListBuilder {
 public:
  explicit ResultListBuilder(const clsQuorvex2& root) : root_(root) {}

  // Everything but the classes, which go where the returned placeholder is (WriteClass).
  pugi::xml_node BuildFrame(pugi::xml_document& doc) {
    Attribute(doc.append_child(pugi::node_declaration), "version", "1.0");
    auto list = doc.append_child("ResultList");
    Attribute(list, "status", "complete");
    Attribute(AppendTextElement(list, "IOFVersion"), "version", "2.0.3");
    WriteEvent(list, *root_.EventData());
    auto classes = AppendPartsPlaceholder(list);
    auto modified = AppendTextElement(list, "ModifyDate");
    DateElement(modified, root_.MetaData()->LastUpdateDate);
    ClockElement(modified, root_.MetaData()->LastUpdateDate);
    return classes;
  }

  void WriteClass(pugi::xml_node list, int32_t class_index) {
    const auto data = root_.ClassData(class_index);
    if (!data) return;
    auto node = AppendTextElement(list, "ClassResult");
    AppendTextElement(node, "ClassShortName", data->ClassName());
    course_ = root_.IsCourseExists(data->CourseNum)
                  ? root_.CourseData(std::to_string(data->CourseNum))
                  : nullptr;
    course_written_ = false;
    for (const auto& lap : RunnersInResultOrder(root_, class_index)) WritePerson(node, *lap);
  }

 private:
  static void WriteEvent(pugi::xml_node list, const clsEventData& event) {
    auto node = AppendTextElement(list, "Event");
    AppendTextElement(node, "EventId");
    AppendTextElement(node, "Name", event.EventName);
    AppendTextElement(node, "EventClassificationId");
    auto start = AppendTextElement(node, "StartDate");
    Attribute(AppendTextElement(start, "Date", event.EventDate.ToString(kDateFormat)), "dateFormat",
              "YYYY-MM-DD");
    if (!event.OfficialSite.empty()) AppendTextElement(node, "WebURL", event.OfficialSite);
  }

  void WritePerson(pugi::xml_node class_node, const clsLapData& lap) {
    auto node = AppendTextElement(class_node, "PersonResult");
    auto person = AppendTextElement(node, "Person");
    const std::string sex = IofSex(lap.Sex);
    if (!sex.empty()) Attribute(person, "sex", sex.c_str());
    const auto [family, given] = NamePartsOf(lap);
    auto name = AppendTextElement(person, "PersonName");
    AppendTextElement(name, "Family", family);
    AppendTextElement(name, "Given", given);
    AppendTextElement(person, "PersonId");
    auto club = AppendTextElement(node, "Club");
    AppendTextElement(club, "ClubId");
    AppendTextElement(club, "ShortName", lap.ClubName);
    WriteResult(AppendTextElement(node, "Result"), lap);
  }

  void WriteResult(pugi::xml_node result, const clsLapData& lap) {
    if (lap.ID != 0) AppendTextElement(result, "StartNumber", std::to_string(lap.ID));
    if (lap.Ecard != 0) AppendTextElement(result, "CCardId", std::to_string(lap.Ecard));
    // Every runner has a total: his result, else the sum of his legs (also for a runner without
    // a result text, whom a results holder does not list and whom we write after the others).
    const IofTotal total = IofTotalTime(lap);
    const Date start = lap.StartTime.Value();
    if (start != 0) ClockElement(AppendTextElement(result, "StartTime"), start);
    if (start != 0) ClockElement(AppendTextElement(result, "FinishTime"), start + total.time);
    TimeElement(result, total.time);
    if (IsNumeric(lap.Rank)) AppendTextElement(result, "ResultPosition", lap.Rank);
    Attribute(AppendTextElement(result, "CompetitorStatus"), "value",
              IofCompetitorStatus(lap, total.missing_punch).c_str());
    if (course_ && (course_written_ || lap.LegCount() > 0)) WriteCourse(result);
    WriteSplitTimes(result, lap);
  }

  void WriteCourse(pugi::xml_node result) {
    const std::string number = std::to_string(course_->CourseIndex);
    if (course_written_) {
      AppendTextElement(result, "CourseVariationId", number);
      return;
    }
    course_written_ = true;
    auto variation = AppendTextElement(result, "CourseVariation");
    AppendTextElement(variation, "CourseVariationId", number);
    if (const auto data = LastClassOfCourse(course_->CourseIndex)) {
      Attribute(AppendTextElement(variation, "CourseLength", std::to_string(data->Length)), "unit",
                "m");
      Attribute(AppendTextElement(variation, "CourseClimb", std::to_string(data->Climb)), "unit",
                "m");
    }
    for (int32_t k = 1; k <= course_->ControlCount && k <= clsCourseData::kMaxControls; ++k) {
      auto control = AppendTextElement(variation, "CourseControl");
      AppendTextElement(control, "Sequence", std::to_string(k));
      AppendTextElement(control, "ControlCode", std::to_string(course_->ControlNum(k)));
    }
  }

  std::shared_ptr<clsClassData> LastClassOfCourse(int32_t course_number) const {
    std::shared_ptr<clsClassData> found;
    for (int32_t i = 1; i <= root_.ClassCount(); ++i) {
      auto data = root_.ClassData(i);
      if (data && data->CourseNum == course_number) found = data;
    }
    return found;
  }

  void WriteSplitTimes(pugi::xml_node result, const clsLapData& lap) {
    Date elapsed = 0;
    int32_t sequence = 0;
    for (int32_t k = 1; k <= lap.LegCount() && k <= clsLapData::kMaxLegs; ++k) {
      const Date value = lap.LapValue(k);
      if (value <= 0) continue;
      elapsed += value;
      auto split = AppendTextElement(result, "SplitTime");
      split.append_attribute("sequence") = ++sequence;
      const int32_t code = course_ ? course_->ControlNum(k) : clsCourseData::kFinishCode;
      if (code != clsCourseData::kFinishCode)
        AppendTextElement(split, "ControlCode", std::to_string(code));
      TimeElement(split, elapsed);
    }
  }

  const clsQuorvex2& root_;
  std::shared_ptr<clsCourseData> course_;
  bool course_written_ = false;
};

}  // namespace

bool SaveIofResultList(const std::string& file_name, int32_t /*save_mode*/) {
  return SaveEventClassByClass<ResultListBuilder>(
      file_name, {"", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_auto});
}

}  // namespace quorvex2::detail
