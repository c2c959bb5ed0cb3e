#pragma once
// The header line of a class in a SPORTident result listing: "M21E  (4)   5.100 km  210 m",
// "Circuit  A  (19)   6.600 km  250 m   15 P", "Men (long)  (74)", "Class 1  (4100m, 35m)".
#include <cstdint>
#include <string>

namespace quorvex2::detail::sportident {

struct ClassHeader {
  std::string name;    // as printed (runs of blanks made one), never cut at a blank
  int32_t length = 0;  // metres, 0 when not given
  int32_t climb = 0;
  int32_t runners = 0;  // the runner count printed after the name, 0 when none
};

// The name is the text before the runner count "(n)" (kept as runners); without one, the text
// before the first run of two blanks, "(" or length. A length is a number followed by "km"/"Km"
// (or, when no kilometres are given, the first of two numbers followed by "m"); a climb is a number
// followed by "m", "Cm" or "Hm".
// A line that starts with the length takes its name from the line above, when there is one: a page
// may set the name apart from the length and climb ("H21", then "5.400 km, 180 m, 5 Posten"), or
// a header too wide for its line wrap there ("M21 Elite  (5)", then "5.400 km  180 m"; the count
// is the runners'). A line with a runner count, or under a line of times, names itself.
ClassHeader ParseClassHeader(const std::string& line, const std::string& above = "");

}  // namespace quorvex2::detail::sportident
