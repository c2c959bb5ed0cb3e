// Writing the current root's event as a native XML lap file.
#include <pugixml.hpp>

#include <memory>
#include <string>
#include <unordered_set>

#include "files/detail/attribute_values.h"
#include "files/detail/native_xml.h"
#include "files/detail/xml_parts_writer.h"
#include "platform/clock.h"
#include "quorvex2/analysis/results_holder.h"
#include "quorvex2/core/format.h"
#include "quorvex2/core/path.h"
#include "quorvex2/core/root.h"

namespace quorvex2::detail {
namespace {

void SetIfNotEmpty(pugi::xml_node& node, const char* name, const std::string& value) {
  if (!value.empty()) node.append_attribute(name) = XmlText(value).c_str();
}

void SetAlways(pugi::xml_node& node, const char* name, const std::string& value) {
  node.append_attribute(name) = XmlText(value).c_str();
}

void SetWholeIfNotZero(pugi::xml_node& node, const char* name, int32_t value) {
  if (value != 0) SetAlways(node, name, WholeNumberText(value));
}

class NativeWriter {
 public:
  NativeWriter(const clsQuorvex2& root, int32_t save_mode)
      : root_(root), full_(save_mode == QX_SAVEMODE_FULL) {}

  // Everything but the classes, which go where the returned placeholder is (WriteClass).
  pugi::xml_node BuildFrame(pugi::xml_document& document) const {
    auto declaration = document.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "UTF-8";
    auto quorvex = document.append_child(kNativeRootElement);
    SetAlways(quorvex, "version", root_.Version(false));
    SetAlways(quorvex, "filedate", FormatDate(Now(), kNativeDateTimeFormat));
    SetAlways(quorvex, "type", kNativeDocumentType);
    WriteMeta(quorvex.append_child("meta"));
    WriteEvent(quorvex.append_child("event"));
    auto classes = AppendPartsPlaceholder(quorvex.append_child("classes"));
    WriteCourses(quorvex.append_child("courses"));
    return classes;
  }

  void WriteClass(pugi::xml_node parent, int32_t index) const {
    auto class_data = root_.ClassData(index);
    auto element = parent.append_child("class");
    WriteClassAttributes(element, *class_data);
    WriteRunners(element, index, *class_data);
  }

 private:
  void WriteMeta(pugi::xml_node meta) const {
    const clsMetaData& data = *root_.MetaData();
    WriteFileRecord(meta, "create", data.CreateApplication, data.CreateDate, data.CreateUserName);
    WriteFileRecord(meta, "last-update", data.LastUpdateApplication, data.LastUpdateDate,
                    data.LastUpdateUserName);
  }

  static void WriteFileRecord(pugi::xml_node& meta, const char* type,
                              const std::string& application, Date date, const std::string& user) {
    if (application.empty()) return;
    auto file = meta.append_child("file");
    SetAlways(file, "type", type);
    SetAlways(file, "application", application);
    SetAlways(file, "date", FormatDate(date, kNativeDateTimeFormat));
    SetIfNotEmpty(file, "username", user);
  }

  void WriteEvent(pugi::xml_node event) const {
    const clsEventData& data = *root_.EventData();
    SetAlways(event, "name", data.EventName);
    if (data.EventDate.Value() != 0) {
      SetAlways(event, "date", data.EventDate.ToString(kNativeDateFormat));
    }
    SetIfNotEmpty(event, "terrain", data.Terrain);
    SetIfNotEmpty(event, "memo", data.Memo);
    SetIfNotEmpty(event, "homepage", data.OfficialSite);
    SetIfNotEmpty(event, "filename", data.FileName);
  }

  static void WriteClassAttributes(pugi::xml_node& element, const clsClassData& data) {
    SetAlways(element, "name", data.ClassName());
    SetWholeIfNotZero(element, "length", data.Length);
    SetWholeIfNotZero(element, "climb", data.Climb);
    SetWholeIfNotZero(element, "controls", data.ControlCount);
    SetWholeIfNotZero(element, "course", data.CourseNum);
    SetWholeIfNotZero(element, "cutoffrank", data.CutOffRank);
    if (LowerNarrow(data.FileName()) != LowerNarrow(data.ClassName())) {
      SetAlways(element, "filename", data.FileName());
    }
  }

  // In result order through a results holder, then the runners it leaves out (those without
  // a result text) in class order, so that saving never drops a runner.
  void WriteRunners(pugi::xml_node& element, int32_t class_index, const clsClassData& data) const {
    auto holder = root_.NewResultsHolder();
    holder->Clear();
    holder->AddClass(class_index);
    std::unordered_set<const clsLapData*> written;
    for (int32_t k = 1; k <= holder->Count(); ++k) {
      auto lap = holder->Item(k);
      if (lap && written.insert(lap.get()).second) WriteRunner(element, *lap);
    }
    for (int32_t k = 1; k <= data.LapCount(); ++k) {
      auto lap = data.LapData(k);
      if (written.insert(lap.get()).second) WriteRunner(element, *lap);
    }
  }

  void WriteRunner(pugi::xml_node& parent, const clsLapData& lap) const {
    auto runner = parent.append_child("runner");
    SetAlways(runner, "name", lap.RunnerName);
    SetWholeIfNotZero(runner, "id", lap.ID);
    SetWholeIfNotZero(runner, "ecard", lap.Ecard);
    SetIfNotEmpty(runner, "seed", lap.Seed);
    SetIfNotEmpty(runner, "club", lap.ClubName);
    if (lap.StartTime.Value() != 0) {
      SetAlways(runner, "start", lap.StartTime.ToString(kNativeTimeFormat));
    }
    SetIfNotEmpty(runner, "result", lap.Result());
    SetIfNotEmpty(runner, "rank", lap.Rank);
    SetIfNotEmpty(runner, "sex", lap.Sex);
    if (full_) {
      SetIfNotEmpty(runner, "rankfix", lap.RankFix);
      SetIfNotEmpty(runner, "age", lap.Age);
    }
    // A LegCount above the 30 legs a record holds fails the save rather than dropping legs.
    for (int32_t index = 1; index <= lap.LegCount(); ++index) {
      auto leg = runner.append_child("leg");
      SetAlways(leg, "index", std::to_string(index));
      clsTimeValue time;
      time.Value(lap.LapValue(index));
      SetAlways(leg, "laptime", time.ToString(kNativeTimeFormat));
    }
  }

  void WriteCourses(pugi::xml_node courses) const {
    for (int32_t index = 1; index <= root_.CourseCount(); ++index) {
      const clsCourseData& data = *root_.CourseData(index);
      auto course = courses.append_child("course");
      SetAlways(course, "number", WholeNumberText(data.CourseIndex));
      SetAlways(course, "controls", WholeNumberText(data.ControlCount));
      // Likewise a ControlCount above the 50 codes a course holds.
      for (int32_t control = 1; control <= data.ControlCount; ++control) {
        auto element = course.append_child("control");
        SetAlways(element, "index", WholeNumberText(control));
        SetAlways(element, "unit-number", WholeNumberText(data.ControlNum(control)));
      }
    }
  }

  const clsQuorvex2& root_;
  bool full_;
};

}  // namespace

bool WriteNativeXml(const std::string& file_name, int32_t save_mode) {
  return SaveEventClassByClass<NativeWriter>(file_name, {"", pugi::format_raw, pugi::encoding_utf8},
                                             save_mode);
}

}  // namespace quorvex2::detail
