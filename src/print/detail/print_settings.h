#pragma once
// The settings of the printed analysis table, read from the data place of the settings store,
// and the checks every printed table makes of its print book.
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "quorvex2/print/print_book.h"

namespace quorvex2::detail {

struct AnalysisPrintSettings {
  float class_label_width = 15;
  float class_label_font_size = 35;
  std::array<int32_t, 3> rank_colors{0xCCCCCC, 0xDDDDDD, 0xEEEEEE};  // leg ranks 1, 2, 3
};

// The settings of the current root's store (a default store without a root); missing values
// take their defaults.
AnalysisPrintSettings ReadAnalysisPrintSettings();

// A number as the settings write it: "&H" hexadecimal ("&HCCCCCC") or decimal; 0 for none.
double SettingNumber(const std::string& Text);

// The book, or std::runtime_error naming the operation when it is missing or was never
// initialised.
clsPrintBook& RequireInitialisedBook(const std::shared_ptr<clsPrintBook>& Book,
                                     const std::string& Operation);

}  // namespace quorvex2::detail
