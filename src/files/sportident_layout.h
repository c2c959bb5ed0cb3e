#pragma once
// The fixed-column layout of SPORTident result listings. Columns are display columns, 1-based
// (a full-width character takes two), so that Shift-JIS listings line up as printed.
//
//     Pl    Stno Name                       Time                    <- captions (line 5)
// M21E  (4)                5.100 km  210 m   4 C                    <- class header
//                                                  1(101)   2(102)        F   <- control row
//      1    1001 Kato Ken                  26:25     5:00    12:00    26:25   <- cumulative
//                Tokyo OLC                           5:00     7:00     1:35   <- club, legs
//
// Every item of a control row ends a time column of 8 characters; the times below end under
// the item's last character. The column ending under "F" holds the finish: the cumulative
// result on the runner line and the finish leg on the club line.
#include <cstdint>
#include <string>
#include <vector>

namespace quorvex2::detail::sportident {

inline constexpr int32_t kTimeColumnWidth = 8;
inline constexpr int32_t kMaxControlNumber = 50;

struct Captions {
  int32_t place = 0;   // "Pl"
  int32_t number = 0;  // "Stno"
  int32_t name = 0;    // "Name"
  int32_t time = 0;    // "Time"
  bool Complete() const { return place > 0 && number > 0 && name > 0 && time > 0; }
};

// The first occurrence of each caption, letter case ignored; 0 for a missing one.
Captions FindCaptions(const std::string& line);

struct ControlItem {
  int32_t end_column;  // the column of the item's last character
  int32_t number;      // the control number before "("
  int32_t code;        // the control code inside "( )"
};

struct ControlRow {
  std::vector<ControlItem> controls;
  int32_t finish_column = 0;  // the end column of "F"; 0 when the row has none
};

ControlRow ScanControlRow(const std::string& row);

// The text of the time column that ends at the column, trimmed.
std::string TimeColumn(const std::string& line, int32_t end_column);

// Listings are laid out either by display column (a full-width character takes two, as
// Shift-JIS printouts line up) or by character (every character takes one, as listings written
// from Unicode text do). A line of the second kind is brought into display columns by giving up,
// for every full-width character before it, one blank of a run of two or more blanks. The line
// is taken as it stands unless the moved line ends more of its words on `column_ends` (the
// columns where the class's time fields end).
std::string ToDisplayColumns(const std::string& line, const std::vector<int32_t>& column_ends);

// The character at the column is a blank (or the line is shorter).
bool IsBlankAt(const std::string& line, int32_t column);

struct ClassHeader {
  std::string name;
  int32_t length = 0;  // metres, 0 when not given
  int32_t climb = 0;
};

// "M21E  (4)   5.100 km  210 m   4 C": the name, "km"/"Km" after the length in kilometres,
// "m"/"Cm" after the climb in metres.
ClassHeader ParseClassHeader(const std::string& line);

}  // namespace quorvex2::detail::sportident
