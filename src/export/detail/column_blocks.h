#pragma once
// Rows of six-column cells written out in blocks of at most twelve columns, each block
// repeating the row labels (the layout of the mail text report).
#include <string>
#include <vector>

namespace quorvex2::detail {

class ColumnBlocks {
 public:
  static constexpr int kColumnsPerBlock = 12;
  static constexpr int kCellWidth = 6;

  explicit ColumnBlocks(std::vector<std::string> labels);

  // One column: a cell per row, in row order (fitted to six columns, right-aligned, trimmed).
  void AddColumn(const std::vector<std::string>& cells);
  // Writes the pending block, if any, and returns everything written so far.
  std::string Finish();

 private:
  void Flush();

  std::vector<std::string> labels_;
  std::vector<std::string> rows_;
  int columns_in_block_ = 0;
  std::string out_;
};

}  // namespace quorvex2::detail
