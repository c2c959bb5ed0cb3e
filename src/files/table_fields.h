#pragma once
// Rows of the delimited result tables that event software exports (OE CSV, SPORTident CSV,
// SplitsBrowser and Emit CSV): the delimiter, quoted fields, elapsed times and counts.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvex2::detail {

// The one of ';', ',', TAB and '\' that occurs most often in the line (the earlier on ties).
char GuessDelimiter(std::string_view line);

// The line split at the delimiter. A field in double quotes may hold the delimiter ("" stands
// for one quote); every field comes back without its quotes and surrounding blanks and tabs.
std::vector<std::string> SplitTableRow(std::string_view line, char delimiter);

// One field as SplitTableRow gives it: without its quotes and surrounding blanks and tabs.
std::string UnquotedField(std::string_view field);

// The field at a position; "" past the end of the row or for a negative position.
const std::string& FieldOf(const std::vector<std::string>& row, int32_t position);

// Seconds of an elapsed time as the tables write it: "12:14", "1:03:19", "264:00" (minutes
// beyond the hour), ":32:58" (no hours), "12:14.32" or "12:14,32" (fractions); nothing for
// any other text ("-----", "", "1").
std::optional<double> ReadElapsedSeconds(std::string_view text);

// A count or control code written in decimal digits that fits 32 bits; nothing otherwise.
std::optional<int32_t> ReadCount(std::string_view text);

// The non-empty lines of a text, trailing blanks and tabs removed (and a byte-order mark
// before the first).
std::vector<std::string> NonEmptyLines(const std::vector<std::string>& lines);

}  // namespace quorvex2::detail
