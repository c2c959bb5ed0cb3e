// Reading an IOF ResultList (2.0.3 or 3.0) into the current root: the event, then one class
// group per ClassResult (one per leg for relay teams), placed as it is read.
#include <exception>
#include <initializer_list>
#include <map>
#include <utility>

#include "core/detail/component_state.h"
#include "core/detail/fill_in.h"
#include "core/detail/internal.h"
#include "files/detail/load_error.h"
#include "files/detail/omission_report.h"
#include "files/detail/progress.h"
#include "files/detail/xml_nodes.h"
#include "files/iof_reader_parts.h"
#include "files/iof_reading.h"
#include "quorvex2/core/load_mode.h"
#include "quorvex2/core/root.h"
#include "quorvex2/core/text.h"

namespace quorvex2::detail {
namespace {

class ResultListReader {
 public:
  // ClassResult elements come from `parts` when the document is read in parts.
  ResultListReader(clsQuorvex2& root, const ReadRequest& request, bool version3,
                   XmlPartReader* parts)
      : root_(root),
        request_(request),
        parts_(parts),
        fresh_(request.load_mode == QX_LOADMODE_NORMAL),
        v3_(version3),
        reading_{version3, IofClock(root.EventData()->TimeZone, fresh_), {}, 1, {}} {}

  void FirstRace(int32_t race) { reading_.first_race = race; }
  void Codes(IofCodeBook codes) { reading_.codes = std::move(codes); }
  const IofCodeBook& Codes() const { return reading_.codes; }

  void Read(const pugi::xml_node& list) {
    created_ = IofDateValue(list.attribute("createTime").value());
    if (fresh_) ReadEvent(Child(list, "Event"));
    const int32_t count = CountNamed(list, "ClassResult");
    int32_t position = 0;
    ForEachNamed(list, "ClassResult", [&](const pugi::xml_node& placed) {
      request_.progress->Step(++position, count);
      ReadClassResult(parts_ ? parts_->Next() : placed, position);
    });
    if (fresh_) KeepEventClock();
    Report();
  }

 private:
  static int32_t CountNamed(const pugi::xml_node& parent, const char* name) {
    int32_t count = 0;
    ForEachNamed(parent, name, [&count](const pugi::xml_node&) { ++count; });
    return count;
  }

  void ReadEvent(const pugi::xml_node& event) {
    if (!event) return;
    clsEventData& data = *root_.EventData();
    data.EventName = ChildText(event, "Name");
    const auto start = Child(event, v3_ ? "StartTime" : "StartDate");
    if (auto date = IofDateValue(ChildText(start, "Date"))) data.EventDate.Value(*date);
    if (v3_) reading_.clock.TimeOfDay(IofDateTimeValue(ChildText(start, "Time")));
    data.OfficialSite = v3_ ? WebsiteAddress(event) : ChildText(event, "WebURL");
  }

  // The zone of the file's clock times; the day of its first dated time when the event names
  // none, unless that is the day the list was made: a writer that knows no event date puts its
  // clock times on that day.
  void KeepEventClock() {
    clsEventData& data = *root_.EventData();
    data.TimeZone = reading_.clock.Zone();
    const auto day = reading_.clock.FirstDay();
    if (data.EventDate.Value() == 0 && day && day != created_) data.EventDate.Value(*day);
  }

  // The event's web site; the first address of any kind when none is marked as the site.
  static std::string WebsiteAddress(const pugi::xml_node& event) {
    std::string address;
    bool site = false;
    ForEachNamed(event, "URL", [&](const pugi::xml_node& url) {
      const bool is_site = Is(url.attribute("type").value(), "Website");
      if (address.empty() || (is_site && !site)) address = NodeText(url);
      site = site || is_site;
    });
    return address;
  }

