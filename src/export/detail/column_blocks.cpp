#include "export/detail/column_blocks.h"

#include "quorvex2/core/text.h"

namespace quorvex2::detail {

ColumnBlocks::ColumnBlocks(std::vector<std::string> labels)
    : labels_(std::move(labels)), rows_(labels_) {}

void ColumnBlocks::AddColumn(const std::vector<std::string>& cells) {
  for (size_t row = 0; row < rows_.size(); ++row) {
    rows_[row] += FitString(row < cells.size() ? cells[row] : "", kCellWidth, true, true);
  }
  if (++columns_in_block_ == kColumnsPerBlock) Flush();
}

std::string ColumnBlocks::Finish() {
  if (columns_in_block_ > 0) Flush();
  return out_;
}

void ColumnBlocks::Flush() {
  for (const auto& row : rows_) out_ += row + "\r\n";
  out_ += "\r\n";
  rows_ = labels_;
  columns_in_block_ = 0;
}

}  // namespace quorvex2::detail
