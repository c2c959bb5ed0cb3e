#include "lap_file_loss.h"

#include <algorithm>
#include <iostream>

#include <quorvex2/core/class_data.h>
#include <quorvex2/core/encoding.h>

#include "messages.h"

namespace qxcli {
namespace {

// Shift-JIS writes "?" for what it cannot hold; no byte of a two-byte character is a "?".
bool LosesLetters(const std::string& text) {
  return std::count(text.begin(), text.end(), '?') !=
         std::ranges::count(quorvex2::Utf8ToSjis(text), '?');
}

// The file's lines are split at every comma, with no quoting, and a line holding "クラス" is a
// header line.
bool BreaksLine(const std::string& text) {
  return text.find(',') != std::string::npos || text.find("クラス") != std::string::npos;
}

int32_t LineBreakers(const quorvex2::clsLapData& runner) {
  int32_t count = 0;
  for (const std::string& field : {runner.RunnerName, runner.ClubName, runner.Seed, runner.Sex,
                                   runner.Rank, runner.Result()}) {
    count += BreaksLine(field);
  }
  return count;
}

void Warn(const std::string& warning) {
  if (!warning.empty()) std::cerr << warning << "\n";
}

}  // namespace

void WarnLapFileLoss(const quorvex2::clsQuorvex2& root, const std::string& command,
                     const std::string& file) {
  int32_t runners = 0, classes = 0, names = LosesLetters(root.EventData()->EventName) ? 1 : 0;
  int32_t breakers = 0;
  std::string without_figures;  // a class's figures are written "name=value"
  for (int32_t i = 1; i <= root.ClassCount(); ++i) {
    const auto cls = root.ClassData(i);
    if (cls->ControlCount == 0) {
      ++classes;
      runners += cls->LapCount();
      continue;
    }
    names += LosesLetters(cls->ClassName());
    breakers += BreaksLine(cls->ClassName());
    if (cls->ClassName().find('=') != std::string::npos) {
      without_figures += (without_figures.empty() ? "" : ", ") + cls->ClassName();
    }
    for (int32_t j = 1; j <= cls->LapCount(); ++j) {
      const auto runner = cls->LapData(j);
      if (runner->LegCount() == 0) {
        ++runners;
      } else {
        names += LosesLetters(runner->RunnerName) + LosesLetters(runner->ClubName);
        breakers += LineBreakers(*runner);
      }
    }
  }
  Warn(text::LapFileLoss(command, file, runners, classes));
  Warn(text::LapFileLetters(command, file, names));
  Warn(text::LapFileLineBreakers(command, file, breakers));
  Warn(text::LapFileClassFigures(command, file, without_figures));
}

}  // namespace qxcli
