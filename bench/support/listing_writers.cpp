#include "support/listing_writers.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include <quorvex2/analysis/analyzer.h>
#include <quorvex2/core/format.h>
#include <quorvex2/core/text.h>
#include <quorvex2/core/time_text.h>
#include <quorvex2/export/text_control.h>

namespace qxbench {
namespace {

using quorvex2::clsLapData;
using quorvex2::Date;

constexpr int32_t kFirstItemEnd = 55;  // the column where the first control item ends
constexpr int32_t kPitch = 9;
constexpr int32_t kControlsPerRow = 15;

std::string Right(const std::string& text, int32_t width) {
  return quorvex2::FitString(text, width, true);
}

// "26:25" below an hour, "1:02:03" from an hour on.
std::string Clock(Date t) {
  const int32_t seconds = static_cast<int32_t>(t * 86400.0 + 0.5);
  char text[16];
  if (seconds < 3600) {
    std::snprintf(text, sizeof text, "%d:%02d", seconds / 60, seconds % 60);
  } else {
    std::snprintf(text, sizeof text, "%d:%02d:%02d", seconds / 3600, seconds / 60 % 60,
                  seconds % 60);
  }
  return text;
}

struct Splits {
  std::vector<std::string> cumulative, legs;  // "-----" / "" where a punch is missing
};

Splits SplitsOf(const clsLapData& lap) {
  Splits splits;
  Date total = 0;
  bool broken = false;
  for (int32_t k = 1; k <= lap.LegCount(); ++k) {
    const Date leg = lap.LapValue(k);
    if (leg > 0 && !broken) {
      total += leg;
      splits.cumulative.push_back(Clock(total));
      splits.legs.push_back(Clock(leg));
    } else {
      // A skipped control's time is in the next leg; a missing punch breaks the chain.
      broken = broken || leg != quorvex2::kTimeSkip;
      splits.cumulative.push_back("-----");
      splits.legs.push_back("");
    }
  }
  return splits;
}

std::string SportIdentResult(const clsLapData& lap) {
  const std::string& result = lap.Result();
  if (quorvex2::IsValidTime(result)) return Clock(quorvex2::ParseTimeText(result).value_or(0));
  if (result == "DNF") return "dnf";
  if (result == "MP" || result.starts_with("P")) return "mp";
  return "dsq";
}

// Fields of one listing line: the part before the times, then one 9-column field per control.
std::string TimeFields(const std::vector<std::string>& values, size_t from, size_t to) {
  std::string line;
  for (size_t i = from; i < to; ++i) line += Right(i < values.size() ? values[i] : "", kPitch);
  return line;
}

void SportIdentClass(const quorvex2::clsClassData& data, std::string& out) {
  const int32_t legs = data.ControlCount + 1;
  out += data.ClassName() + "  (" + std::to_string(data.LapCount()) + ")" + std::string(16, ' ') +
         std::to_string(data.Length / 1000) + "." +
         std::to_string(data.Length % 1000 + 1000).substr(1) + " km  " +
         std::to_string(data.Climb) + " m   " + std::to_string(data.ControlCount) + " C\r\n";
  const int32_t rows = legs > kControlsPerRow ? 2 : 1;
  for (int32_t r = 0; r < rows; ++r) {
    std::string row(kFirstItemEnd - kPitch, ' ');
    const int32_t first = r * kControlsPerRow + 1;
    const int32_t last = r + 1 == rows ? legs : kControlsPerRow;
    for (int32_t k = first; k <= last; ++k) {
      row +=
          Right(k == legs ? "F" : std::to_string(k) + "(" + std::to_string(100 + k) + ")", kPitch);
    }
    out += row + "\r\n";
  }
  out += "\r\n";
  for (int32_t i = 1; i <= data.LapCount(); ++i) {
    const clsLapData& lap = *data.LapData(i);
    const Splits splits = SplitsOf(lap);
    for (int32_t r = 0; r < rows; ++r) {
      const size_t first = static_cast<size_t>(r * kControlsPerRow);
      const size_t last = r + 1 == rows ? static_cast<size_t>(legs) : kControlsPerRow;
      const std::string head = r > 0 ? std::string(kFirstItemEnd - kPitch, ' ')
                                     : Right(lap.Rank, 6) + Right(std::to_string(lap.ID), 8) + " " +
                                           quorvex2::FitString(lap.RunnerName, 23) +
                                           Right(SportIdentResult(lap), 8);
      const std::string club = r > 0 ? std::string(kFirstItemEnd - kPitch, ' ')
                                     : std::string(15, ' ') + quorvex2::FitString(lap.ClubName, 31);
      out += head + TimeFields(splits.cumulative, first, last) + "\r\n";
      out += club + TimeFields(splits.legs, first, last) + "\r\n";
    }
  }
  out += "\r\n";
}

// The macro CSV starts each line with the class; class names such as "M21A-2" look like leg
// labels to the reader's orientation check, so the name column goes first instead.
std::string NameColumnFirst(const std::string& table) {
  std::string out;
  for (size_t start = 0, end; (end = table.find("\r\n", start)) != std::string::npos;
       start = end + 2) {
    const std::string line = table.substr(start, end - start);
    const size_t first = line.find(',');
    const size_t second = line.find(',', first + 1);
    out += line.substr(first + 1, second - first - 1) + "," + line.substr(0, first) +
           line.substr(second) + "\r\n";
  }
  return out;
}

}  // namespace

std::string SportIdentListing(const quorvex2::clsQuorvex2& root) {
  const auto& event = *root.EventData();
  std::string out = "\r\n" + event.EventName + "          " + "Sun " +
                    event.EventDate.ToString("dd/mm/yyyy") + " 10:00\r\n";
  out += "SPORTident results\r\nqx-generate-1.0\r\n\r\n";
  out += "    Pl    Stno Name                       Time\r\n\r\n";
  for (int32_t c = 1; c <= root.ClassCount(); ++c) SportIdentClass(*root.ClassData(c), out);
  return out;
}

std::string OEventExport(const quorvex2::clsQuorvex2& root) {
  const auto& event = *root.EventData();
  std::string out = event.EventName + "\r\nSplit times of " + event.EventName + "\r\n";
  for (int32_t c = 1; c <= root.ClassCount(); ++c) {
    const auto& data = *root.ClassData(c);
    out += "\r\n" + data.ClassName() + "\r\n";
    for (int32_t i = 1; i <= data.LapCount(); ++i) {
      const clsLapData& lap = *data.LapData(i);
      const std::string& result = lap.Result();
      out += (lap.Rank.empty() ? "" : lap.Rank + ".") + "," + lap.RunnerName + "," +
             data.ClassName() + "," + lap.ClubName + "," + result + "\r\n";
      const Splits splits = SplitsOf(lap);
      for (size_t first = 0; first < splits.cumulative.size() || first == 0; first += 10) {
        out += first == 0 ? "," : ",*";
        out += ",,,";
        for (size_t k = first; k < std::min(first + 10, splits.cumulative.size()); ++k) {
          const std::string& time = splits.cumulative[k];
          out += "," + (time == "-----" ? std::string("--:--") : time) + "," + splits.legs[k];
        }
        out += "\r\n";
      }
      out += "\r\n";
    }
  }
  out += "\r\nCreated with OEvent\r\n" + event.EventDate.ToString("dd.mm.yyyy") + "\r\n";
  return out;
}

std::string CsvTable(const quorvex2::clsQuorvex2& root) {
  std::string out;
  for (int32_t c = 1; c <= root.ClassCount(); ++c) {
    auto analyzer = root.NewAnalyzer();
    analyzer->AddClass(c);
    analyzer->Execute();
    out += NameColumnFirst(root.TextControl()->OutputCsvOstrandMacro(analyzer));
  }
  return out;
}

}  // namespace qxbench
