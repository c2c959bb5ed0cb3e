#include "files/html_table_grid.h"

#include <algorithm>

#include "files/si_listing_tokens.h"
#include "quorvex2/core/text.h"

namespace quorvex2::detail {
namespace {

constexpr int32_t kGap = 2;  // blanks between columns, and before the first

using sportident::HasLetter;

bool IsEmpty(const GridCell& cell) {
  return std::all_of(cell.lines.begin(), cell.lines.end(),
                     [](const std::string& line) { return Trim(line).empty(); });
}

int32_t Width(const GridCell& cell) {
  int32_t width = 0;
  for (const std::string& line : cell.lines) width = std::max(width, GetByteLength(Trim(line)));
  return width;
}

struct Columns {
  std::vector<int32_t> width;
  std::vector<bool> right;  // right-aligned: more of its cells without letters than with
};

Columns Measure(const std::vector<GridRow>& rows) {
  Columns columns;
  std::vector<int32_t> words, numbers;
  for (const GridRow& row : rows) {
    size_t column = 0;
    for (const GridCell& cell : row) {
      const size_t end = column + static_cast<size_t>(std::max(cell.span, 1));
      if (columns.width.size() < end) {
        columns.width.resize(end), words.resize(end), numbers.resize(end);
      }
      if (cell.span <= 1 && !IsEmpty(cell)) {
        columns.width[column] = std::max(columns.width[column], Width(cell));
        (HasLetter(Trim(cell.lines.front())) ? words : numbers)[column] += 1;
      }
      column = end;
    }
  }
  for (size_t c = 0; c < columns.width.size(); ++c) columns.right.push_back(numbers[c] > words[c]);
  return columns;
}

// The row's text lines: each cell at its column's start (or two blanks after the text before
// it, when that runs on), padded on the left in a right-aligned column.
std::vector<std::string> LayOutRow(const GridRow& row, const Columns& columns) {
  size_t height = 0;
  for (const GridCell& cell : row) height = std::max(height, cell.lines.size());
  std::vector<std::string> lines(height);
  std::vector<int32_t> widths(height, 0);
  int32_t start = kGap;
  size_t column = 0;
  for (const GridCell& cell : row) {
    const size_t span = static_cast<size_t>(std::max(cell.span, 1));
    for (size_t i = 0; i < cell.lines.size(); ++i) {
      const std::string text = Trim(cell.lines[i]);
      if (text.empty()) continue;
      int32_t at = std::max(start, widths[i] == 0 ? 0 : widths[i] + kGap);
      if (span == 1 && columns.right[column]) {
        at = std::max(at, start + columns.width[column] - GetByteLength(text));
      }
      lines[i].append(static_cast<size_t>(at - widths[i]), ' ');
      lines[i] += text;
      widths[i] = at + GetByteLength(text);
    }
    for (size_t c = column; c < column + span; ++c) start += columns.width[c] + kGap;
    column += span;
  }
  return lines;
}

}  // namespace

std::vector<std::string> LayOutTable(const std::vector<GridRow>& rows) {
  const Columns columns = Measure(rows);
  std::vector<std::string> lines;
  for (const GridRow& row : rows) {
    if (std::all_of(row.begin(), row.end(), IsEmpty)) continue;
    for (std::string& line : LayOutRow(row, columns)) lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace quorvex2::detail
