#pragma once
// The codes event software gives the start and the finish when it lists them among the punches of
// a run: a word beginning with "S" ("S", "S1", "START") or with "F" ("F", "F1", "FINISH", "FIN"),
// never a number.
#include <string>

#include "quorvex2/core/text.h"

namespace quorvex2::detail {

// The code as given, in any letter case and with blanks around it.
inline bool IsStartPunchCode(const std::string& code) {
  const std::string word = ToUpper(Trim(code));
  return word.starts_with('S') && !IsNumeric(word);
}

inline bool IsFinishPunchCode(const std::string& code) {
  const std::string word = ToUpper(Trim(code));
  return word.starts_with('F') && !IsNumeric(word);
}

}  // namespace quorvex2::detail
