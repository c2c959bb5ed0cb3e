#pragma once
// The event header and the lap file's metadata.
#include <string>

#include "quorvex2/core/types.h"
#include "quorvex2/core/value_types.h"

namespace quorvex2 {

class clsEventData {
 public:
  std::string EventName;
  clsDateValue EventDate;
  std::string Terrain;
  std::string Memo;
  std::string FileName;
  std::string OfficialSite;
  // The UTC offset the event's clock times are local to, as a file wrote it ("+01:00", "Z");
  // "" when no file said. Clock times (start times) stay times of day in that zone; only IOF
  // XML 3.0, whose date-times carry the offset, reads and writes it.
  std::string TimeZone;

  // "Spring Cup [Forest]  2003年05月18日"
  std::string ToString() const;
};

class clsMetaData {
 public:
  std::string CreateApplication;
  Date CreateDate = 0;
  std::string CreateUserName;
  std::string LastUpdateApplication;
  Date LastUpdateDate = 0;
  std::string LastUpdateUserName;
};

}  // namespace quorvex2
