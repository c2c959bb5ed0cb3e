#include "files/si_listing_html.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <optional>

#include "files/html_entities.h"
#include "files/html_table_grid.h"
#include "files/si_listing_captions.h"
#include "files/si_listing_tokens.h"
#include "quorvex2/core/text.h"

namespace quorvex2::detail::sportident {
namespace {

std::string Lower(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Where the needle starts at or after from, letter case ignored; npos when nowhere.
size_t FindNoCase(std::string_view text, std::string_view needle, size_t from) {
  const auto same = [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) ==
           std::tolower(static_cast<unsigned char>(b));
  };
  const auto at = std::search(text.begin() + static_cast<ptrdiff_t>(from), text.end(),
                              needle.begin(), needle.end(), same);
  return at == text.end() ? std::string_view::npos : static_cast<size_t>(at - text.begin());
}

bool OneOf(const std::string& name, std::initializer_list<std::string_view> names) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// A head cell that prints a control's number apart from its code ("1<br>(31)", "1 (31)") holds
// the one item "1(31)", as head rows that print it in one word do.
void JoinControlItem(GridCell& cell) {
  if (cell.lines.size() > 2) return;
  Token joined;
  for (const std::string& line : cell.lines) joined.text += line;
  std::erase(joined.text, ' ');
  if (joined.text.find('(') == std::string::npos || joined.text == cell.lines.front()) return;
  std::vector<ControlItem> items;
  if (ReadControlItems(joined, items) && items.size() == 1) cell.lines = {joined.text};
}

// The row's cells as one line of words.
std::vector<Token> RowTokens(const GridRow& row) {
  std::string line;
  for (const GridCell& cell : row) line += "  " + cell.lines.front();
  return Tokenize(line, ColumnWidths::kOnePerCharacter);
}

bool HasControlItem(const GridRow& row) {
  std::vector<ControlItem> items;
  return std::any_of(row.begin(), row.end(), [&items](const GridCell& cell) {
    return std::any_of(cell.lines.begin(), cell.lines.end(), [&items](const std::string& line) {
      Token token;
      token.text = Trim(line);
      return ReadControlItems(token, items);
    });
  });
}

// A row of the column captions alone ("Pl  Stno  Name  Time").
bool IsCaptionRow(const GridRow& row) {
  const std::optional<Captions> captions = ReadCaptions(RowTokens(row));
  return captions && captions->time_end > 0 && !HasControlItem(row);
}

struct Tag {
  std::string name;  // lower case
  bool closing = false;
  std::string attributes;  // the text between the name and the ">"
  size_t end = 0;          // just past the ">"
};

// The whole number of an attribute ("colspan=3", "colspan=\"3\""), at most 1000; 1 when it
// has none.
int32_t Attribute(const std::string& attributes, std::string_view name) {
  const std::string lower = Lower(attributes);
  const size_t at = lower.find(name);
  if (at == std::string::npos) return 1;
  const size_t from = std::min(lower.size(), lower.find_first_not_of(" \t=\"'", at + name.size()));
  int32_t value = 1;
  std::from_chars(lower.data() + from, lower.data() + lower.size(), value);
  return std::clamp(value, 1, 1000);
}

// The tag at text[pos] ("<pre ...>", "</font>"); an empty name when "<" starts no tag.
Tag ReadTag(std::string_view text, size_t pos) {
  Tag tag;
  size_t at = pos + 1;
  tag.closing = at < text.size() && text[at] == '/';
  if (tag.closing) ++at;
  const size_t name_end =
      std::find_if(text.begin() + static_cast<ptrdiff_t>(at), text.end(),
                   [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }) -
      text.begin();
  const size_t close = text.find('>', name_end);
  if (name_end == at || !std::isalpha(static_cast<unsigned char>(text[at])) ||
      close == std::string_view::npos) {
    return tag;
  }
  tag.name = Lower(text.substr(at, name_end - at));
  tag.attributes = text.substr(name_end, close - name_end);
  tag.end = close + 1;
  return tag;
}

class PageText {
 public:
  explicit PageText(std::string_view html) : html_(html) {}

