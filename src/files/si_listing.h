#pragma once
// A SPORTident result listing as printed, before it becomes classes, courses and runners: the
// title lines, the column captions and per class its header, its controls and its runners with
// their times. Listings come as text or as web pages turned into text lines (si_listing_html.h).
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "files/si_listing_captions.h"
#include "files/si_listing_tokens.h"
#include "quorvex2/core/types.h"

namespace quorvex2::detail::sportident {

struct ListingRunner {
  std::string place;  // as printed without a trailing "." ("1", "nc"); "" when none
  int32_t id = 0;     // the start number; 0 when none
  std::string name;   // as wide as printed
  std::string club;
  std::string result;  // the result field as printed ("26:25", "mp", "Fehlst")
  // Per control, then the finish: the cumulative times (the leg times when the listing prints
  // no cumulative ones); nothing for a control without a time.
  std::vector<std::optional<Date>> times;
  bool leg_times = false;
  bool legs_below = false;     // the lines below the runner's print leg times
  bool cut_short = false;      // the listing ends within the runner's times
  std::vector<int32_t> codes;  // the controls punched, where the listing prints them per runner
  size_t line = 0;             // 0-based
};

struct ListingClass {
  std::string name;
  int32_t length = 0;  // metres
  int32_t climb = 0;
  int32_t announced = 0;          // the runners the header counts, 0 when it gives no count
  std::vector<int32_t> codes;     // the controls in running order
  bool codes_per_runner = false;  // the runners carry their own controls
  std::vector<ListingRunner> runners;
};

struct Listing {
  std::vector<std::string> title;  // the non-blank lines above the captions and classes
  std::optional<Captions> captions;
  std::vector<ListingClass> classes;
};

// Reports each line once it is read, in order: (its index, lines in all).
using LineProgress = std::function<void(size_t line, size_t total)>;

// The listing in the lines, their columns counted as `widths` says (WidthsOf the lines).
Listing ReadListing(const std::vector<std::string>& lines, ColumnWidths widths,
                    const LineProgress& progress = {});

}  // namespace quorvex2::detail::sportident
