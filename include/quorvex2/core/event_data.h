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
