#pragma once
// The words of a SPORTident result listing line and what each can be: a time, a missing-punch
// mark, a control item, the finish mark or a status word.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "quorvex2/core/types.h"

namespace quorvex2::detail::sportident {

// How many display columns a character takes: in a listing that holds Japanese (or other East
// Asian) text, as many as it has bytes in Shift-JIS, as Japanese printouts line up (a Greek or
// Cyrillic letter takes two there too; hangul and hanzi Shift-JIS lacks two as well); one in any
// other listing. Some East Asian printouts are
// lined up otherwise: by display width (hangul, which Shift-JIS lacks, two as well) or one per
// character; the reader tries those where the first reading of such a listing does not hold.
enum class ColumnWidths { kShiftJisBytes, kOnePerCharacter, kDisplayWidth };
ColumnWidths WidthsOf(const std::vector<std::string>& lines);

// A blank-separated word of a line. Columns are display columns, 1-based.
struct Token {
  std::string text;
  size_t offset = 0;  // of the first byte in the line
  int32_t first_column = 0;
  int32_t last_column = 0;
  size_t End() const { return offset + text.size(); }
};

std::vector<Token> Tokenize(const std::string& line,
                            ColumnWidths widths = ColumnWidths::kShiftJisBytes);

// The line with each tab turned into the blanks up to the next stop of 8 display columns, as an
// editor shows it.
std::string ExpandTabs(const std::string& line, ColumnWidths widths);

// The lines as the listing reader takes them: every no-break space a plain blank (a listing a
// browser saved as text may hold them between its columns), and each line cut after
// kMostListingBytes (no listing prints a line that wide; matching patterns on megabytes of one
// line would exhaust the stack).
inline constexpr size_t kMostListingBytes = 1000;
std::vector<std::string> ListingLines(std::vector<std::string> lines);

// "26:25", "1:02:03", "125:30", "1032:11", "29:10.3": the time it stands for, in whole seconds
// (tenths and hundredths are dropped, as every reader counts results).
std::optional<Date> TokenTime(const std::string& text);
bool IsTime(const std::string& text);
// A time's text without its fraction of a second, and minutes of four digits as hours
// ("1032:11" is "17:12:11"); any other text as it is.
std::string PlainTime(const std::string& text);
// "-----", "--:--", "0.00": a control without a punch.
bool IsMissingMark(const std::string& text);
// A field of a times column: a time or a missing-punch mark.
bool IsTimeField(const std::string& text);
// The times-column fields of the tokens from `from` on.
size_t TimesFrom(const std::vector<Token>& tokens, size_t from);
// A place or start number: digits, optionally with a trailing ".".
bool IsNumberField(const std::string& text);
// A result that is no time: a missing punch ("mp", "pm", "Fehlst"), not finished ("dnf",
// "Aufg", "abd") or another status ("disq", "disk", "dns").
enum class ResultStatus { kNone, kMissingPunch, kDidNotFinish, kOther };
ResultStatus StatusOf(const std::string& text);
bool IsStatusWord(const std::string& text);
// A place mark of a runner out of competition: "nc", "ak", "n/c", "ot".
bool IsOutOfCompetitionMark(const std::string& text);
bool HasLetter(const std::string& text);

struct ControlItem {
  int32_t code = 0;
  int32_t last_column = 0;
};

// "1(212)", "1-212" and items printed without a blank between them ("11(123)12(125)"); false
// when the token is anything else.
bool ReadControlItems(const Token& token, std::vector<ControlItem>& items);
// The mark closing a control row: "F" and its translations ("Z", "A", "C", ...).
bool IsFinishMark(const std::string& text);

}  // namespace quorvex2::detail::sportident
