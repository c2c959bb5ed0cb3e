#include "web/detail/web_entries.h"

#include <algorithm>
#include <array>

#include "core/detail/class_and_course_entries.h"
#include "core/detail/file_names.h"
#include "quorvex2/analysis/analyzer.h"
#include "quorvex2/core/root.h"
#include "quorvex2/core/text.h"

namespace quorvex2::detail {

namespace {

// Start, the course's controls, finish; empty for a class without a course.
std::vector<int32_t> CourseCodes(const clsQuorvex2& root, int32_t course_num) {
  const auto course = root.CourseData(std::to_string(course_num));
  if (course_num == 0 || course == nullptr) return {};
  std::vector<int32_t> codes;
  for (int32_t i = 0; i <= course->ControlCount; ++i) codes.push_back(course->ControlNum(i));
  codes.push_back(clsCourseData::kFinishCode);
  return codes;
}

// "S-119-172-126-150" -> 0, 119, 172, 126, 150; "F" is the finish.
std::vector<int32_t> SegmentCodes(const std::string& name) {
  std::vector<int32_t> codes;
  for (int32_t i = 1;; ++i) {
    const std::string field = GetSeparatedValue(name, i, "-");
    if (field.empty()) break;
    codes.push_back(field == "S"   ? 0
                    : field == "F" ? clsCourseData::kFinishCode
                                   : static_cast<int32_t>(LeadingNumber(field)));
  }
  return codes;
}

std::vector<std::string> CourseClasses(const clsQuorvex2& root, int32_t course_num) {
  std::vector<std::string> names;
  for (int32_t i = 1; i <= root.ClassCount(); ++i) {
    if (root.ClassData(i)->CourseNum == course_num) names.push_back(root.ClassData(i)->ClassName());
  }
  return names;
}

// "M21A;3" -> "M21A"
std::vector<std::string> SegmentClasses(const clsSegmentData& segment) {
  std::vector<std::string> names;
  for (const std::string& target : segment.TargetClassList) {
    names.push_back(GetSeparatedValue(target, 1, ";"));
  }
  return names;
}

void AddClassesAndCourses(const clsQuorvex2& root, std::vector<WebEntry>& entries) {
  for (const ClassAndCourseEntry& item : ClassAndCourseEntries(root)) {
    WebEntry entry;
    entry.name = item.name;
    entry.class_index = item.class_index;
    entry.course_num = item.course_num;
    if (entry.class_index > 0) {
      entry.course_num = root.ClassData(entry.class_index)->CourseNum;
    } else {
      entry.kind = WebEntryKind::kCourse;
      entry.classes = CourseClasses(root, entry.course_num);
    }
    entry.codes = CourseCodes(root, entry.course_num);
    entry.page = item.file_name;
    entries.push_back(std::move(entry));
  }
}

void AddSegments(const clsQuorvex2& root, std::vector<WebEntry>& entries) {
  for (int32_t i = 1; i <= root.SegmentCount(); ++i) {
    const auto segment = root.SegmentData(i);
    WebEntry entry;
    entry.kind = WebEntryKind::kSegment;
    entry.name = segment->SegmentName();
    entry.segment = i;
    entry.codes = SegmentCodes(entry.name);
    entry.classes = SegmentClasses(*segment);
    entry.page = ToLower(entry.name);
    entries.push_back(std::move(entry));
  }
}

// Until now `page` held the entry's file name; it becomes the page's own unique name.
void NamePages(std::vector<WebEntry>& entries) {
  UniqueFileNames taken;
  taken.Take("index.html");
  for (WebEntry& entry : entries) {
    std::string base = KindName(entry.kind);
    base += '_';
    base += SafeFileName(entry.page, "set");
    entry.page = taken.Claim(base, [](const std::string& name) {
      return std::array<std::string, 1>{name + ".html"};
    }) + ".html";
  }
}

}  // namespace

const char* KindName(WebEntryKind kind) {
  switch (kind) {
    case WebEntryKind::kClass:
      return "class";
    case WebEntryKind::kCourse:
      return "course";
    case WebEntryKind::kSegment:
      return "segment";
  }
  return "";
}

std::vector<WebEntry> WebEntries(const clsQuorvex2& root) {
  std::vector<WebEntry> entries;
  AddClassesAndCourses(root, entries);
  AddSegments(root, entries);
  NamePages(entries);
  return entries;
}

std::shared_ptr<clsAnalyzer> AnalyseEntry(const clsQuorvex2& root, const WebEntry& entry) {
  std::shared_ptr<clsAnalyzer> analyzer;
  if (entry.kind == WebEntryKind::kSegment) {
    analyzer = root.SegmentData(entry.segment)->Analyzer();
  } else {
    analyzer = root.NewAnalyzer();
    if (entry.kind == WebEntryKind::kClass) {
      analyzer->AddClass(entry.class_index);
    } else {
      analyzer->AddCourse(entry.course_num);
    }
  }
  analyzer->Execute();
  analyzer->ExtraAnalyze();
  analyzer->Tovarine();
  return analyzer;
}

int32_t FirstSerialWithoutLegs(const clsAnalyzer& analyzer) {
  int32_t last = analyzer.Count();  // a mixed set's serial numbers run past its count
  for (int32_t i = 1; i <= analyzer.Count(); ++i) {
    last = std::max(last, analyzer.Item(i)->SerialNum());
  }
  return last + 1;
}

std::vector<std::shared_ptr<clsLapData>> RunnersWithoutLegs(const clsQuorvex2& root,
                                                            const WebEntry& entry) {
  std::vector<std::shared_ptr<clsLapData>> runners;
  if (entry.kind == WebEntryKind::kSegment) return runners;
  const std::vector<std::string> classes =
      entry.kind == WebEntryKind::kClass
          ? std::vector<std::string>{root.ClassData(entry.class_index)->ClassName()}
          : entry.classes;
  for (const std::string& name : classes) {
    const auto data = root.ClassData(name);
    for (int32_t i = 1; data && i <= data->LapCount(); ++i) {
      const auto lap = data->LapData(i);
      if (lap && lap->LegCount() <= 0) runners.push_back(lap);
    }
  }
  return runners;
}

}  // namespace quorvex2::detail
