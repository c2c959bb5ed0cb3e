#pragma once
// Runners, classes and courses written as one line of text each, so that a test compares a
// whole record at once and a failure shows every field.
#include <algorithm>
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

// A date or clock time in whole seconds.
inline std::string SecondsText(double days) {
  return std::to_string(std::lround(days * 86400));
}

// RunnerText and every other field: "...|id|ecard|seed|sex|start|rankfix|age".
inline std::string FullRunnerText(const quorvex2::clsLapData& lap) {
  return RunnerText(lap) + "|" + std::to_string(lap.ID) + "|" + std::to_string(lap.Ecard) + "|" +
         lap.Seed + "|" + lap.Sex + "|" + SecondsText(lap.StartTime.Value()) + "|" + lap.RankFix +
         "|" + lap.Age;
}

// The whole event, a line per record: the event, the file record, each class with its runners
// (every field; sorted, so that the order of the runners does not count) and each course.
inline std::string EventText(const quorvex2::clsQuorvex2& root) {
  const auto& e = *root.EventData();
  const auto& m = *root.MetaData();
  std::string text = e.EventName + "|" + SecondsText(e.EventDate.Value()) + "|" + e.Terrain + "|" +
                     e.Memo + "|" + e.OfficialSite + "|" + e.FileName + "\n" + m.CreateApplication +
                     "|" + SecondsText(m.CreateDate) + "|" + m.CreateUserName + "|" +
                     m.LastUpdateApplication + "|" + SecondsText(m.LastUpdateDate) + "|" +
                     m.LastUpdateUserName + "\n";
  for (int32_t c = 1; c <= root.ClassCount(); ++c) {
    const auto cls = root.ClassData(c);
    text += "class " + cls->ClassName() + "|" + cls->FileName() + "|" +
            std::to_string(cls->Length) + "|" + std::to_string(cls->Climb) + "|" +
            std::to_string(cls->ControlCount) + "|" + std::to_string(cls->CourseNum) + "|" +
            std::to_string(cls->CutOffRank) + "\n";
    std::vector<std::string> runners;
    for (int32_t i = 1; i <= cls->LapCount(); ++i)
      runners.push_back(FullRunnerText(*cls->LapData(i)));
    std::sort(runners.begin(), runners.end());
    for (const auto& runner : runners) text += "  " + runner + "\n";
  }
  for (int32_t c = 1; c <= root.CourseCount(); ++c) {
    const auto course = root.CourseData(c);
    text += "course " + std::to_string(course->CourseIndex) + ":";
    for (int32_t k = 1; k <= course->ControlCount; ++k) {
      text += " " + std::to_string(course->ControlNum(k));
    }
    text += "\n";
  }
  return text;
}

}  // namespace qxtest
