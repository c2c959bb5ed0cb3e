// The terminal grid as text: columns as wide as their widest cell (a name cut to the screen),
// aligned as the grid says, in blocks that fit the screen; each cell in its colours when asked.
#include <fmt/format.h>

#include <algorithm>

#include "display_width.h"
#include "terminal_grid.h"

namespace qxcli {
namespace {

constexpr int32_t kCellMargin = 1;     // spaces on each side of a cell's text
constexpr int32_t kNarrowestCut = 12;  // a long name is not cut below this, nor a time at all

std::string Spaces(int32_t count) {
  return std::string(static_cast<size_t>(std::max(count, 0)), ' ');
}

std::string Aligned(const std::string& text, int32_t free, int32_t alignment) {
  switch (alignment) {
    case quorvex2::QX_ALIGN_RIGHT:
      return Spaces(free) + text;
    case quorvex2::QX_ALIGN_CENTER:
      return Spaces(free / 2) + text + Spaces(free - free / 2);
    default:
      return text + Spaces(free);
  }
}

// 0x00BBGGRR as the "r;g;b" of a 24-bit ANSI colour.
std::string AnsiRgb(int32_t color) {
  return fmt::format("{};{};{}", color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

// A coloured cell: black text unless the grid says otherwise, so it reads on any background.
std::string Colored(const std::string& padded, int32_t back, int32_t fore) {
  if (back < 0) return padded;
  return fmt::format("\x1b[38;2;{};48;2;{}m{}\x1b[0m", AnsiRgb(fore < 0 ? 0 : fore), AnsiRgb(back),
                     padded);
}

std::string WithoutTrailingSpaces(std::string line) {
  line.erase(line.find_last_not_of(' ') + 1);
  return line;
}

}  // namespace

std::string TerminalGrid::Text(const GridTextOptions& options) const {
  if (!visible_ || rows_ == 0 || cols_ == 0) return "";
  std::vector<int32_t> widths(cols_, 0);
  for (const auto& row : cells_) {
    for (int32_t col = 0; col < cols_; ++col) {
      widths[col] = std::max(widths[col], DisplayWidth(row[col].text, options.narrow_ambiguous));
    }
  }
  // A name longer than the screen leaves beside the row titles is cut to it.
  if (options.width > 0) {
    const int32_t room = options.width - (widths[0] + 2 * kCellMargin) - 2 * kCellMargin;
    for (int32_t col = 1; col < cols_; ++col) {
      widths[col] = std::min(widths[col], std::max(room, kNarrowestCut));
    }
  }
  std::string text;
  for (const auto& block : Blocks(widths, options.width)) {
    if (!text.empty()) text += "\n";
    for (int32_t row = 0; row < rows_; ++row) text += Line(row, block, widths, options) + "\n";
  }
  return text;
}

// Column 0 and as many further columns as fit the screen (at least one) in each block.
std::vector<std::vector<int32_t>> TerminalGrid::Blocks(const std::vector<int32_t>& widths,
                                                       int32_t screen) const {
  const auto room = [](int32_t width) { return width + 2 * kCellMargin; };
  std::vector<std::vector<int32_t>> blocks;
  int32_t used = 0;
  for (int32_t col = 1; col < cols_; ++col) {
    if (blocks.empty() ||
        (screen > 0 && used + room(widths[col]) > screen && blocks.back().size() > 1)) {
      blocks.push_back({0});
      used = room(widths[0]);
    }
    blocks.back().push_back(col);
    used += room(widths[col]);
  }
  if (blocks.empty()) blocks.push_back({0});
  return blocks;
}

std::string TerminalGrid::Line(int32_t row, const std::vector<int32_t>& block,
                               const std::vector<int32_t>& widths,
                               const GridTextOptions& options) const {
  std::string line;
  for (const int32_t col : block) {
    const Cell& cell = cells_[row][col];
    std::string shown = cell.text;
    if (DisplayWidth(shown, options.narrow_ambiguous) > widths[col]) {
      shown = CutToWidth(shown, widths[col]);
    }
    const int32_t free = widths[col] - DisplayWidth(shown, options.narrow_ambiguous);
    const std::string padded =
        Spaces(kCellMargin) + Aligned(shown, free, AlignmentOf(row, col)) + Spaces(kCellMargin);
    line += options.color ? Colored(padded, cell.back, cell.fore) : padded;
  }
  return options.color ? line : WithoutTrailingSpaces(line);
}

}  // namespace qxcli
