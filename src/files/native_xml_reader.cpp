// Reading the native XML lap file into the current root.
#include <pugixml.hpp>

#include <exception>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/detail/component_state.h"
#include "core/detail/internal.h"
#include "core/detail/trim_view.h"
#include "files/detail/attribute_values.h"
#include "files/detail/file_error.h"
#include "files/detail/load_error.h"
#include "files/detail/native_xml.h"
#include "files/detail/progress.h"
#include "files/detail/xml_encoding.h"
#include "files/detail/xml_nodes.h"
#include "files/detail/xml_parts.h"
#include "quorvex2/core/path.h"
#include "quorvex2/core/root.h"
#include "quorvex2/core/text.h"

namespace quorvex2::detail {
namespace {

constexpr const char* kLocation = "clsFileControl.LoadQuorvex2";

// The class elements of a lap file: the children of its "classes" element.
constexpr PartPlace kClassParts{"classes", ""};

class NativeReader {
 public:
  // Class elements come from `parts` when the document is read in parts, else from the document.
  NativeReader(clsQuorvex2& root, const ReadRequest& request, XmlPartReader* parts)
      : root_(root),
        request_(request),
        parts_(parts),
        fresh_(request.load_mode == QX_LOADMODE_NORMAL) {}

  void Read(const pugi::xml_node& document) {
    if (auto filedate = ReadDateText(Trim(document.attribute("filedate").value()))) {
      root_.FileDate = *filedate;
    }
    ForEachElement(document, [this](const pugi::xml_node& element) {
      const char* name = BaseName(element);
      if (Is(name, "event") && fresh_) ReadEvent(element);
      if (Is(name, "meta") && fresh_) ReadMeta(element);
      if (Is(name, "classes")) ReadClasses(element);
      if (Is(name, "courses")) ReadCourses(element);
    });
  }

 private:
  void ReadEvent(const pugi::xml_node& element) {
    clsEventData& event = *root_.EventData();
    for (const auto& attribute : element.attributes()) {
      const char* name = attribute.name();
      const std::string value = Trim(attribute.value());
      if (Is(name, "name")) event.EventName = value;
      if (Is(name, "date")) {
        if (auto date = ReadDateText(value)) event.EventDate.Value(*date);
      }
      if (Is(name, "terrain")) event.Terrain = value;
      if (Is(name, "memo")) event.Memo = value;
      if (Is(name, "homepage")) event.OfficialSite = value;
      if (Is(name, "filename")) event.FileName = MakeSafeFileName(LowerNarrow(value));
    }
  }

  void ReadMeta(const pugi::xml_node& element) {
    clsMetaData& meta = *root_.MetaData();
    ForEachElement(element, [&meta](const pugi::xml_node& record) {
      const std::string type = Trim(record.attribute("type").value());
      const std::string application = Trim(record.attribute("application").value());
      const std::string user = Trim(record.attribute("username").value());
      const Date date = ReadDateText(Trim(record.attribute("date").value())).value_or(0);
      if (type == "create") {
        meta.CreateApplication = application;
        meta.CreateDate = date;
        meta.CreateUserName = user;
      } else if (type == "last-update") {
        meta.LastUpdateApplication = application;
        meta.LastUpdateDate = date;
        meta.LastUpdateUserName = user;
      }
    });
  }

  void ReadClasses(const pugi::xml_node& element) {
    const int32_t count = CountElements(element);
    int32_t position = 0;
    ForEachElement(element, [&](const pugi::xml_node& placed) {
      request_.progress->Step(++position, count);
      const pugi::xml_node class_element = parts_ ? parts_->Next() : placed;
      auto target = ReadClass(class_element);
      ForEachElement(class_element, [&](const pugi::xml_node& runner) {
        auto lap = ReadRunner(runner);
        target->AddLapObject(lap, request_.load_mode);
      });
    });
  }