  std::vector<std::string> Lines() {
    while (pos_ < html_.size()) Step();
    if (tables_ > 0) EndTable();
    EndLine();
    return std::move(lines_);
  }

 private:
  void Step() {
    const char c = html_[pos_];
    if (c == '<' && SkipMarkup()) return;
    std::string character;
    if (c == '&' && AppendCharacterReference(html_, pos_, character)) {
      for (const char b : character) InCells() ? CellCharacter(b) : line_.push_back(b);
      return;
    }
    ++pos_;
    if (c == '\r' && pre_ > 0 && pos_ < html_.size() && html_[pos_] == '\n') {
      ++pos_;
    }
    Text(c);
  }

  // In a table's cells, but not in a listing in <pre> that a cell holds.
  bool InCells() const { return tables_ > 0 && pre_ == 0; }

  void Text(char c) {
    if (pre_ > 0) {
      PreformattedCharacter(c);
    } else if (tables_ > 0) {
      CellCharacter(c);
    } else if (IsSpace(c)) {
      if (!line_.empty() && line_.back() != ' ') line_ += ' ';
    } else {
      line_ += c;
    }
  }

  void PreformattedCharacter(char c) {
    if (c == '\r' || c == '\n') {
      EndLine();
    } else {
      line_ += c;
    }
  }

  // Text in a table goes to its cell; outside the cells only words count (they open one).
  void CellCharacter(char c) {
    if (IsSpace(c)) {
      if (cell_ && !Cell().empty() && Cell().back() != ' ') Cell() += ' ';
      return;
    }
    if (!cell_) OpenCell(1);
    Cell() += c;
  }

  std::string& Cell() { return rows_.back().back().lines.back(); }

  // Comments, declarations and tags; false for a "<" that is text.
  bool SkipMarkup() {
    if (html_.compare(pos_, 4, "<!--") == 0) return SkipPast("-->");
    if (pos_ + 1 < html_.size() && (html_[pos_ + 1] == '!' || html_[pos_ + 1] == '?')) {
      return SkipPast(">");
    }
    const Tag tag = ReadTag(html_, pos_);
    if (tag.name.empty()) return false;
    pos_ = tag.end;
    Apply(tag);
    return true;
  }

  bool SkipPast(std::string_view end) {
    const size_t at = html_.find(end, pos_);
    pos_ = at == std::string_view::npos ? html_.size() : at + end.size();
    return true;
  }

  void Apply(const Tag& tag) {
    if (!tag.closing && OneOf(tag.name, {"title", "script", "style"})) {
      const size_t close = FindNoCase(html_, "</" + tag.name, pos_);
      pos_ = close == std::string_view::npos ? html_.size() : close;
    } else if (tag.name == "pre") {
      if (InCells() && !tag.closing) LayOutRows();
      pre_ = std::max(0, pre_ + (tag.closing ? -1 : 1));
      EndLine();
    } else if (pre_ > 0) {
      if (tag.name == "br") EndLine();
    } else if (tables_ > 0 || (tag.name == "table" && !tag.closing)) {
      ApplyInTable(tag);
    } else if (tag.name == "br") {
      EndLine();
    } else if (pre_ == 0 && IsBlock(tag.name) && !Trim(line_).empty()) {
      EndLine();
    }
  }

