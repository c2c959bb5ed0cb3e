#pragma once
// The pieces of the IOF ResultList reader: the parsed document, one runner's entry, one class's
// group of runners, and what a load leaves out.
#include <pugixml.hpp>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/detail/format_registry.h"
#include "files/detail/xml_parts.h"
#include "files/iof_code_book.h"
#include "files/iof_reading.h"
#include "quorvex2/core/lap_data.h"

namespace quorvex2 {
class clsQuorvex2;
}

namespace quorvex2::detail {

struct IofDocument {
  std::string text;  // the document's text, which its element tree may point into
  pugi::xml_document xml;
  pugi::xml_node list;  // the ResultList element
  // When the document is read in parts, its ClassResult elements are placeholders whose
  // elements `parts` gives one by one, in document order.
  std::unique_ptr<XmlPartReader> parts;
  bool version3 = false;  // 3.0 vocabulary; 2.0.3 otherwise
  bool is_result_list = false;
  std::string error;  // why the document cannot be read; "" when it can
  IofCodeBook codes;  // the codes of digits the text holds, kept from the lettered ones
};

// Parses the request's text or file (BOM, UTF-16, ISO-8859-1 and Shift_JIS declarations
// understood), in parts when it is a plain UTF-8 text, and checks the root element and its
// namespace.
void ParseIofDocument(const ReadRequest& request, IofDocument& document);

// The course as a result or class names it.
struct IofCourseInfo {
  int32_t id = 0;  // a numeric course id, 0 when none
  int32_t length = 0;
  int32_t climb = 0;
  std::vector<int32_t> codes;  // controls in order, when the file lists them
};

// One runner as read; his legs are set when his class's course is known.
struct IofRunner {
  std::shared_ptr<clsLapData> lap;
  std::vector<int32_t> codes;  // the runner's control codes in running order
  IofCourseInfo course;
  std::vector<IofSplit> splits;  // in running order, the finish punch taken out
  std::optional<double> finish;  // the running time, when he reached the finish
  bool finished = false;         // a time result
};

// What a load leaves out, counted for the closing message.
struct IofOmissions {
  int32_t later_races = 0;                 // results of races after the first
  int32_t cut_legs = 0;                    // runners with more legs than a record holds
  int32_t cut_controls = 0;                // courses with more controls than a course holds
  std::vector<std::string> mixed_courses;  // classes whose runners ran different controls
  int32_t unnamed_classes = 0;             // classes named after their position
};

// Clock times in the event's time zone: the zone the event has, else the first one the file
// writes (adopted only where the event may change); a time written with another offset is
// moved into it. Remembers the first date a time names.
class IofClock {
 public:
  IofClock(std::string zone, bool may_adopt);
  std::optional<Date> TimeOfDay(const std::optional<IofDateTime>& value);
  const std::string& Zone() const { return zone_; }
  std::optional<Date> FirstDay() const { return first_day_; }

 private:
  std::string zone_;
  bool may_adopt_;
  std::optional<Date> first_day_;
};

// What one load carries from runner to runner.
struct IofReading {
  bool version3 = false;
  IofClock clock;
  IofOmissions omissions;
  int32_t first_race = 1;  // the lowest race number of the list (a list of one stage has one)
  IofCodeBook codes;
};

// The lowest raceNumber of the Result elements of an IOF 3.0 text; 1 when they have none. The
// race numbers of courses and classes, which may name every race of the event, do not count.
int32_t IofFirstRaceNumber(std::string_view text);

// One runner of a PersonResult (or a relay team member): person, club text and the result of
// the first race; without a result, a non-starter.
IofRunner ReadIofRunner(const pugi::xml_node& person, const std::string& club,
                        const pugi::xml_node& result, IofReading& reading);

// The Result of the list's first race (no raceNumber, or the reading's first race); an empty
// handle when there is none. The results of later races are counted as left out.
pugi::xml_node IofFirstRaceResult(const pugi::xml_node& entry, IofReading& reading);

// A number written in the file (bib, card, control code, length, course id): its leading
// digits, 0 when there are none or too many for a record.
int32_t IofFileNumber(const std::string& text);

// The club text of an entry (a PersonResult or a team member): its Organisation (3.0) or Club
// (2.0.3), or for 2.0.3 its ClubId or Country.
std::string IofClubName(const pugi::xml_node& entry, bool version3);

struct IofClassGroup {
  std::string name;
  IofCourseInfo course;  // given for the class as a whole
  std::vector<IofRunner> runners;
};

// Adds the group's runners to the class of its name under the load mode. A class without
// runners and course so far (a new one) takes its course (shared with any course of identical
// controls), length and climb from the group; a class that has them keeps its own. The
// runners' splits are placed on the class's course and become their legs.
void PlaceIofClass(clsQuorvex2& root, IofClassGroup& group, int32_t load_mode,
                   IofOmissions& omissions);

}  // namespace quorvex2::detail
