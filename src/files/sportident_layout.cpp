#include "files/sportident_layout.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <stdexcept>

#include "core/detail/utf8.h"
#include "files/detail/attribute_values.h"
#include "quorvex2/core/text.h"

namespace quorvex2::detail::sportident {
namespace {

int32_t FindCaption(const std::string& upper_line, const std::string& caption) {
  const size_t at = upper_line.find(caption);
  return at == std::string::npos ? 0 : GetByteLength(upper_line.substr(0, at)) + 1;
}

// "12(143)" -> control number 12, code 143.
bool ParseControlItem(const std::string& item, int32_t end_column, ControlItem& control) {
  const size_t open = item.find('(');
  const size_t close = item.find(')', open == std::string::npos ? 0 : open);
  if (open == std::string::npos || close == std::string::npos) return false;
  control = {end_column, ReadWholeNumber(item.substr(0, open)),
             ReadWholeNumber(item.substr(open + 1, close - open - 1))};
  return true;
}

// The end columns of the blank-separated words of a line. Only half-width characters make up
// words: a full-width character counts as blank, as a one-column cut through it reads.
std::vector<int32_t> WordEnds(const std::string& line) {
  std::vector<int32_t> ends;
  int32_t column = 1;
  int32_t last_solid = 0;  // the column of the previous character when it was solid, else 0
  for (size_t pos = 0; pos < line.size();) {
    const size_t start = pos;
    DecodeUtf8(line, pos);
    const int32_t width = GetByteLength(line.substr(start, pos - start));
    const bool solid = width == 1 && line[start] != ' ';
    if (last_solid > 0 && !solid) ends.push_back(last_solid);
    last_solid = solid ? column : 0;
    column += width;
  }
  if (last_solid > 0) ends.push_back(last_solid);
  return ends;
}

// One blank less in runs of two or more blanks for every full-width character met before them;
// every run keeps at least one blank.
std::string CharacterColumnsToDisplay(const std::string& line) {
  std::string out;
  int32_t debt = 0;
  for (size_t pos = 0; pos < line.size();) {
    if (line[pos] == ' ') {
      const size_t run = line.find_first_not_of(' ', pos);
      const size_t length = (run == std::string::npos ? line.size() : run) - pos;
      const size_t dropped = length < 2 ? 0 : std::min<size_t>(length - 1, debt);
      debt -= static_cast<int32_t>(dropped);
      out.append(length - dropped, ' ');
      pos += length;
      continue;
    }
    const size_t start = pos;
    DecodeUtf8(line, pos);
    const std::string character = line.substr(start, pos - start);
    debt += GetByteLength(character) - 1;
    out += character;
  }
  return out;
}

size_t MatchingEnds(const std::string& line, const std::vector<int32_t>& column_ends) {
  size_t matches = 0;
  for (int32_t end : WordEnds(line)) {
    matches += std::find(column_ends.begin(), column_ends.end(), end) != column_ends.end();
  }
  return matches;
}

int32_t Kilometres(const std::string& item) {
  const double metres = std::nearbyint(LeadingNumber(item) * 1000.0);
  if (!(std::fabs(metres) < 2147483647.0)) throw std::overflow_error("Length out of range");
  return static_cast<int32_t>(metres);
}

}  // namespace

Captions FindCaptions(const std::string& line) {
  const std::string upper = ToUpper(line);
  return {FindCaption(upper, "PL"), FindCaption(upper, "STNO"), FindCaption(upper, "NAME"),
          FindCaption(upper, "TIME")};
}

std::string ToDisplayColumns(const std::string& line, const std::vector<int32_t>& column_ends) {
  std::string moved = CharacterColumnsToDisplay(line);
  if (moved == line) return line;
  return MatchingEnds(moved, column_ends) > MatchingEnds(line, column_ends) ? moved : line;
}

bool IsBlankAt(const std::string& line, int32_t column) {
  const std::string c = MidByWidth(line, column, 1);
  return c.empty() || c == " ";
}

std::string TimeColumn(const std::string& line, int32_t end_column) {
  const int32_t start = std::max(1, end_column - kTimeColumnWidth + 1);
  return Trim(MidByWidth(line, start, end_column - start + 1));
}

ControlRow ScanControlRow(const std::string& row) {
  ControlRow result;
  for (int32_t end : WordEnds(row)) {
    const std::string item = TimeColumn(row, end);
    if (item.empty()) break;
    if (item == "F") {
      result.finish_column = end;
      break;
    }
    ControlItem control{};
    if (ParseControlItem(item, end, control)) result.controls.push_back(control);
  }
  return result;
}

ClassHeader ParseClassHeader(const std::string& line) {
  ClassHeader header;
  const size_t blank = line.find(' ');
  header.name = line.substr(0, blank);
  if (blank == std::string::npos) return header;
  std::istringstream items(line.substr(blank));
  std::string previous;
  for (std::string item; items >> item; previous = item) {
    if (item == "km" || item == "Km") header.length = Kilometres(previous);
    if (item == "m" || item == "Cm") header.climb = ReadWholeNumber(previous);
  }
  return header;
}

}  // namespace quorvex2::detail::sportident
