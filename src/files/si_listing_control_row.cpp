#include "files/si_listing_control_row.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "quorvex2/core/text.h"

namespace quorvex2::detail::sportident {
namespace {

constexpr int32_t kWidestShift = 12;

std::optional<ControlRow> NumberedRow(const std::vector<Token>& tokens, size_t from) {
  ControlRow row;
  row.numbered = true;
  for (size_t i = from; i < tokens.size(); ++i) {
    if (tokens[i].text != std::to_string(i - from + 1)) return std::nullopt;
  }
  if (tokens.size() < from + 2) return std::nullopt;
  return row;
}

// A row of nothing but the finish: one short mark ("F"), indented, so that a one-word line and a
// class header of a short name ("A", which starts its line) are no row.
bool IsLoneFinish(const Token& token) {
  return IsFinishMark(token.text) && GetByteLength(token.text) <= 2 && token.offset > 0;
}

int32_t Matches(const std::vector<const Token*>& fields, const std::vector<int32_t>& columns,
                int32_t shift) {
  return static_cast<int32_t>(std::count_if(fields.begin(), fields.end(), [&](const Token* t) {
    return std::find(columns.begin(), columns.end(), t->last_column + shift) != columns.end();
  }));
}

int32_t BestShift(const std::vector<const Token*>& fields, const std::vector<int32_t>& columns,
                  int32_t& matches) {
  int32_t best = 0;
  matches = Matches(fields, columns, 0);
  for (int32_t distance = 1; distance <= kWidestShift; ++distance) {
    for (int32_t shift : {-distance, distance}) {
      const int32_t count = Matches(fields, columns, shift);
      if (count > matches) {
        matches = count;
        best = shift;
      }
    }
  }
  return best;
}

}  // namespace

std::vector<int32_t> ControlRow::Columns() const {
  std::vector<int32_t> columns;
  for (const ControlItem& item : items) columns.push_back(item.last_column);
  if (finish_column > 0) columns.push_back(finish_column);
  return columns;
}

std::optional<ControlRow> ReadControlRow(const std::vector<Token>& tokens, size_t from) {
  if (tokens.size() <= from) return std::nullopt;
  if (IsNumberField(tokens[from].text)) return NumberedRow(tokens, from);
  ControlRow row;
  for (size_t i = from; i < tokens.size(); ++i) {
    if (ReadControlItems(tokens[i], row.items)) continue;
    const bool last = i + 1 == tokens.size();
    const bool finish = row.items.empty() ? IsLoneFinish(tokens[i]) : IsFinishMark(tokens[i].text);
    if (!last || !finish) return std::nullopt;
    row.finish_column = tokens[i].last_column;
  }
  return row;
}

std::optional<size_t> ControlsStart(const std::vector<Token>& tokens) {
  if (ReadControlRow(tokens)) return 0;
  std::vector<ControlItem> items;
  const auto first = std::find_if(tokens.begin(), tokens.end(),
                                  [&items](const Token& t) { return ReadControlItems(t, items); });
  const size_t from = static_cast<size_t>(first - tokens.begin());
  if (from == 0 || from == tokens.size()) return std::nullopt;
  const std::optional<Captions> captions = ReadCaptions(std::vector<Token>(tokens.begin(), first));
  if (!captions || captions->time_end == 0 || !ReadControlRow(tokens, from)) return std::nullopt;
  return from;
}

std::vector<std::optional<Date>> TimesUnder(const std::vector<Token>& tokens, size_t from,
                                            const std::vector<int32_t>& columns) {
  std::vector<const Token*> fields;
  for (size_t i = from; i < tokens.size(); ++i) {
    if (IsTimeField(tokens[i].text)) fields.push_back(&tokens[i]);
  }
  std::vector<std::optional<Date>> times(columns.size());
  int32_t matches = 0;
  const int32_t shift = fields.size() == columns.size() ? 0 : BestShift(fields, columns, matches);
  // Times that stand under their columns no better than by chance (a listing whose markup, once
  // taken out, leaves its own spacing) are the first controls' in order.
  const bool unaligned =
      fields.size() < columns.size() && matches * 2 < static_cast<int32_t>(fields.size());
  if (fields.size() == columns.size() || matches == 0 || unaligned) {
    for (size_t k = 0; k < std::min(fields.size(), times.size()); ++k) {
      times[k] = TokenTime(fields[k]->text);
    }
    return times;
  }
  for (const Token* field : fields) {
    const auto at = std::find(columns.begin(), columns.end(), field->last_column + shift);
    if (at != columns.end() && !times[at - columns.begin()]) {
      times[at - columns.begin()] = TokenTime(field->text);
    }
  }
  return times;
}

}  // namespace quorvex2::detail::sportident
