#pragma once
// Where the columns of an OE CSV export are. The exports come in three layouts that differ in
// their first columns (one name column; surname and first name; the longer layout that starts
// with "OE00..") and end alike: course, length, climb, control count, place, start and finish
// punch, then a control code and punch time pair per control. The column of the first control
// code is found from the header (the first pair of names ending in "1": "Control1;Punch1",
// "Posten1;Stempel1", ...) or, without a usable header, from the rows; the other columns are
// found by their names (English, German, French, Swedish) near where the layout puts them, and
// by position where the header does not name them.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quorvex2::detail {

enum OeColumn : size_t {
  kOeStartNumber,
  kOeChip,
  kOeSurname,
  kOeFirstName,
  kOeFullName,
  kOeSex,
  kOeNotCompeting,
  kOeStart,
  kOeFinish,
  kOeTime,
  kOeClassifier,
  kOeClub,
  kOeCity,
  kOeShortClass,
  kOeLongClass,
  kOeCourse,
  kOeKilometres,
  kOeClimb,
  kOeControlCount,
  kOePlace,
  kOeStartPunch,
  kOeFinishPunch,
  kOeColumnCount,
};

struct OeLayout {
  std::array<int32_t, kOeColumnCount> at{};  // -1 where the layout has no such column
  int32_t first_control = 0;                 // the column of the first control code
};

using OeRow = std::vector<std::string>;

// True when the row gives a control count and codes where one of the layouts has them.
bool FitsKnownLayout(const OeRow& row);

// The layout of the rows under the header (nullptr when the file has no header line); nothing
// when neither the header nor the rows look like an OE export.
std::optional<OeLayout> FindOeLayout(const OeRow* header, const std::vector<OeRow>& rows);

}  // namespace quorvex2::detail
