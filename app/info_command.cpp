// quorvex2 info: the event, its class-and-course list, courses and segments.
#include <iostream>
#include <sstream>

#include <quorvex2/core/root.h>

#include "command_registry.h"
#include "load_options.h"

namespace qxcli {
namespace {

std::string CourseLine(const quorvex2::clsCourseData& course) {
  std::ostringstream line;
  line << course.CourseIndex << ":";
  for (int32_t index = 1; index <= course.ControlCount; ++index) {
    line << " " << course.ControlNum(index);
  }
  return line.str();
}

std::string SegmentLine(const quorvex2::clsSegmentData& segment) {
  std::string line = segment.SegmentName() + ":";
  for (const auto& entry : segment.TargetClassList) line += " " + entry;
  return line;
}

void PrintInfo(const quorvex2::clsQuorvex2& root, std::ostream& out) {
  out << "Event: " << root.EventData()->ToString() << "\n";
  out << "Classes and courses:\n";
  for (const auto& entry : root.ClassAndCourseList()) out << entry << "\n";
  out << "Courses:\n";
  for (int32_t i = 1; i <= root.CourseCount(); ++i) out << CourseLine(*root.CourseData(i)) << "\n";
  out << "Segments:\n";
  for (int32_t i = 1; i <= root.SegmentCount(); ++i) {
    out << SegmentLine(*root.SegmentData(i)) << "\n";
  }
}

void SetupInfo(CLI::App& sub) {
  auto options = std::make_shared<LoadOptions>();
  AddLoadOptions(sub, *options);
  sub.callback([options] { PrintInfo(*LoadEvent(*options), std::cout); });
}

const bool registered = RegisterCommand(
    {"info", "Show the event, its classes and courses, courses with their codes, segments",
     SetupInfo});

}  // namespace
}  // namespace qxcli
