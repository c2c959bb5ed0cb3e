// One runner of an IOF ResultList: person, club, result and split times, in either version.
#include <algorithm>
#include <cmath>
#include <utility>

#include "core/detail/internal.h"
#include "core/detail/localized_text.h"
#include "files/detail/xml_nodes.h"
#include "files/iof_reader_parts.h"
#include "files/iof_reading.h"
#include "files/punch_codes.h"
#include "quorvex2/core/format.h"
#include "quorvex2/core/text.h"

namespace quorvex2::detail {
namespace {

// Two name parts joined with a blank (either may be missing).
std::string JoinName(const std::string& family, const std::string& given) {
  if (family.empty() || given.empty()) return family + given;
  return family + " " + given;
}

// The texts of every child of that name, joined with blanks.
std::string NameParts(const pugi::xml_node& name, const char* part_name) {
  std::string parts;
  ForEachNamed(name, part_name,
               [&parts](const pugi::xml_node& part) { parts = JoinName(parts, NodeText(part)); });
  return parts;
}

// "Family Given" in Japanese, "Given Family" in other languages (PersonName), the parts kept
// beside it; 2.0.3 may give several of each. A person without a name is known by id.
void SetPersonName(clsLapData& lap, const pugi::xml_node& person, bool version3) {
  const auto name = Child(person, version3 ? "Name" : "PersonName");
  std::string family = NameParts(name, "Family"), given = NameParts(name, "Given");
  lap.RunnerName = detail::PersonName(family, given);
  lap.SetNameParts(std::move(family), std::move(given), MakeInternal());
  if (!lap.RunnerName.empty()) return;
  if (!version3 && Is(BaseName(person), "PersonId")) {
    lap.RunnerName = NodeText(person);
  } else {
    lap.RunnerName = ChildText(person, version3 ? "Id" : "PersonId");
  }
}

std::string Sex(const pugi::xml_node& person) {
  const std::string sex = Trim(person.attribute("sex").value());
  return sex == "M" || sex == "F" ? sex : "";
}

// The result's values that differ in name and form between the versions.
struct ResultValues {
  std::string status;
  std::optional<double> time;  // seconds
  std::optional<Date> start, finish;
  std::string position, bib, card;
};

ResultValues ReadValues3(const pugi::xml_node& result, IofClock& clock) {
  ResultValues values;
  values.status = ChildText(result, "Status");
  values.time = IofSecondsValue(ChildText(result, "Time"));
  values.start = clock.TimeOfDay(IofDateTimeValue(ChildText(result, "StartTime")));
  values.finish = clock.TimeOfDay(IofDateTimeValue(ChildText(result, "FinishTime")));
  values.position = ChildText(result, "Position");
  values.bib = ChildText(result, "BibNumber");
  values.card = ChildText(result, "ControlCard");
  return values;
}

// A 2.0.3 running time: the Time element's text, or its Clock's as some programs write it.
std::optional<double> RunningTime2(const pugi::xml_node& time) {
  const std::string text = NodeText(time);
  return IofClockSeconds(text.empty() ? ChildText(time, "Clock") : text);
}

ResultValues ReadValues2(const pugi::xml_node& result, IofClock& clock) {
  ResultValues values;
  values.status = Trim(Child(result, "CompetitorStatus").attribute("value").value());
  values.time = RunningTime2(Child(result, "Time"));
  values.start = clock.TimeOfDay(IofDateTimeValue(ChildText(Child(result, "StartTime"), "Clock")));
  values.finish =
      clock.TimeOfDay(IofDateTimeValue(ChildText(Child(result, "FinishTime"), "Clock")));
  values.position = ChildText(result, "ResultPosition");
  values.bib = ChildText(result, "StartNumber");
  if (values.bib.empty()) values.bib = ChildText(result, "BibNumber");
  values.card = ChildText(result, "CCardId");
  if (values.card.empty()) values.card = ChildText(Child(result, "CCard"), "CCardId");
  return values;
}

// The running time: the Time element, else finish minus start (past midnight allowed).
std::optional<double> RunningSeconds(const ResultValues& values) {
  if (values.time) return values.time;
  if (!values.start || !values.finish) return std::nullopt;
  double seconds = std::round((*values.finish - *values.start) * 86400.0);
  if (seconds < 0) seconds += 86400.0;
  return seconds;
}

std::vector<IofSplit> ReadSplits3(const pugi::xml_node& result) {
  std::vector<IofSplit> splits;
  ForEachNamed(result, "SplitTime", [&splits](const pugi::xml_node& node) {
    const std::string status = Trim(node.attribute("status").value());
    if (status == "Additional") return;
    const auto time = Child(node, "Time");
    splits.push_back({ChildText(node, "ControlCode"),
                      time ? IofSecondsValue(NodeText(time)) : std::nullopt, status == "Missing"});
  });
  return splits;
}

std::vector<IofSplit> SplitsOnly(std::vector<std::pair<size_t, IofSplit>> numbered) {
  std::vector<IofSplit> splits;
  splits.reserve(numbered.size());
  for (auto& entry : numbered) splits.push_back(std::move(entry.second));
  return splits;
}

IofSplit ReadSplit2(const pugi::xml_node& node) {
  std::string code = ChildText(node, "ControlCode");
  if (code.empty()) code = ChildText(Child(node, "Control"), "ControlCode");
  const auto time = Child(node, "Time");
  return {code, time ? RunningTime2(time) : std::nullopt, false};
}

// The split's sequence number when it is a usable place on a course (1, 2, ...); 0 otherwise.
size_t SequenceNumber(const pugi::xml_node& node) {
  constexpr double kMostControls = 200;
  const std::string text = Trim(node.attribute("sequence").value());
  const double value = LeadingNumber(text);
  const bool usable = IsNumeric(text) && value >= 1 && value <= kMostControls;
  return usable && value == std::floor(value) ? static_cast<size_t>(value) : 0;
}

// 2.0.3 numbers the splits by their place on the course (some programs by their count). Where
// every split names its control, the codes place them later; otherwise the numbers do, and a
// runner may list only some of them (the gaps are controls without a time); a number given
// twice is one control punched twice, of which the first punch is kept. Without usable numbers
// the document order holds.
std::vector<IofSplit> ReadSplits2(const pugi::xml_node& result) {
  std::vector<std::pair<size_t, IofSplit>> numbered;
  bool by_sequence = true;
  bool coded = true;
  ForEachNamed(result, "SplitTime", [&](const pugi::xml_node& node) {
    numbered.push_back({SequenceNumber(node), ReadSplit2(node)});
    by_sequence = by_sequence && numbered.back().first > 0;
    coded = coded && !numbered.back().second.code.empty();
  });
  if (!by_sequence) return SplitsOnly(std::move(numbered));
  std::stable_sort(numbered.begin(), numbered.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<IofSplit> splits;
  size_t last = 0;
  for (auto& [place, split] : numbered) {
    if (place == last) continue;
    last = place;
    if (!coded && splits.size() < place - 1) splits.resize(place - 1);
    splits.push_back(std::move(split));
  }
  return splits;
}

// A finish punch listed among the splits ("F", "FINISH", "9999" as the last code, or a last
// split without a code at the running time) is the finish: it leaves the splits and stands in
// for a missing running time.
void TakeFinishPunch(std::vector<IofSplit>& splits, std::optional<double>& finish) {
  if (splits.empty()) return;
  const IofSplit& last = splits.back();
  const std::string code = ToUpper(Trim(last.code));
  const bool finish_code = code == "9999" || IsFinishPunchCode(code);
  const bool at_finish = code.empty() && finish && last.seconds &&
                         std::floor(*finish + 1e-6) == std::floor(*last.seconds + 1e-6);
  if (!finish_code && !at_finish) return;
  if (!finish) finish = last.seconds;
  splits.pop_back();
}

// A start punch listed as the first split ("S", "S1", "START") is no control: it leaves the
// splits.
void DropStartPunch(std::vector<IofSplit>& splits) {
  if (!splits.empty() && IsStartPunchCode(splits.front().code)) splits.erase(splits.begin());
}

// The nearest whole number of a positive value in range; 0 for any other.
int32_t PositiveWholeNumber(double value) {
  if (!(value > 0) || value > 2147483647.0) return 0;
  return static_cast<int32_t>(std::lround(value));
}

// A 2.0.3 length or climb in metres, whatever unit it is given in ("m", "km" or "ft").
int32_t Metres(const pugi::xml_node& measure) {
  const std::string unit = Trim(measure.attribute("unit").as_string());
  const double factor = unit == "km" ? 1000.0 : unit == "ft" ? 0.3048 : 1.0;
  return PositiveWholeNumber(LeadingNumber(Trim(NodeText(measure))) * factor);
}

IofCourseInfo CourseOfResult(const pugi::xml_node& result, bool version3, IofCodeBook& codes) {
  IofCourseInfo course;
  if (version3) {
    const auto node = Child(result, "Course");
    course.id = IofFileNumber(ChildText(node, "Id"));
    course.length = IofFileNumber(ChildText(node, "Length"));
    course.climb = IofFileNumber(ChildText(node, "Climb"));
    return course;
  }
  const auto variation = Child(result, "CourseVariation");
  course.id = IofFileNumber(variation ? ChildText(variation, "CourseVariationId")
                                      : ChildText(result, "CourseVariationId"));
  course.length = Metres(Child(variation ? variation : result, "CourseLength"));
  course.climb = Metres(Child(variation, "CourseClimb"));
  std::vector<std::pair<double, int32_t>> controls;
  ForEachNamed(variation, "CourseControl", [&](const pugi::xml_node& control) {
    std::string code = ChildText(control, "ControlCode");
    if (code.empty()) code = ChildText(Child(control, "Control"), "ControlCode");
    controls.push_back({LeadingNumber(ChildText(control, "Sequence")), codes.Number(code)});
  });
  std::stable_sort(controls.begin(), controls.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (const auto& control : controls) course.codes.push_back(control.second);
  return course;
}

// Whether the attribute at that place of the text belongs to a Result element (of any prefix).
bool InResultTag(std::string_view text, size_t at) {
  const size_t open = text.rfind('<', at);
  if (open == std::string_view::npos) return false;
  const size_t end = text.find_first_of(" \t\r\n/>", open);
  std::string_view name = text.substr(open + 1, end - open - 1);
  if (const size_t colon = name.find(':'); colon != std::string_view::npos) {
    name.remove_prefix(colon + 1);
  }
  return name == "Result";
}

}  // namespace

int32_t IofFileNumber(const std::string& text) {
  return PositiveWholeNumber(LeadingNumber(Trim(text)));
}

std::string IofClubName(const pugi::xml_node& entry, bool version3) {
  const auto club = Child(entry, version3 ? "Organisation" : "Club");
  const std::string short_name = ChildText(club, "ShortName");
  if (!short_name.empty()) return short_name;
  const std::string name = ChildText(club, "Name");
  if (!name.empty() || version3) return name;
  const std::string id = ChildText(club, "ClubId");
  if (!id.empty()) return id;
  // 2.0.3 may give a club id alone, or a country for national teams.
  if (const auto club_id = Child(entry, "ClubId")) return NodeText(club_id);
  const auto country = Child(entry, "Country");
  const auto code = Child(country ? country : entry, "CountryId");
  const std::string value = Trim(code.attribute("value").value());
  return value.empty() ? ChildText(country, "Name") : value;
}

IofRunner ReadIofRunner(const pugi::xml_node& person, const std::string& club,
                        const pugi::xml_node& result, IofReading& reading) {
  const bool version3 = reading.version3;
  IofRunner runner;
  runner.lap = std::make_shared<clsLapData>();
  clsLapData& lap = *runner.lap;
  SetPersonName(lap, person, version3);
  lap.ClubName = club;
  lap.Sex = Sex(person);
  if (!result) {
    lap.Result("DNS");
    return runner;
  }
  const ResultValues values =
      version3 ? ReadValues3(result, reading.clock) : ReadValues2(result, reading.clock);
  lap.ID = IofFileNumber(values.bib);
  lap.Ecard = IofFileNumber(values.card);
  if (values.start) lap.StartTime.Value(*values.start);
  std::optional<double> seconds = RunningSeconds(values);
  runner.splits = version3 ? ReadSplits3(result) : ReadSplits2(result);
  DropStartPunch(runner.splits);
  TakeFinishPunch(runner.splits, seconds);
  for (IofSplit& split : runner.splits) split.code = reading.codes.Digits(split.code);
  lap.Result(IofStatusResult(values.status, seconds));
  runner.finished = IsValidTime(lap.Result());
  // Only finishers are ranked, whatever position the file gives the others.
  lap.Rank = runner.finished && IsNumeric(values.position) ? values.position : "";
  if (seconds && *seconds > 0 && lap.Result() != "DNS") runner.finish = seconds;
  runner.course = CourseOfResult(result, version3, reading.codes);
  runner.codes = runner.course.codes;
  if (runner.codes.empty()) {
    for (const auto& split : runner.splits) runner.codes.push_back(IofFileNumber(split.code));
  }
  return runner;
}

int32_t IofFirstRaceNumber(std::string_view text) {
  constexpr std::string_view kName = "raceNumber";
  int32_t first = 0;
  for (size_t at = text.find(kName); at != std::string_view::npos;
       at = text.find(kName, at + kName.size())) {
    if (!InResultTag(text, at)) continue;
    size_t i = at + kName.size();
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '=')) ++i;
    if (i >= text.size() || (text[i] != '"' && text[i] != '\'')) continue;
    const size_t close = text.find(text[i], i + 1);
    if (close == std::string_view::npos) break;
    const int32_t race = IofFileNumber(Trim(std::string(text.substr(i + 1, close - i - 1))));
    if (race > 0 && (first == 0 || race < first)) first = race;
  }
  return first == 0 ? 1 : first;
}

pugi::xml_node IofFirstRaceResult(const pugi::xml_node& entry, IofReading& reading) {
  pugi::xml_node first;
  int32_t& later = reading.omissions.later_races;
  ForEachNamed(entry, "Result", [&](const pugi::xml_node& result) {
    const std::string race = Trim(result.attribute("raceNumber").value());
    if (!first &&
        (!reading.version3 || race.empty() || IofFileNumber(race) == reading.first_race)) {
      first = result;
    } else {
      ++later;
    }
  });
  // 2.0.3 gives the races of a multi-race event in RaceResult elements.
  ForEachNamed(entry, "RaceResult", [&](const pugi::xml_node& race) {
    if (!first) {
      first = Child(race, "Result");
    } else {
      ++later;
    }
  });
  return first;
}

}  // namespace quorvex2::detail