  // Rows and cells of the outermost table; a table within a cell is text of that cell, its rows
  // lines of it.
  void ApplyInTable(const Tag& tag) {
    if (tag.name == "table") {
      tag.closing ? --tables_ : ++tables_;
      if (tables_ == 1 && !tag.closing) {
        if (!Trim(line_).empty()) EndLine();
        line_.clear();
      }
      if (tables_ == 0) EndTable();
      if (tables_ > 1 || (tag.closing && tables_ == 1)) BreakCellLine();
    } else if (tables_ > 1) {
      if (OneOf(tag.name, {"td", "th"}) && !tag.closing && cell_) Cell() += "  ";
      if (tag.name == "tr" || tag.name == "br" || IsBlock(tag.name)) BreakCellLine();
    } else if (tag.name == "tr" || tag.name == "caption") {
      cell_ = false;
      row_open_ = false;
      if (tag.name == "caption" && !tag.closing) OpenCell(kWholeRow);
      if (tag.name == "tr" && !tag.closing) OpenRow();
    } else if (tag.name == "td" || tag.name == "th") {
      cell_ = false;
      if (!tag.closing) OpenCell(Attribute(tag.attributes, "colspan"));
    } else if (tag.name == "br" || IsBlock(tag.name)) {
      BreakCellLine();
    }
  }

  void OpenRow() {
    rows_.emplace_back();
    row_open_ = true;
  }

  void OpenCell(int32_t span) {
    if (!row_open_) OpenRow();
    rows_.back().push_back(GridCell{{std::string()}, span});
    cell_ = true;
  }

  // A line break in the open cell (none before its first words).
  void BreakCellLine() {
    if (cell_ && !Trim(Cell()).empty()) rows_.back().back().lines.emplace_back();
  }

  void EndTable() {
    LayOutRows();
    tables_ = 0;
  }

  // The rows read so far become lines (before a <pre> in a cell, and at the table's end).
  void LayOutRows() {
    if (!Trim(line_).empty()) EndLine();
    line_.clear();
    for (GridRow& row : rows_) std::for_each(row.begin(), row.end(), JoinControlItem);
    TakeCaptionRow();
    for (std::string& line : LayOutTable(rows_)) lines_.push_back(std::move(line));
    rows_.clear();
    cell_ = row_open_ = false;
  }

  // A page may print the captions once, in the table of its first class: a later table of
  // controls without a caption row of its own gets that row, so that the captions stand over
  // its columns.
  void TakeCaptionRow() {
    const auto own = std::find_if(rows_.begin(), rows_.end(), IsCaptionRow);
    if (own != rows_.end()) {
      caption_row_ = *own;
    } else if (caption_row_ && std::any_of(rows_.begin(), rows_.end(), HasControlItem)) {
      rows_.insert(rows_.begin(), *caption_row_);
    }
  }

  static bool IsBlock(const std::string& name) {
    return OneOf(name, {"p",      "div",  "tr",   "table",   "tbody",      "thead", "tfoot",
                        "h1",     "h2",   "h3",   "h4",      "h5",         "h6",    "hr",
                        "li",     "ul",   "ol",   "dl",      "dt",         "dd",    "caption",
                        "center", "body", "form", "address", "blockquote", "html"});
  }

  void EndLine() {
    lines_.push_back(std::move(line_));
    line_.clear();
  }

  static constexpr int32_t kWholeRow = 1000;  // a caption's span: it takes no column's width

  std::string_view html_;
  size_t pos_ = 0;
  int pre_ = 0;
  int tables_ = 0;         // the depth of tables the reader is in
  bool row_open_ = false;  // cells go to the last row
  bool cell_ = false;      // text goes to the last cell
  std::vector<GridRow> rows_;
  std::optional<GridRow> caption_row_;  // the last table's row of captions
  std::string line_;
  std::vector<std::string> lines_;
};

}  // namespace

bool LooksLikeHtml(std::string_view text) {
  const std::string head = Lower(text.substr(0, 4096));
  for (const char* tag : {"<html", "<body", "<pre", "<table", "<!doctype html"}) {
    if (head.find(tag) != std::string::npos) return true;
  }
  return false;
}

std::vector<std::string> HtmlTextLines(std::string_view html) {
  return PageText(html).Lines();
}

}  // namespace quorvex2::detail::sportident
