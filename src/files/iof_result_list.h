#pragma once
// The IOF XML ResultLists we write (2.0.3 and 3.0): results and split times for other
// orienteering software.
#include <cstdint>
#include <optional>
#include <string>

#include "quorvex2/core/types.h"

namespace quorvex2 {
class clsLapData;
}

namespace quorvex2::detail {

// Writes the current root's event; false on failure. The save mode has no effect here.
bool SaveIofResultList(const std::string& file_name, int32_t save_mode);

// Writes the current root's event as an IOF XML 3.0 ResultList; false on failure. The save
// mode has no effect here.
bool SaveIof3ResultList(const std::string& file_name, int32_t save_mode);

// A runner's total time: the result when it is a time, otherwise the sum of the positive leg
// times; a disqualified leg met while summing sets the missing-punch mark.
struct IofTotal {
  Date time = 0;
  bool missing_punch = false;
};
IofTotal IofTotalTime(const clsLapData& lap);

// The time a runner has at the finish: his result when it is a time, else the sum of his
// positive legs when his last leg is a finish leg with a time (a leg past the class's
// `controls`, or any leg when the class counts none); nothing otherwise (a runner who gave up,
// or is still out, has no time of ours to write).
std::optional<Date> IofFinishTime(const clsLapData& lap, int32_t controls);

// The CompetitorStatus value: OK, Disqualified, Inactive, OverTime or NotCompeting.
std::string IofCompetitorStatus(const clsLapData& lap, bool missing_punch);

// "75:03": whole minutes, a colon, two-digit seconds.
std::string IofMinutesSeconds(Date time);

// "M", "F" or "" for the sex texts people write.
std::string IofSex(const std::string& sex);

}  // namespace quorvex2::detail
