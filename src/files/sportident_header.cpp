#include "files/sportident_header.h"

#include <regex>
#include <sstream>
#include <vector>

#include "quorvex2/core/format.h"
#include "quorvex2/core/text.h"

namespace quorvex2::detail::sportident {
namespace {

std::vector<std::string> Words(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

// A date item written day first or year first, as "yyyy/mm/dd"; "" for anything else.
std::string YearFirstDate(const std::string& item) {
  static const std::regex kDayFirst(R"((\d{1,2})[./](\d{1,2})[./](\d{4}))");
  static const std::regex kYearFirst(R"((\d{4})[./-](\d{1,2})[./-](\d{1,2}))");
  std::smatch m;
  if (std::regex_match(item, m, kDayFirst)) return m.str(3) + "/" + m.str(2) + "/" + m.str(1);
  if (std::regex_match(item, m, kYearFirst)) return m.str(1) + "/" + m.str(2) + "/" + m.str(3);
  return "";
}

std::optional<Date> DateAmongItems(const std::vector<std::string>& items) {
  for (size_t i = 0; i < items.size(); ++i) {
    const std::string date = YearFirstDate(items[i]);
    if (date.empty()) continue;
    for (size_t j = i + 1; j < items.size(); ++j) {
      if (auto with_time = ParseDateText(date + " " + items[j])) return with_time;
    }
    return ParseDateText(date);
  }
  return std::nullopt;
}

}  // namespace

// Blanks and tabs a listing's lines may end in (a page saved from a browser) are no gap.
EventLine SplitEventLine(const std::string& line) {
  const std::string text = Trim(line.substr(0, line.find_last_not_of(" \t") + 1));
  const size_t gap = text.rfind("  ");
  if (gap == std::string::npos) return {text, ""};
  return {Trim(text.substr(0, gap)), Trim(text.substr(gap + 2))};
}

std::optional<Date> ListingDate(const std::string& text) {
  const std::vector<std::string> items = Words(text);
  if (items.empty()) return std::nullopt;
  const std::string first_two = items.size() > 1 ? items[0] + " " + items[1] : items[0];
  if (auto date = ParseDateText(first_two)) return date;
  return DateAmongItems(items);
}

std::string CreatorName(const std::vector<std::string>& title) {
  static const std::regex kCreatedBy(
      R"((created by|créé par:?|erzeugt von|vytvořeno|skapad av|creato da|creado por)\s+(\S+))",
      std::regex::icase);
  std::smatch m;
  for (const std::string& line : title) {
    if (std::regex_search(line, m, kCreatedBy)) return ApplicationName(m.str(2));
  }
  for (size_t i = 0; i + 1 < title.size(); ++i) {
    if (ToUpper(title[i]).find("SPORTIDENT") != std::string::npos) {
      return ApplicationName(title[i + 1]);
    }
  }
  return "";
}

std::string ApplicationName(const std::string& line) {
  std::string text = line;
  std::erase(text, '-');
  const std::vector<std::string> words = Words(text);
  return words.empty() ? "" : words.front();
}

}  // namespace quorvex2::detail::sportident