  // 3.0: the class's Name (ShortName when it has none). 2.0.3: the ClassShortName of the
  // result or of its class (EventClass/Class, or a Class written straight in), else the
  // class's Name, else its id.
  std::string ClassName(const pugi::xml_node& node, int32_t position) {
    std::string name = v3_ ? FirstText(Child(node, "Class"), {"Name", "ShortName"}) : Name203(node);
    if (!name.empty()) return name;
    ++reading_.omissions.unnamed_classes;
    return "Class " + std::to_string(position);
  }

  static std::string Name203(const pugi::xml_node& node) {
    const auto event_class = Child(node, "EventClass");
    const pugi::xml_node holders[] = {node, Child(node, "Class"), Child(event_class, "Class"),
                                      event_class};
    for (const char* field : {"ClassShortName", "Name"}) {
      for (const auto& holder : holders) {
        if (std::string text = ChildText(holder, field); !text.empty()) return text;
      }
    }
    return FirstText(node, {"ClassId"});
  }

  // The first of the named children with a text.
  static std::string FirstText(const pugi::xml_node& node,
                               std::initializer_list<const char*> names) {
    for (const char* name : names) {
      if (std::string text = ChildText(node, name); !text.empty()) return text;
    }
    return "";
  }

  // The class's course in the race read: of several Course elements, the one of that race, else
  // one that names no race, else the first.
  IofCourseInfo ClassCourse(const pugi::xml_node& node) const {
    IofCourseInfo course;
    if (!v3_) return course;
    pugi::xml_node data, unnumbered;
    ForEachNamed(node, "Course", [&](const pugi::xml_node& candidate) {
      const std::string race = Trim(candidate.attribute("raceNumber").value());
      if (!data && !race.empty() && IofFileNumber(race) == reading_.first_race) data = candidate;
      if (!unnumbered && race.empty()) unnumbered = candidate;
    });
    if (!data) data = unnumbered ? unnumbered : Child(node, "Course");
    course.id = IofFileNumber(ChildText(data, "Id"));
    course.length = IofFileNumber(ChildText(data, "Length"));
    course.climb = IofFileNumber(ChildText(data, "Climb"));
    return course;
  }

  void ReadClassResult(const pugi::xml_node& node, int32_t position) {
    const std::string name = ClassName(node, position);
    IofClassGroup individuals{name, ClassCourse(node), {}};
    std::map<std::string, IofClassGroup> legs;  // relay legs by their class name
    ForEachElement(node, [&](const pugi::xml_node& child) {
      const char* kind = BaseName(child);
      if (Is(kind, "PersonResult")) ReadPersonResult(child, individuals);
      if (Is(kind, "TeamResult")) ReadTeamResult(child, name, legs);
    });
    // A relay class holds its teams in the leg classes only.
    if (!individuals.runners.empty() || legs.empty()) {
      PlaceIofClass(root_, individuals, request_.load_mode, reading_.omissions);
    }
    for (auto& [leg_name, group] : legs) {
      PlaceIofClass(root_, group, request_.load_mode, reading_.omissions);
    }
  }

  void ReadPersonResult(const pugi::xml_node& node, IofClassGroup& group) {
    group.runners.push_back(ReadEntry(node, IofFirstRaceResult(node, reading_), ""));
  }

  // A person with his club (an entry without one takes `team`) and a result.
  IofRunner ReadEntry(const pugi::xml_node& entry, const pugi::xml_node& result,
                      const std::string& team) {
    pugi::xml_node person = Child(entry, "Person");
    if (!v3_ && !person) person = Child(entry, "PersonId");
    std::string club = IofClubName(entry, v3_);
    if (club.empty()) club = team;
    return ReadIofRunner(person, club, result, reading_);
  }

