#include "files/si_listing_html.h"

#include <algorithm>
#include <cctype>

#include "files/html_entities.h"
#include "quorvex2/core/text.h"

namespace quorvex2::detail::sportident {
namespace {

constexpr size_t kTabWidth = 8;

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

struct Tag {
  std::string name;  // lower case
  bool closing = false;
  size_t end = 0;  // just past the ">"
};

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
  tag.end = close + 1;
  return tag;
}

class PageText {
 public:
  explicit PageText(std::string_view html) : html_(html) {}

  std::vector<std::string> Lines() {
    while (pos_ < html_.size()) Step();
    EndLine();
    return std::move(lines_);
  }

 private:
  void Step() {
    const char c = html_[pos_];
    if (c == '<' && SkipMarkup()) return;
    if (c == '&' && AppendCharacterReference(html_, pos_, line_)) return;
    ++pos_;
    if (pre_ > 0) {
      PreformattedCharacter(c);
    } else if (IsSpace(c)) {
      if (!line_.empty() && line_.back() != ' ') line_ += ' ';
    } else {
      line_ += c;
    }
  }

  void PreformattedCharacter(char c) {
    if (c == '\r' || c == '\n') {
      if (c == '\r' && pos_ < html_.size() && html_[pos_] == '\n') ++pos_;
      EndLine();
    } else if (c == '\t') {
      line_.append(kTabWidth - line_.size() % kTabWidth, ' ');
    } else {
      line_ += c;
    }
  }

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
      pre_ = std::max(0, pre_ + (tag.closing ? -1 : 1));
      EndLine();
    } else if (tag.name == "br") {
      EndLine();
    } else if (pre_ == 0 && !tag.closing && OneOf(tag.name, {"td", "th"})) {
      line_ += "  ";
    } else if (pre_ == 0 && IsBlock(tag.name) && !Trim(line_).empty()) {
      EndLine();
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

  std::string_view html_;
  size_t pos_ = 0;
  int pre_ = 0;
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
