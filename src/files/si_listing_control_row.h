#pragma once
// The control rows under a class header of a SPORTident result listing, and the time fields that
// stand under them on the runners' lines.
//
//                                                  1(101)   2(102)   3(103)        F
//      1    1001 Kato Ken                  26:25     5:00    12:00    16:20    26:25
//
// Every item of a row ends a column; the times below end under the item's last character (the
// finish under "F" or its translation). A class whose runners carry their own controls has a row
// of column numbers instead ("1 2 3 ... 14").
#include <cstdint>
#include <optional>
#include <vector>

#include "files/si_listing_captions.h"
#include "files/si_listing_tokens.h"
#include "quorvex2/core/types.h"

namespace quorvex2::detail::sportident {

struct ControlRow {
  std::vector<ControlItem> items;
  int32_t finish_column = 0;  // the last column of the finish mark; 0 when the row has none
  bool numbered = false;      // column numbers only: the controls stand on the runners' lines
  std::vector<int32_t> Columns() const;  // the items' last columns, then the finish's
};

// The row the tokens make; nothing when they are anything but control items, optionally closed
// by the finish mark, or the numbers 1, 2, 3, ...
std::optional<ControlRow> ReadControlRow(const std::vector<Token>& tokens, size_t from = 0);

// Where the control row of the tokens starts: 0 for a row of nothing else, or after the column
// captions a table's head puts before the controls ("Pl Stno Name Time 1(31) 2(45) F"); nothing
// for any other line.
std::optional<size_t> ControlsStart(const std::vector<Token>& tokens);

// The times of a line under the columns: one per column, nothing where the line holds none or a
// missing-punch mark. Time fields are taken in order when there are as many as columns;
// otherwise each goes to the column it ends under, the whole line shifted by the offset that
// lines up most of them (a name printed wider or narrower than its characters moves the rest).
std::vector<std::optional<Date>> TimesUnder(const std::vector<Token>& tokens, size_t from,
                                            const std::vector<int32_t>& columns);

}  // namespace quorvex2::detail::sportident