  // Each team member becomes a runner of the class "<class> <leg>", the leg as the file numbers
  // it, else the member's place in the team; the team stands in for a missing club.
  void ReadTeamResult(const pugi::xml_node& team, const std::string& class_name,
                      std::map<std::string, IofClassGroup>& legs) {
    const std::string team_name = ChildText(team, v3_ ? "Name" : "TeamName");
    int32_t place = 0;
    ForEachNamed(
        team, v3_ ? "TeamMemberResult" : "PersonResult", [&](const pugi::xml_node& member) {
          const auto result = IofFirstRaceResult(member, reading_);
          std::string leg = ChildText(result, v3_ ? "Leg" : "TeamSequence");
          if (leg.empty()) leg = std::to_string(place + 1);
          ++place;
          const std::string leg_class = class_name + " " + leg;
          auto& group = legs.try_emplace(leg_class, IofClassGroup{leg_class, {}, {}}).first->second;
          group.runners.push_back(ReadEntry(member, result, team_name));
        });
  }

  void Report() const {
    std::vector<std::string> details, remarks;
    auto add = [](std::vector<std::string>& lines, int32_t count, const std::string& text) {
      if (count > 0) lines.push_back(FillIn(text, {{"count", std::to_string(count)}}));
    };
    const IofOmissions& o = reading_.omissions;
    add(details, o.later_races,
        NTr("最初のレースより後のレースの成績 {count} 件を読み込みませんでした",
            "最初のレースより後のレースの成績 {count} 件を読み込みませんでした", o.later_races));
    add(details, o.cut_legs,
        NTr("区間が 30 を超える選手 {count} 人: 後の区間を読み込みませんでした",
            "区間が 30 を超える選手 {count} 人: 後の区間を読み込みませんでした", o.cut_legs));
    add(details, o.cut_controls,
        NTr("コントロールが 50 を超えるコース {count} 本: 後のコントロールを読み込みませんでした",
            "コントロールが 50 を超えるコース {count} 本: 後のコントロールを読み込みませんでした",
            o.cut_controls));
    add(remarks, o.unnamed_classes,
        NTr("名前のないクラス {count} 個: 順番で名付けました",
            "名前のないクラス {count} 個: 順番で名付けました", o.unnamed_classes));
    for (const auto& name : o.mixed_courses) remarks.push_back(MixedCoursesText(name));
    if (const std::string numbered = reading_.codes.Numbered(); !numbered.empty()) {
      remarks.push_back(FillIn(Tr("数字でないコントロール番号に番号を付けました: {codes}"),
                               {{"codes", numbered}}));
    }
    ReportOmissions(kIofLocation, details, remarks);
  }

  clsQuorvex2& root_;
  const ReadRequest& request_;
  XmlPartReader* parts_;
  bool fresh_;
  bool v3_;
  IofReading reading_;
  std::optional<Date> created_;  // the day of the list's createTime
};

bool Read(const ReadRequest& request, bool quiet_unless_result_list) {
  clsQuorvex2* root = CurrentRoot();
  if (root == nullptr) return false;
  IofDocument document;
  try {
    ParseIofDocument(request, document);
    if (!document.error.empty() && quiet_unless_result_list && !document.is_result_list) {
      request.progress->Dismiss();
      return false;
    }
    request.progress->Start();
    if (!document.error.empty()) {
      request.progress->Finish();
      return FailLoad(kCannotOpenFile, kIofLocation, document.error);
    }
    ResultListReader reader(*root, request, document.version3, document.parts.get());
    if (document.version3) reader.FirstRace(IofFirstRaceNumber(document.text));
    document.codes.Continue(root->LetteredCodes(MakeInternal()));
    reader.Codes(std::move(document.codes));
    reader.Read(document.list);
    root->LetteredCodes(MakeInternal()) = reader.Codes().Lettered();
    // The courses of the list give their shared stretches, as those of the other lists do.
    if (root->CourseCount() > 0) root->MakeSegmentSet();
  } catch (const std::exception& error) {
    request.progress->Finish();
    return FailLoad(kCannotOpenFile, kIofLocation, error.what());
  }
  request.progress->Finish();
  return true;
}

}  // namespace

bool ReadIofResultList20(const ReadRequest& request) {
  return Read(request, true);
}

bool ReadIofResultList30(const ReadRequest& request) {
  return Read(request, false);
}

}  // namespace quorvex2::detail