  // The class that receives the runners: the one already held under that name (the new
  // record and its attributes are dropped), or the new record, registered.
  std::shared_ptr<clsClassData> ReadClass(const pugi::xml_node& element) {
    auto record = std::make_shared<clsClassData>();
    std::string name;
    std::string file_name;
    for (const auto& attribute : element.attributes()) {
      const char* key = attribute.name();
      const std::string value = Trim(attribute.value());
      if (Is(key, "name")) name = value;
      if (Is(key, "filename")) file_name = LowerNarrow(value);
      if (Is(key, "length")) record->Length = ReadWholeNumber(value);
      if (Is(key, "climb")) record->Climb = ReadWholeNumber(value);
      if (Is(key, "controls")) record->ControlCount = ReadWholeNumber(value);
      if (Is(key, "cutoffrank")) record->CutOffRank = ReadWholeNumber(value);
      if (Is(key, "course")) record->CourseNum = ReadWholeNumber(value);
    }
    record->SetClassName(name, MakeInternal());
    if (!file_name.empty()) record->FileName(file_name);
    if (root_.IsClassExists(name)) return root_.ClassData(name);
    root_.AddExistingClass(record, MakeInternal());
    return record;
  }

  std::shared_ptr<clsLapData> ReadRunner(const pugi::xml_node& element) const {
    auto lap = std::make_shared<clsLapData>();
    ForEachAttribute(element,
                     [&lap](const pugi::xml_attribute& a) { ReadRunnerAttribute(*lap, a); });
    ForEachElement(element, [&lap](const pugi::xml_node& leg) {
      if (Is(BaseName(leg), "leg")) ReadLeg(*lap, leg);
    });
    return lap;
  }

  // One pass over the leg's attributes; of a name given twice the first counts.
  static void ReadLeg(clsLapData& lap, const pugi::xml_node& leg) {
    const char* index = nullptr;
    const char* laptime = nullptr;
    ForEachAttribute(leg, [&](const pugi::xml_attribute& attribute) {
      const char* key = attribute.name();
      if (index == nullptr && Is(key, "index")) index = attribute.value();
      if (laptime == nullptr && Is(key, "laptime")) laptime = attribute.value();
    });
    clsTimeValue* time = lap.Lap(ReadWholeNumber(index == nullptr ? "" : index));
    if (time == nullptr) throw std::out_of_range("Leg index 0 holds no time");
    time->Value(ReadLapTimeText(laptime == nullptr ? "" : laptime));
  }

  static void ReadRunnerAttribute(clsLapData& lap, const pugi::xml_attribute& attribute) {
    const char* key = attribute.name();
    const std::string_view value = TrimSpaces(attribute.value());
    if (Is(key, "name")) {
      lap.RunnerName = value;
    } else if (Is(key, "club")) {
      lap.ClubName = value;
    } else if (Is(key, "start")) {
      if (auto start = ReadDateText(value)) lap.StartTime.Value(*start);
    } else if (Is(key, "result")) {
      lap.Result(std::string(value));
    } else if (Is(key, "id")) {
      lap.ID = ReadWholeNumber(value);
    } else if (Is(key, "ecard")) {
      lap.Ecard = ReadWholeNumber(value);
    } else if (Is(key, "rank")) {
      lap.Rank = value;
    } else if (Is(key, "seed")) {
      lap.Seed = value;
    } else if (Is(key, "rankfix")) {
      lap.RankFix = value;
    } else if (Is(key, "age")) {
      lap.Age = value;
    } else if (Is(key, "sex")) {
      lap.Sex = value;
    }
  }

  void ReadCourses(const pugi::xml_node& element) {
    ForEachElement(element, [this](const pugi::xml_node& course_element) {
      auto course = std::make_shared<clsCourseData>();
      course->CourseIndex = ReadWholeNumber(Trim(course_element.attribute("number").value()));
      course->ControlCount = ReadWholeNumber(Trim(course_element.attribute("controls").value()));
      // A number read before keeps its first definition; this record is read and dropped.
      root_.AddExistingCourse(course, MakeInternal());
      ForEachElement(course_element, [&course](const pugi::xml_node& control) {
        const int32_t index = ReadWholeNumber(Trim(control.attribute("index").value()));
        const int32_t code = ReadWholeNumber(Trim(control.attribute("unit-number").value()));
        course->ControlNum(index, code);
      });
    });
  }

