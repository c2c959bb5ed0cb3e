#pragma once
// The first line of a runner in a SPORTident result listing: place, start number, name and
// result, then the times (or, where the runners carry their own controls, the control items).
//
//      1    1001 Kato Ken                  26:25     5:00    12:00 ...
//           1003 Ito Rei                      mp     5:10    -----  ...
//     nc Russell Backhouse          42:36      0:59 ...
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "files/si_listing_captions.h"
#include "files/si_listing_tokens.h"

namespace quorvex2::detail::sportident {

struct RunnerHead {
  std::string place;  // without a trailing "."
  int32_t id = 0;
  std::string name;
  std::string club;             // where a club column stands between name and time
  size_t result = 0;            // the index of the result token (of the first time when missing)
  bool result_missing = false;  // nothing under the time caption
  bool numbered = false;        // a place or start number stands before the name
};

// A runner line is indented and holds a name (a word with a letter) followed by a result: a
// time, a status word, or (under captions) any word that ends under the time caption. Up to two
// numbers or place marks before the name are the place and the start number; a single one is
// told apart by the captions' columns, or without captions by the result (a time has a place).
// The result is followed only by times, marks and control items; without a place or start
// number, it ends under the time caption. A numbered runner whose first time ends right of the
// time caption has an empty result. Given the columns of the class's first control row, a name
// wider than its column is told from a word under the time caption by the times that follow.
std::optional<RunnerHead> ReadRunnerHead(const std::string& line, const std::vector<Token>& tokens,
                                         const std::optional<Captions>& captions,
                                         size_t first_row_columns = 0);

}  // namespace quorvex2::detail::sportident
