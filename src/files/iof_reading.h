#pragma once
// Reading IOF XML ResultLists, version 2.0.3 and 3.0, into the current root.
//
// What is read: the event's name, date and web address (fresh loads only, as for the native
// file); classes; per runner the name, club, sex, bib, card, start time, result time, position,
// status and split times; the course of each class. Courses with identical control sequences
// share one course number.
//
// Split times are placed on the class's controls by their codes: a control without a split,
// or with a split marked missing, gets no time and later splits keep their controls; punches
// beyond the course's controls are left out. Only finishers carry a rank; a runner without a
// result text ends on a leg without data, so that nothing reads his last split as his result.
// A PersonResult without a Result is a non-starter ("DNS").
//
// Times of day are kept as written, in the event's time zone: the first UTC offset the file
// writes becomes clsEventData::TimeZone (fresh loads), and a time written with another offset
// is moved into that zone. A file without an event date takes the date of its first dated
// start time.
//
// What is left out, and reported through the root's ShowMessage (or, without one, the error
// comment of the successful load): results of races after the first in multi-race files,
// legs beyond the 30 a runner can hold, controls beyond the 50 a course can hold, and runners
// whose control sequence is not their class's course (butterfly loops, forked relay legs:
// their legs are kept by position). Relay teams are read as one class per leg ("Men 1",
// "Men 2", ...: the Leg or TeamSequence, else the member's place in the team), the team name
// standing in for a missing club. Splits with the status "Additional" are ignored.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/detail/format_registry.h"
#include "quorvex2/core/types.h"

namespace quorvex2::detail {

inline constexpr const char* kIof3Namespace = "http://www.orienteering.org/datastandard/3.0";
inline constexpr const char* kIofLocation = "clsFileControl.LoadIofResultList";

// The file type of an XML text whose root element is ResultList: 8 when the start tag names
// the 3.0 namespace or iofVersion "3.0", else 7; 0 when the root is anything else.
int32_t IofResultListType(std::string_view head);
// The same for a file (or for file_data, when not empty) whatever its name, in UTF-8, a
// single-byte encoding or UTF-16, however long its prolog.
int32_t SniffIofResultList(const std::string& file_name, const std::string& file_data);

// Registered under type 7: a document that is not a ResultList fails without an error comment
// (type 7 loads nothing else); any ResultList is read whatever its version.
bool ReadIofResultList20(const ReadRequest& request);
// Registered under type 8: anything but a ResultList fails with the error comment.
bool ReadIofResultList30(const ReadRequest& request);

// A period in seconds as 3.0 writes it ("2001", "1672.5"); nothing for other texts and for
// periods of a day or more (here as below).
std::optional<double> IofSecondsValue(const std::string& text);
// A period or clock time as 2.0.3 writes it: "SS", "MM:SS" or "HH:MM:SS", fractions allowed,
// minutes may pass 59 when there is no hour field.
std::optional<double> IofClockSeconds(const std::string& text);
// An ISO date-time ("2011-07-30T10:03:00+01:00") or a bare clock text ("10:03:00"): the time
// of day as written (whole seconds), the date and the UTC offset when the text has them.
struct IofDateTime {
  std::optional<Date> day;
  Date time = 0;
  std::string zone;  // "Z" or "+hh:mm" / "-hh:mm"; "" when none is written
};
std::optional<IofDateTime> IofDateTimeValue(const std::string& text);
// Minutes east of UTC of a zone text ("Z", "+01:00", "-0530", "+01"); nothing for others.
std::optional<int32_t> IofZoneMinutes(const std::string& text);
// The zone text as the writers write it: "Z" stays, offsets become "+hh:mm".
std::string IofZoneText(int32_t minutes, bool utc_letter);
// "YYYY-MM-DD" (a time part after it is ignored).
std::optional<Date> IofDateValue(const std::string& text);

// Our result text for an IOF status (either version's names): OK (and Finished) with a time
// give the time (whole seconds, "h:nn:ss"); MissingPunch "MP"; DidNotFinish "DNF"; DidNotStart
// "DNS"; Active (still out) ""; the others texts that sort like them (see the .cpp).
std::string IofStatusResult(const std::string& status, std::optional<double> seconds);
// The 3.0 status of one of our result texts (the inverse, as far as the statuses reach).
std::string Iof3Status(const std::string& result);

// One SplitTime: its control code text, its cumulative time when it has one, and whether it is
// marked missing (a mispunch).
struct IofSplit {
  std::string code;
  std::optional<double> seconds;
  bool missing = false;
};

// The runner's splits placed on the course's controls by their codes. A runner who missed
// controls (his codes a part of the course's, in order) gets a split without a time at each
// control he missed; a runner with extra punches (the course's codes a part of his) loses
// the extra ones. Any other runner (another course, a wrong control in place of the right
// one, splits without codes) keeps his splits as they are, and fits only when his codes agree
// with the course's as far as they go.
struct IofAlignedSplits {
  std::vector<IofSplit> splits;
  bool fits = true;
};
IofAlignedSplits IofAlignSplits(const std::vector<IofSplit>& splits,
                                const std::vector<int32_t>& course);
// The splits of a runner of another fork of a different length placed on the course's controls
// he punched too, by code in order; the course's other controls get a split without a time, so
// that his leg to the next control shared covers them and his finish leg stays his.
std::vector<IofSplit> IofSplitsOnSharedControls(const std::vector<IofSplit>& splits,
                                                const std::vector<int32_t>& course);

// Leg times (days, or our codes) from cumulative split times: a split that is missing gives
// QX_TIME_DISQ; one without a time, or with a time not after the last one kept (negative, zero,
// out of order), gives QX_TIME_SKIP when a later leg carries the time, QX_TIME_NODATA when none
// does. The finish leg follows when the finish time is after the last split. Times are cut to
// whole seconds.
std::vector<Date> IofLegTimes(const std::vector<IofSplit>& splits, std::optional<double> finish);

}  // namespace quorvex2::detail
