#include <algorithm>
#include <string>
#include <vector>

#include "files/csv_table_lines.h"
#include "files/si_listing_control_row.h"
#include "files/si_listing_html.h"
#include "files/si_listing_runner.h"
#include "files/sportident_reader.h"
#include "quorvex2/core/text.h"

namespace quorvex2::detail {
namespace {

using namespace sportident;

bool HasPreformattedText(std::string_view text) {
  return ToUpper(std::string(text)).find("<PRE") != std::string::npos;
}

// A runner's line that lists its own controls: a time, then control items.
bool HasControlItemsAfterTime(const std::vector<Token>& tokens) {
  std::vector<ControlItem> items;
  for (size_t i = 1; i < tokens.size(); ++i) {
    if (IsTime(tokens[i - 1].text) && ReadControlItems(tokens[i], items)) return true;
  }
  return false;
}

// An indented runner's line: place or start number, name, result and at least two more times.
bool IsRunnerLine(const std::string& line, const std::vector<Token>& tokens) {
  const std::optional<RunnerHead> head = ReadRunnerHead(line, tokens, std::nullopt);
  if (!head || !head->numbered || line[0] != ' ') return false;
  return std::count_if(tokens.begin() + static_cast<ptrdiff_t>(head->result), tokens.end(),
                       [](const Token& t) { return IsTime(t.text); }) >= 3;
}

bool LooksLikeListing(const std::vector<std::string>& lines) {
  constexpr int kRunnerLines = 3;
  const std::string* text_above = nullptr;
  int runner_lines = 0;
  for (const std::string& line : lines) {
    const std::vector<Token> tokens = Tokenize(line);
    if (tokens.empty()) continue;
    const std::optional<size_t> from = ControlsStart(tokens);
    const std::optional<ControlRow> row =
        from ? ReadControlRow(tokens, *from) : std::optional<ControlRow>();
    if (row && !row->items.empty() && text_above != nullptr && HasLetter(*text_above)) {
      return true;
    }
    if (HasControlItemsAfterTime(tokens)) return true;
    runner_lines += IsRunnerLine(line, tokens);
    text_above = &line;
  }
  return runner_lines >= kRunnerLines;
}

}  // namespace

bool SniffSportIdentListing(std::string_view head_text) {
  if (LooksLikeHtml(head_text)) {
    return HasPreformattedText(head_text) ||
           LooksLikeListing(ListingLines(HtmlTextLines(head_text)));
  }
  const std::vector<std::string> lines = SplitText(std::string(head_text), "\r\n");
  // A spreadsheet's table saved with tabs is no listing saved with tabs for blanks (the head's
  // last line may be cut short).
  const std::vector<std::string> whole_lines(lines.begin(), lines.end() - 1);
  return !IsTabSeparatedTable(whole_lines) && LooksLikeListing(ListingLines(lines));
}

}  // namespace quorvex2::detail
