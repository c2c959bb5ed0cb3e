#pragma once
// SPORTident result listings saved as web pages: the page as text lines, the way a browser shows
// it. The listing in <pre> keeps its columns (tags dropped, character references decoded); table
// rows become lines whose cells are two blanks apart; other text runs are one line per block.
#include <string>
#include <string_view>
#include <vector>

namespace quorvex2::detail::sportident {

// The text starts like a web page (an <html>, <body>, <pre> or <table> tag near its head).
bool LooksLikeHtml(std::string_view text);

std::vector<std::string> HtmlTextLines(std::string_view html);

}  // namespace quorvex2::detail::sportident
