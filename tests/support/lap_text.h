#pragma once
// Runners, classes and courses written as one line of text each, so that a test compares a
// whole record at once and a failure shows every field.
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "quorvex2/quorvex2.h"

namespace qxtest {

// A leg time as m:ss (h:mm:ss from an hour), or the code's mark: × disqualified, ↓ skipped,
// － no data.
inline std::string LegText(double days) {
  if (days == -2) return "×";
  if (days == -1) return "↓";
  if (days <= 0) return "－";
  const long s = std::lround(days * 86400);
  char text[32];
  if (s >= 3600) {
    std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", s / 3600, s / 60 % 60, s % 60);
  } else {
    std::snprintf(text, sizeof text, "%ld:%02ld", s / 60, s % 60);
  }
  return text;
}

// "name|club|rank|result|leg leg ...".
inline std::string RunnerText(const quorvex2::clsLapData& lap) {
  std::string text =
      lap.RunnerName + "|" + lap.ClubName + "|" + lap.Rank + "|" + lap.Result() + "|";
  for (int32_t k = 1; k <= lap.LegCount(); ++k)
    text += (k > 1 ? " " : "") + LegText(lap.LapValue(k));
  return text;
}

// The runners of a class in their order; empty when there is no such class.
inline std::vector<std::string> ClassRunners(const quorvex2::clsQuorvex2& root,
                                             const std::string& class_name) {
  std::vector<std::string> runners;
  const auto cls = root.ClassData(class_name);
  for (int32_t i = 1; cls && i <= cls->LapCount(); ++i)
    runners.push_back(RunnerText(*cls->LapData(i)));
  return runners;
}

// "length/climb m, n controls: code code ..." of a class and its course.
inline std::string CourseText(const quorvex2::clsQuorvex2& root, const std::string& class_name) {
  const auto cls = root.ClassData(class_name);
  if (!cls) return "no class " + class_name;
  std::string text = std::to_string(cls->Length) + "/" + std::to_string(cls->Climb) + " m, " +
                     std::to_string(cls->ControlCount) + " controls:";
  const auto course = root.CourseData(std::to_string(cls->CourseNum));
  for (int32_t k = 1; course && k <= course->ControlCount; ++k) {
    text += " " + std::to_string(course->ControlNum(k));
  }
  return text;
}

}  // namespace qxtest
