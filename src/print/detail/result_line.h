#pragma once
// The cells of one runner line of a printed result list, left to right.
#include <cstdint>
#include <string>
#include <vector>

#include "quorvex2/analysis/results_holder.h"
#include "quorvex2/print/print_book.h"

namespace quorvex2::detail {

struct ResultListShape {
  bool mix = false;  // several classes: a class column instead of the fixed-rank mark and seed
  bool print_id = false;
  bool print_age = false;
};

// The page width in virtual units: 163, 5 less without the age, 17 less without the ID.
float ResultPageWidth(const ResultListShape& Shape);

struct ResultCell {
  float width;
  PrintBookAlignConst align;
  std::string text;  // empty for a gap
  StdFont font;
  bool cut;  // shorten the text to the cell
};

// The rank printed for runner Index (1-based): the record's own rank in a single class whose
// ranks are available, otherwise the rank in the data set.
std::string ResultRankText(const clsResultsHolder& Holder, int32_t Index);

std::vector<ResultCell> ResultLineCells(const clsResultsHolder& Holder, int32_t Index,
                                        const ResultListShape& Shape);

}  // namespace quorvex2::detail
