#include "files/si_listing_runner.h"

#include <algorithm>
#include <cstdlib>
#include <regex>

#include "quorvex2/core/text.h"

namespace quorvex2::detail::sportident {
namespace {

// How far a status word may end before the end of the time caption (results are right-aligned
// under it) and how near it a word of any kind counts as the result.
constexpr int32_t kStatusBefore = 6;
constexpr int32_t kUnderCaption = 3;
// How far right of the time caption the result of a runner without a place or start number may
// end (a name printed wider than its characters moves it; a club line's first time ends under
// the first control, further right).
constexpr int32_t kUnnumberedBeyond = 5;
// A time that ends this far right of the time caption is a numbered runner's first split: his
// time column is empty (a column further right than any name moves a result).
constexpr int32_t kSplitBeyond = 8;
constexpr int32_t kWidestPrefix = 6;
// The result field's width: a status of two words ("Ej start", "nicht ang") fills it.
constexpr int32_t kResultWidth = 9;

// Under captions, the short words left of the name caption: places, marks, start numbers.
bool IsPrefix(const Token& token, const std::optional<Captions>& captions) {
  if (captions) {
    return token.last_column < captions->name_column &&
           token.last_column - token.first_column < kWidestPrefix;
  }
  return IsNumberField(token.text) || IsOutOfCompetitionMark(token.text);
}

// A runner without a number is told from other lines by its result, which ends under the time
// caption.
bool ResultInPlace(const Token& result, const std::optional<Captions>& captions) {
  if (!captions || captions->time_end == 0) return true;
  const int32_t off = result.last_column - captions->time_end;
  return off >= -kStatusBefore && off <= kUnnumberedBeyond;
}

bool IsSplitBeyondTime(const Token& token, const std::optional<Captions>& captions) {
  if (!captions || captions->time_end == 0 || !IsTime(token.text)) return false;
  return token.last_column - captions->time_end > kSplitBeyond;
}

// Nothing but times, marks, numbers and control items follow the result (the finish mark may
// close a row of control items).
bool OnlyFieldsFrom(const std::vector<Token>& tokens, size_t from) {
  std::vector<ControlItem> items;
  for (size_t i = from; i < tokens.size(); ++i) {
    const bool last = i + 1 == tokens.size();
    if (!HasLetter(tokens[i].text) || ReadControlItems(tokens[i], items)) continue;
    if (!(last && IsFinishMark(tokens[i].text))) return false;
  }
  return true;
}

// Under the time caption, a word without letters stands for a result none of the known forms
// gives ("-----", or a time in digits alone); its text decides what the runner gets.
bool IsUnreadResult(const Token& token, const std::optional<Captions>& captions) {
  if (!captions || captions->time_end == 0 || HasLetter(token.text)) return false;
  return std::abs(token.last_column - captions->time_end) <= kUnderCaption;
}

// Where the time column is not known (no caption names it), a word set apart from the name and
// followed by a field for every column of the first control row stands in the result column: a
// status word of a language not known, its first split under the first control.
bool FillsTheRow(const std::vector<Token>& tokens, size_t i, size_t first_row_columns) {
  if (first_row_columns == 0 || i == 0 || i + 1 >= tokens.size()) return false;
  const bool apart = tokens[i].first_column - tokens[i - 1].last_column > 2;
  return apart && IsTimeField(tokens[i + 1].text) && TimesFrom(tokens, i + 1) == first_row_columns;
}

// A time is the result unless words alone follow it (a page footer: "Printed 14:32:10  SPORTident
// 2010"); a club printed after the result is followed by the splits.
bool IsResult(const std::vector<Token>& tokens, size_t i, const std::optional<Captions>& captions,
              size_t first_row_columns) {
  const Token& token = tokens[i];
  if (IsTime(token.text)) return OnlyFieldsFrom(tokens, i + 1) || TimesFrom(tokens, i + 1) > 0;
  if (IsUnreadResult(token, captions)) return OnlyFieldsFrom(tokens, i + 1);
  if (!OnlyFieldsFrom(tokens, i + 1) || IsNumberField(token.text)) return false;
  if (!captions || captions->time_end == 0) {
    return IsStatusWord(token.text) || FillsTheRow(tokens, i, first_row_columns);
  }
  const int32_t off = token.last_column - captions->time_end;
  if (IsStatusWord(token.text)) return off >= -kStatusBefore;
  return std::abs(off) <= kUnderCaption && HasLetter(token.text);
}

// A name printed wider than its column pushes the rest of the line right, so that its last word
// ends under the time caption. That word is no result when the line holds one time more than the
// first control row has columns: the result and every split.
bool NameRunsOn(const std::vector<Token>& tokens, size_t result, size_t first_row_columns) {
  if (first_row_columns == 0 || result + 1 >= tokens.size()) return false;
  if (!HasLetter(tokens[result].text) || IsStatusWord(tokens[result].text)) return false;
  if (!IsTime(tokens[result + 1].text)) return false;
  return TimesFrom(tokens, result + 1) == first_row_columns + 1;
}

// A status of two words ("Ej start", "nie uk.") is read from its second, which is no status word
// of its own: the first stands right before it, the two within the result field. It is no part of
// the name.
bool FirstWordOfResult(const std::vector<Token>& tokens, size_t result, size_t name) {
  if (result <= name + 1) return false;  // the name's first word is always the name
  const Token& first = tokens[result - 1];
  const Token& second = tokens[result];
  if (!HasLetter(second.text) || IsStatusWord(second.text) || !HasLetter(first.text)) return false;
  return first.last_column + 2 == second.first_column &&
         second.last_column - first.first_column < kResultWidth;
}

// A time far right of the time caption is the first split of a numbered runner whose time column
// is empty, unless the line holds the result and every split of the first control row: then a
// name much wider than its column pushed the result there.
bool ResultMissing(const std::vector<Token>& tokens, size_t result,
                   const std::optional<Captions>& captions, size_t first_row_columns) {
  if (!IsSplitBeyondTime(tokens[result], captions)) return false;
  return first_row_columns == 0 || TimesFrom(tokens, result) != first_row_columns + 1;
}

// A date ("16.05.2010", "16/05/2010", "2010-05-16") is in no runner's name: the line is a page's
// footer or title.
bool HoldsDate(const std::string& name) {
  if (std::none_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return false;
  }
  static const std::regex kDate(R"(\b(\d{1,2}[./]\d{1,2}[./]\d{2,4}|\d{4}-\d{1,2}-\d{1,2})\b)");
  return std::regex_search(name, kDate);
}

int32_t StartNumber(const std::string& text) {
  return IsNumberField(text) && text.size() <= 9 ? std::atoi(text.c_str()) : 0;
}

std::string Place(const std::string& text) {
  return !text.empty() && text.back() == '.' ? text.substr(0, text.size() - 1) : text;
}

// A single number before the name: a start number when it ends right of the place caption
// (or there is no place column), else a place; without captions a place when it has a time.
bool SingleIsPlace(const Token& token, const RunnerHead& head, const std::vector<Token>& tokens,
                   const std::optional<Captions>& captions) {
  if (IsOutOfCompetitionMark(token.text)) return true;
  if (!captions) return IsTime(tokens[head.result].text);
  if (captions->number_end == 0) return true;
  return captions->place_end > 0 && token.last_column <= captions->place_end + 1;
}

enum class HeadField { kName, kClub, kOther };

// The field under which a token between the name and the result stands: the caption whose column
// is the last at or before the token's first column; the field of a year of birth or nation
// caption also takes a word that reaches under it (numbers are printed right-aligned).
HeadField FieldUnder(const Token& token, const std::optional<Captions>& captions) {
  HeadField field = HeadField::kName;
  int32_t from = 0;
  if (!captions) return field;
  const auto take = [&](int32_t column, int32_t reach, HeadField kind) {
    if (column > 0 && column <= reach && column >= from) {
      from = column;
      field = kind;
    }
  };
  take(captions->club_column, token.first_column, HeadField::kClub);
  for (const int32_t column : captions->other_columns) {
    take(column, token.last_column, HeadField::kOther);
  }
  return field;
}

// The text of the tokens [first, end) that stand under that field, from the first of them to the
// last (the name's first token always counts as the name).
std::string FieldText(const std::string& line, const std::vector<Token>& tokens, size_t first,
                      size_t end, HeadField field, const std::optional<Captions>& captions) {
  std::optional<size_t> from, to;
  for (size_t i = first; i < end; ++i) {
    const HeadField under = i == first ? HeadField::kName : FieldUnder(tokens[i], captions);
    if (under != field) continue;
    if (!from) from = i;
    to = i;
  }
  if (!from) return "";
  return Trim(line.substr(tokens[*from].offset, tokens[*to].End() - tokens[*from].offset));
}

}  // namespace

std::optional<RunnerHead> ReadRunnerHead(const std::string& line, const std::vector<Token>& tokens,
                                         const std::optional<Captions>& captions,
                                         size_t first_row_columns) {
  if (tokens.empty() || (line[0] != ' ' && line[0] != '\t')) return std::nullopt;
  size_t name = 0;
  while (name < tokens.size() && name < 2 && IsPrefix(tokens[name], captions)) ++name;
  RunnerHead head;
  for (size_t i = name + 1; i < tokens.size() && head.result == 0; ++i) {
    if (IsResult(tokens, i, captions, first_row_columns)) head.result = i;
  }
  if (head.result == 0 || name >= head.result) return std::nullopt;
  if (NameRunsOn(tokens, head.result, first_row_columns)) ++head.result;
  const size_t head_end = head.result - (FirstWordOfResult(tokens, head.result, name) ? 1 : 0);
  head.name = FieldText(line, tokens, name, head_end, HeadField::kName, captions);
  head.club = FieldText(line, tokens, name, head_end, HeadField::kClub, captions);
  if (!HasLetter(head.name) || HoldsDate(head.name)) return std::nullopt;
  head.numbered = name > 0;
  if (!head.numbered && !ResultInPlace(tokens[head.result], captions)) return std::nullopt;
  head.result_missing =
      head.numbered && ResultMissing(tokens, head.result, captions, first_row_columns);
  if (name == 2) {
    head.place = Place(tokens[0].text);
    head.id = StartNumber(tokens[1].text);
  } else if (name == 1 && SingleIsPlace(tokens[0], head, tokens, captions)) {
    head.place = Place(tokens[0].text);
  } else if (name == 1) {
    head.id = StartNumber(tokens[0].text);
  }
  return head;
}

}  // namespace quorvex2::detail::sportident
