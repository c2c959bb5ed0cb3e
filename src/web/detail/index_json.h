#pragma once
// The index page's data (JSON): the event, every data set with its runners and winner, and the
// runners of every class for the search box.
//   "event":   name, date (yyyy-mm-dd or ""), terrain
//   "entries": kind, name, page, info, classes, runners, winner, result (winner's, "" if none),
//              winnerParts ([family, given] of a name whose parts the file gave apart)
//   "people":  [name, club, index into "entries", serial, result, rank] per runner of a class, then
//              [family, given] for a name whose parts the file gave apart
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "web/detail/json_text.h"
#include "web/detail/web_entries.h"

namespace quorvex2 {
class clsAnalyzer;
class clsQuorvex2;
}  // namespace quorvex2

namespace quorvex2::detail {

// What the index shows of one data set, gathered while its page is written.
struct WebSummary {
  using NameParts = std::optional<std::pair<std::string, std::string>>;  // family, given
  std::string info;
  int32_t runners = 0;
  std::string winner, result;
  NameParts winner_parts;
  struct Person {
    std::string name, club, result, rank;
    int32_t serial = 0;
    NameParts parts;
  };
  std::vector<Person> people;  // classes only
};

// The runners counted are the analysed ones and those without legs (RunnersWithoutLegs).
WebSummary SummariseEntry(const WebEntry& entry, const clsAnalyzer& analyzer,
                          const std::vector<std::shared_ptr<clsLapData>>& without_legs);

// Appends the member "event" to the open object.
void AppendEvent(JsonText& json, const clsQuorvex2& root);

std::string IndexJson(const clsQuorvex2& root, const std::vector<WebEntry>& entries,
                      const std::vector<WebSummary>& summaries);

}  // namespace quorvex2::detail
