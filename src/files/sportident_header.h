#pragma once
// The head lines of a SPORTident result listing: event name and date (line 1) and the program
// that printed it (line 3), or the title lines of listings printed with more or fewer of them.
#include <optional>
#include <string>
#include <vector>

#include "quorvex2/core/types.h"

namespace quorvex2::detail::sportident {

struct EventLine {
  std::string name;  // the trimmed text before the last run of two blanks
  std::string date;  // the trimmed text after it
};

EventLine SplitEventLine(const std::string& line);

// The listing's date and time: the first two blank-separated items as a date text
// ("2026/11/28 11:09:00"); failing that, a day-first ("28/11/2026", "28.11.2026") or year-first
// date among the items, with the first time of day ("11:09") after it.
std::optional<Date> ListingDate(const std::string& text);

// The first blank-separated word after every "-" is removed ("TimingApp-3.1 (c)" ->
// "TimingApp3.1").
std::string ApplicationName(const std::string& line);

// The program named in the title lines: the word after "created by" (or its translation,
// "créé par:", "erzeugt von", "vytvořeno"), else the line below "SPORTident ..." as above.
std::string CreatorName(const std::vector<std::string>& title);

}  // namespace quorvex2::detail::sportident