  clsQuorvex2& root_;
  const ReadRequest& request_;
  XmlPartReader* parts_;
  bool fresh_;
};

// The whole document, parsed in place from `text` (the file's bytes, or the text with the values
// of its entities in place) when there is one, else from the text in memory (pugixml reads the
// file itself when its bytes could not be read, and says why). A text decoded from `encoding`,
// or held in memory, is UTF-8 whatever its declaration says; a parse error's offset is counted
// in the file's bytes.
pugi::xml_parse_result ParseWhole(pugi::xml_document& document, const ReadRequest& request,
                                  std::string& text, const std::string& encoding) {
  if (!encoding.empty()) return ParseDecoded(document, text, encoding);
  const bool in_memory = !request.file_data.empty();
  if (!text.empty()) {
    return document.load_buffer_inplace(text.data(), text.size(), pugi::parse_default,
                                        in_memory ? pugi::encoding_utf8 : pugi::encoding_auto);
  }
  if (in_memory) {
    return document.load_buffer(request.file_data.data(), request.file_data.size(),
                                pugi::parse_default, pugi::encoding_utf8);
  }
  if (!IsFileExists(request.file_name)) {  // nor a pipe, whose opening would wait for a writer
    pugi::xml_parse_result unread;
    unread.status = pugi::status_file_not_found;
    return unread;
  }
  return document.load_file(ToFileSystemPath(request.file_name).c_str());
}

// Why the document is no lap file, for the error comment: what the parser or, when it read the
// text, the scan found wrong, or its root element.
std::string WhyNotALapFile(const ReadRequest& request, const pugi::xml_parse_result& parsed,
                           const std::optional<XmlFault>& fault, const pugi::xml_node& element) {
  if (parsed.status == pugi::status_file_not_found || parsed.status == pugi::status_io_error) {
    return FileReadErrorDescription(request.file_name);
  }
  if (!parsed) return XmlErrorText(request.file_name, XmlSyntaxText(parsed));
  if (fault) return XmlErrorText(request.file_name, XmlFaultText(*fault));
  return OtherRootText(request.file_name, element.name(), kNativeRootElement);
}

// Reads the document's root into the event; why it is no lap file when it is none.
std::optional<std::string> ReadRoot(clsQuorvex2& root, const ReadRequest& request,
                                    const pugi::xml_document& document,
                                    const pugi::xml_parse_result& parsed,
                                    const std::optional<XmlFault>& fault, XmlPartReader* parts) {
  const pugi::xml_node quorvex = document.document_element();
  if (!parsed || fault || !Is(BaseName(quorvex), kNativeRootElement)) {
    return WhyNotALapFile(request, parsed, fault, quorvex);
  }
  NativeReader(root, request, parts).Read(quorvex);
  return std::nullopt;
}

// A large file's element tree takes several times the file's size: the document is read class
// by class when the scan vouches for it, and whole otherwise. A file in an encoding the parser
// does not know (a declared Shift_JIS, say) is decoded first.
std::optional<std::string> ReadDocument(clsQuorvex2& root, const ReadRequest& request) {
  std::string bytes;
  std::string encoding;
  std::string_view text = request.file_data;
  if (text.empty()) {
    if (std::optional<std::string> read = ReadFileBytes(request.file_name)) {
      bytes = DecodedForParser(std::move(*read), encoding);
    }
    // A native file of UTF-8 bytes is parsed as its declaration says.
    if (encoding == "UTF-8") encoding.clear();
    text = bytes;
  }
  ScannedXml scanned = ScanXmlParts(text, kClassParts, encoding);
  if (std::optional<XmlParts>& split = scanned.split) {
    pugi::xml_document frame;
    const pugi::xml_parse_result parsed = frame.load_buffer(
        split->frame.data(), split->frame.size(), pugi::parse_default, pugi::encoding_utf8);
    if (parsed) {
      XmlPartReader parts(text, std::move(split->parts));
      return ReadRoot(root, request, frame, parsed, std::nullopt, &parts);
    }
  }
  // A text the scan finds fault with is parsed all the same: the parser's own error, where it
  // finds one, says more. One that uses entities is parsed with their values in place.
  if (scanned.expanded) bytes = std::move(*scanned.expanded);
  pugi::xml_document document;
  const pugi::xml_parse_result parsed = ParseWhole(document, request, bytes, encoding);
  return ReadRoot(root, request, document, parsed, scanned.fault, nullptr);
}

}  // namespace

bool ReadNativeXml(const ReadRequest& request) {
  request.progress->Start();
  std::optional<std::string> failure;
  try {
    clsQuorvex2* root = CurrentRoot();
    if (root == nullptr) throw std::runtime_error("No root object");
    failure = ReadDocument(*root, request);
  } catch (const std::exception& error) {
    failure = error.what();
  }
  request.progress->Finish();
  return failure ? FailLoad(kCannotOpenFile, kLocation, *failure) : true;
}

}  // namespace quorvex2::detail
