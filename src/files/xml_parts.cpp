// Finding the parts of an XML document with a scan of its tags. The scan accepts a
// strict subset of what the XML parser accepts, so every part it cuts out parses on its own into
// exactly the elements the whole document holds:
//   an optional UTF-8 byte-order mark and an optional declaration at the very start (no encoding,
//   or UTF-8); comments and a document type without an internal subset before the root; then
//   one root element and nothing but blanks and comments around it;
//   start tags <name attr="value" ...> or <name .../>, end tags </name> matching their start;
//   names of ASCII letters, digits and "_:-."; quoted values without "<" or NUL;
//   text without NUL; comments.
// CDATA, document types with entity declarations, processing instructions and anything else
// are refused.
#include "files/detail/xml_parts.h"

#include <array>
#include <stdexcept>
#include <string>

#include "files/detail/xml_encoding.h"

namespace quorvex2::detail {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Character classes, looked up by byte: the scan reads every byte of files of many megabytes.
enum CharClass : unsigned char { kBlank = 1, kNameStart = 2, kNameChar = 4 };

constexpr std::array<unsigned char, 256> kClasses = [] {
  std::array<unsigned char, 256> classes{};
  for (const char c : {' ', '\t', '\r', '\n'}) classes[static_cast<unsigned char>(c)] = kBlank;
  for (int c = 0; c < 256; ++c) {
    const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':';
    const bool other = (c >= '0' && c <= '9') || c == '-' || c == '.';
    if (letter) classes[c] = kNameStart | kNameChar;
    if (other) classes[c] = kNameChar;
  }
  return classes;
}();

bool Is(char c, CharClass kind) {
  return (kClasses[static_cast<unsigned char>(c)] & kind) != 0;
}

bool IsBlank(char c) {
  return Is(c, kBlank);
}

bool IsNameStart(char c) {
  return Is(c, kNameStart);
}

bool IsNameChar(char c) {
  return Is(c, kNameChar);
}

// No encoding named, or UTF-8 (any other the parser would convert from).
bool NamesUtf8(const std::string& encoding) {
  return encoding.empty() || encoding == "UTF-8" || encoding == "UTF8";
}

// The name without a namespace prefix, as the reader compares names.
std::string_view BaseNameOf(std::string_view name) {
  const size_t colon = name.rfind(':');
  return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

class TagScanner {
 public:
  TagScanner(std::string_view text, PartPlace place, bool decoded)
      : text_(text), place_(place), decoded_(decoded) {}

  std::optional<std::vector<ElementRange>> Scan() {
    if (!SkipProlog()) return std::nullopt;
    while (at_ < text_.size()) {
      const char c = text_[at_];
      if (c == '<') {
        if (!Tag()) return std::nullopt;
      } else if (c == '\0' || (open_.empty() && !IsBlank(c))) {
        return std::nullopt;
      } else {
        ++at_;
      }
    }
    if (!root_seen_ || !open_.empty()) return std::nullopt;
    return std::move(parts_);
  }

 private:
  bool SkipProlog() {
    if (text_.substr(0, kByteOrderMark.size()) == kByteOrderMark) at_ = kByteOrderMark.size();
    if (!SkipDeclaration()) return false;
    for (;;) {
      SkipBlanks();
      if (text_.substr(at_, 4) == "<!--") {
        if (!SkipComment()) return false;
      } else if (text_.substr(at_, 9) == "<!DOCTYPE") {
        if (!SkipDocumentType()) return false;
      } else {
        return true;
      }
    }
  }

  bool SkipDeclaration() {
    if (text_.substr(at_, 6) != "<?xml " && text_.substr(at_, 6) != "<?xml\t") return true;
    const size_t end = text_.find("?>", at_);
    if (end == std::string_view::npos) return false;
    const std::string_view body = text_.substr(at_ + 5, end - at_ - 5);
    at_ = end + 2;
    return body.find('<') == std::string_view::npos &&
           (decoded_ || NamesUtf8(DeclaredEncoding(text_)));
  }

  // A document type naming an external definition only; its quoted literals are skipped whole.
  // An internal subset (entities declared in the document) or a "<" or ">" in a literal makes
  // the scan refuse.
  bool SkipDocumentType() {
    for (size_t i = at_ + 9; i < text_.size(); ++i) {
      const char c = text_[i];
      if (c == '>') {
        at_ = i + 1;
        return true;
      }
      if (c == '[' || c == '<') return false;
      if (c == '"' || c == '\'') {
        const size_t close = text_.find(c, i + 1);
        if (close == std::string_view::npos ||
            text_.substr(i + 1, close - i - 1).find_first_of("<>") != std::string_view::npos) {
          return false;
        }
        i = close;
      }
    }
    return false;
  }

  bool SkipComment() {
    const size_t end = text_.find("-->", at_ + 4);
    if (end == std::string_view::npos) return false;
    at_ = end + 3;
    return true;
  }

  bool Tag() {
    if (at_ + 1 >= text_.size()) return false;
    if (text_[at_ + 1] == '/') return EndTag();
    if (text_.substr(at_, 4) == "<!--") return SkipComment();
    if (!IsNameStart(text_[at_ + 1])) return false;  // "<!", "<?" and the like
    if (root_seen_ && open_.empty()) return false;   // a second root
    return StartTag();
  }

  // Whether an element of this name, opened where the scan stands, is a part.
  bool IsPart(std::string_view name) const {
    if (!place_.name.empty() && BaseNameOf(name) != place_.name) return false;
    if (place_.within.empty()) return open_.size() == 1;
    return open_.size() == 2 && BaseNameOf(open_[1]) == place_.within;
  }

  bool StartTag() {
    const size_t begin = at_++;
    const std::string_view name = Name();
    const bool is_part = IsPart(name);
    for (;;) {
      const bool blank = SkipBlanks();
      if (at_ >= text_.size()) return false;
      if (text_[at_] == '>') {
        ++at_;
        break;
      }
      if (text_[at_] == '/') {
        if (text_.substr(at_, 2) != "/>") return false;
        at_ += 2;
        if (is_part) parts_.push_back({begin, at_, name.size()});
        root_seen_ = true;
        return true;
      }
      if (!blank || !Attribute()) return false;
    }
    if (is_part) part_ = {begin, 0, name.size()};
    open_.push_back(name);
    root_seen_ = true;
    return true;
  }

  bool EndTag() {
    at_ += 2;
    const std::string_view name = Name();
    SkipBlanks();
    if (open_.empty() || name != open_.back() || at_ >= text_.size() || text_[at_] != '>') {
      return false;
    }
    ++at_;
    open_.pop_back();
    if (open_.size() == PartDepth() && part_.name_length != 0) {
      part_.end = at_;
      parts_.push_back(part_);
      part_ = {};
    }
    return true;
  }

  // name = "value" or name='value'.
  bool Attribute() {
    if (!IsNameStart(text_[at_])) return false;
    Name();
    SkipBlanks();
    if (at_ >= text_.size() || text_[at_] != '=') return false;
    ++at_;
    SkipBlanks();
    if (at_ >= text_.size() || (text_[at_] != '"' && text_[at_] != '\'')) return false;
    const char quote = text_[at_++];
    for (; at_ < text_.size() && text_[at_] != quote; ++at_) {
      if (text_[at_] == '<' || text_[at_] == '\0') return false;
    }
    if (at_ >= text_.size()) return false;
    ++at_;
    return true;
  }

  std::string_view Name() {
    const size_t begin = at_;
    while (at_ < text_.size() && IsNameChar(text_[at_])) ++at_;
    return text_.substr(begin, at_ - begin);
  }

  bool SkipBlanks() {
    const size_t begin = at_;
    while (at_ < text_.size() && IsBlank(text_[at_])) ++at_;
    return at_ > begin;
  }

  // The number of elements open around a part.
  size_t PartDepth() const { return place_.within.empty() ? 1 : 2; }

  std::string_view text_;
  PartPlace place_;
  bool decoded_;
  size_t at_ = 0;
  std::vector<std::string_view> open_;
  bool root_seen_ = false;
  ElementRange part_;  // the part open now; name_length 0 outside one
  std::vector<ElementRange> parts_;
};

}  // namespace

std::optional<XmlParts> SplitXmlParts(std::string_view text, PartPlace place, bool decoded) {
  std::optional<std::vector<ElementRange>> parts = TagScanner(text, place, decoded).Scan();
  if (!parts) return std::nullopt;
  XmlParts split;
  size_t copied = 0;
  for (const ElementRange& part : *parts) {
    split.frame.append(text.substr(copied, part.begin - copied));
    split.frame.append(text.substr(part.begin, part.name_length + 1)).append("/>");
    copied = part.end;
  }
  split.frame.append(text.substr(copied));
  split.parts = std::move(*parts);
  return split;
}

pugi::xml_node XmlPartReader::Next() {
  if (next_ >= parts_.size()) throw std::logic_error("More placeholders than parts");
  return Parse(parts_[next_++]);
}

pugi::xml_node XmlPartReader::Peek() {
  return next_ < parts_.size() ? Parse(parts_[next_]) : pugi::xml_node();
}

pugi::xml_node XmlPartReader::Parse(const ElementRange& part) {
  const pugi::xml_parse_result parsed = document_.load_buffer(
      text_.data() + part.begin, part.end - part.begin, pugi::parse_default, pugi::encoding_utf8);
  if (!parsed) throw std::runtime_error(std::string("XML error: ") + parsed.description());
  return document_.document_element();
}

}  // namespace quorvex2::detail
