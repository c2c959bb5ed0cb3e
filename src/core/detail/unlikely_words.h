#pragma once
// How unlikely the words of a decoded text are as the names and words of a European result list:
// the measure that tells a right reading of single-byte Latin text from a wrong one, where the
// byte statistics of the detectors are too thin to (a few dozen accented letters).
#include <string_view>

namespace quorvex2::detail {

// How many words (runs of letters) of the text are unlikely: every word with accented letters
// that the one language writing most of the text's accented words does not write ("Dvoøák",
// "Zdenìk" among Czech words read as Windows-1252; "Bjřrn", "Kĺre" and "Sćther" in a Norwegian
// list read as Windows-1250), and twice every word with a symbol among its letters ("Pawe³",
// "Gra¿yna": Polish read as Windows-1252), which no language writes.
int UnlikelyWordCount(std::string_view text);

}  // namespace quorvex2::detail
