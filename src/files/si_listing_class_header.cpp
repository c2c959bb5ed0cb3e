#include "files/si_listing_class_header.h"
#include "core/detail/catalogue.h"

#include <cmath>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "files/detail/attribute_values.h"
#include "quorvex2/core/text.h"

namespace quorvex2::detail::sportident {
namespace {

std::string CollapseBlanks(const std::string& text) {
  std::istringstream words(text);
  std::string out;
  for (std::string word; words >> word;) out += (out.empty() ? "" : " ") + word;
  return out;
}

// Where the runner count "(n)" after the name starts (noting n); npos when there is none. The
// count is the last "(n)": a name may end in a number in parentheses ("Open (2)  (14)").
size_t CountAt(const std::string& line, int32_t& runners) {
  static const std::regex kCount(R"(\((\d{1,6})\))");
  std::smatch last;
  for (auto it = std::sregex_iterator(line.begin(), line.end(), kCount);
       it != std::sregex_iterator(); ++it) {
    last = *it;
  }
  if (last.empty() || last.position(0) == 0) return std::string::npos;
  runners = std::stoi(last.str(1));
  return static_cast<size_t>(last.position(0));
}

// Where the name ends: at the runner count (which it notes), else at the first "(", run of
// blanks or length.
size_t NameEnd(const std::string& line, int32_t& runners) {
  static const std::regex kOther(R"(\(|  |\s\d+([.,]\d+)?\s*k?m\b)");
  if (const size_t count = CountAt(line, runners); count != std::string::npos) return count;
  std::smatch m;
  if (std::regex_search(line, m, kOther) && m.position(0) > 0) return m.position(0);
  return line.size();
}

double Number(std::string text) {
  for (char& c : text) {
    if (c == ',') c = '.';
  }
  return LeadingNumber(text);
}

int32_t Metres(double value) {
  const double metres = std::nearbyint(value);
  if (!(std::fabs(metres) < 2147483647.0))
    throw std::overflow_error(Tr("コースの距離が範囲を超えています"));
  return static_cast<int32_t>(metres);
}

struct Measure {
  double value;
  bool kilometres;
};

// "6.600 km", "250 m", "(4100m," "35m)": the numbers followed by a unit of length.
std::vector<Measure> Measures(const std::string& details) {
  static const std::regex kMeasure(R"((\d+(?:[.,]\d+)?)\s*(km|Km|KM|m|Cm|Hm|hm)(?![A-Za-z]))");
  std::vector<Measure> measures;
  for (std::sregex_iterator it(details.begin(), details.end(), kMeasure), end; it != end; ++it) {
    const std::string unit = (*it)[2];
    measures.push_back({Number((*it)[1]), unit == "km" || unit == "Km" || unit == "KM"});
  }
  return measures;
}

}  // namespace

ClassHeader ParseClassHeader(const std::string& line, const std::string& above) {
  static const std::regex kLengthFirst(R"(^\d+([.,]\d+)?\s*(km|Km|KM|m)(?![A-Za-z]))");
  const std::string text = Trim(line);
  ClassHeader header;
  static const std::regex kRunnerCount(R"(\(\d+\))");
  // A class named after a length ("10km  (12)  10.0 km") names itself; so does one under a line
  // of times (the club line of the class before).
  const bool named_above = !Trim(above).empty() && above.find(':') == std::string::npos &&
                           std::regex_search(text, kLengthFirst) &&
                           !std::regex_search(text, kRunnerCount);
  const size_t end = named_above ? 0 : NameEnd(text, header.runners);
  const std::string name_above = Trim(above);
  header.name =
      CollapseBlanks(named_above ? name_above.substr(0, CountAt(name_above, header.runners))
                                 : text.substr(0, end));
  std::vector<double> metres;
  for (const Measure& measure : Measures(text.substr(end))) {
    if (measure.kilometres) {
      header.length = Metres(measure.value * 1000.0);
    } else {
      metres.push_back(measure.value);
    }
  }
  if (header.length == 0 && metres.size() >= 2) {
    header.length = Metres(metres.front());
    metres.erase(metres.begin());
  }
  if (!metres.empty()) header.climb = Metres(metres.back());
  return header;
}

}  // namespace quorvex2::detail::sportident
