// The well-formedness scan of an XML text, one pass over its markup. It checks what the XML
// parser does not: references (only the five predefined entities and character references of
// characters XML allows), characters (no control character but tab, line feed and carriage
// return), no duplicated attribute in a tag, no "<" in a value, one root element and nothing but
// blanks, comments and instructions around it. It does not check what the parser refuses itself
// (it may stop there with a fault of its own, which the parser's error then replaces) nor the
// finer points readers never meet ("--" in a comment, the characters of names).
//
// A plain text, which a part-by-part reading vouches for, is a strict subset: an optional UTF-8
// byte-order mark and declaration (no encoding or UTF-8, unless the text was decoded before) at
// the very start; comments, and a document type without an internal subset or a "<" or ">" in
// its literals; start tags, end tags and attributes with names of ASCII characters; text.
// CDATA sections, internal subsets and processing instructions are well-formed, but not plain.
#include "files/detail/xml_well_formed.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>

#include "core/detail/catalogue.h"
#include "files/detail/xml_encoding.h"

namespace quorvex2::detail {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// What the parser says of these itself, in its words.
constexpr const char* kNoRoot = TrNoop("ルート要素がありません");
constexpr const char* kBadTag = TrNoop("タグの種類がわかりません");
constexpr const char* kBadInstruction = TrNoop("XML 宣言か処理命令が正しくありません");
constexpr const char* kBadComment = TrNoop("コメントが正しくありません");
constexpr const char* kBadCdata = TrNoop("CDATA セクションが正しくありません");
constexpr const char* kBadDocType = TrNoop("文書型宣言が正しくありません");
constexpr const char* kBadStartTag = TrNoop("開始タグが正しくありません");
constexpr const char* kBadAttribute = TrNoop("属性が正しくありません");
constexpr const char* kBadEndTag = TrNoop("終了タグが正しくありません");
constexpr const char* kMismatch = TrNoop("開始タグと終了タグが対応していません");
// What it lets through.
constexpr const char* kBareAmpersand =
    TrNoop("「&」のあとに参照がありません (「&」そのものは &amp; と書きます)");
constexpr const char* kUndeclaredEntity = TrNoop("宣言されていない実体 &{name}; を参照しています");
constexpr const char* kDeclaredEntity = TrNoop(
    "文書型宣言の中で宣言された実体 &{name}; を参照しています "
    "(値が文字だけの実体のほかは読みません)");
constexpr const char* kBadCharacterReference = TrNoop("文字参照 {name} が正しくありません");
constexpr const char* kForbiddenCharacter = TrNoop("XML で使えない文字 {name} があります");
constexpr const char* kDuplicateAttribute = TrNoop("一つのタグに属性 {name} が 2 度あります");
constexpr const char* kSecondRoot = TrNoop("ルート要素のあとに別の要素があります");
constexpr const char* kTextOutsideRoot = TrNoop("ルート要素の外に文字があります");
constexpr const char* kLessThanInValue = TrNoop("属性値の中に「<」があります");

// Character classes, looked up by byte: the scan reads every byte of files of many megabytes.
enum CharClass : unsigned char {
  kBlank = 1,
  kNameStart = 2,
  kNameChar = 4,
  kForbidden = 8,   // a control character XML does not allow
  kTextStop = 16,   // ends a run of text: "<", "&" or a forbidden character
  kValueStop = 32,  // ends a run of a value: the same, or a quote
};

constexpr std::array<unsigned char, 256> kClasses = [] {
  std::array<unsigned char, 256> classes{};
  for (const char c : {' ', '\t', '\r', '\n'}) classes[static_cast<unsigned char>(c)] = kBlank;
  for (int c = 0; c < 256; ++c) {
    const bool start =
        (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':' || c >= 0x80;
    const bool other = (c >= '0' && c <= '9') || c == '-' || c == '.';
    if (start) classes[c] = kNameStart | kNameChar;
    if (other) classes[c] = kNameChar;
    if (c < 0x20 && classes[c] != kBlank) classes[c] = kForbidden | kTextStop | kValueStop;
  }
  for (const char c : {'<', '&'}) classes[static_cast<unsigned char>(c)] = kTextStop | kValueStop;
  for (const char c : {'"', '\''}) classes[static_cast<unsigned char>(c)] = kValueStop;
  return classes;
}();

bool Is(char c, CharClass kind) {
  return (kClasses[static_cast<unsigned char>(c)] & kind) != 0;
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

bool IsXmlCharacter(uint32_t code) {
  return code == 0x9 || code == 0xA || code == 0xD || (code >= 0x20 && code <= 0xD7FF) ||
         (code >= 0xE000 && code <= 0xFFFD) || (code >= 0x10000 && code <= 0x10FFFF);
}

int DigitValue(char c, bool hex) {
  if (c >= '0' && c <= '9') return c - '0';
  if (hex && c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (hex && c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsPredefinedEntity(std::string_view name) {
  return name == "amp" || name == "lt" || name == "gt" || name == "quot" || name == "apos";
}

class Scanner {
 public:
  Scanner(std::string_view text, PartPlace place, bool decoded)
      : text_(text), place_(place), decoded_(decoded) {}

  XmlScan Scan() {
    Run();
    return std::move(scan_);
  }

 private:
  void Run() {
    if (text_.starts_with(kByteOrderMark)) at_ = kByteOrderMark.size();
    if (!Declaration()) return;
    while (at_ < text_.size()) {
      if (text_[at_] == '<' ? !Markup() : !Text()) return;
    }
    if (!open_.empty()) {
      Fail(kMismatch, at_);
    } else if (!root_seen_) {
      Fail(kNoRoot, at_);
    }
  }

  bool Fail(const char* what, size_t offset, std::string name = {}) {
    scan_.fault = XmlFault{what, std::move(name), offset};
    return false;
  }

  bool Forbidden(size_t at) {
    char code[8];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned char>(text_[at]));
    return Fail(kForbiddenCharacter, at, code);
  }

  // No forbidden character in [begin, end).
  bool CheckCharacters(size_t begin, size_t end) {
    for (size_t i = begin; i < end; ++i) {
      if (Is(text_[i], kForbidden)) return Forbidden(i);
    }
    return true;
  }

  bool StartsWith(std::string_view prefix) const {
    return text_.substr(at_, prefix.size()) == prefix;
  }

  // The declaration, at the start; blanks before it, which the parser allows, make the text no
  // plain one.
  bool Declaration() {
    const size_t start = at_;
    SkipBlanks();
    if (!StartsWith("<?xml") || at_ + 5 >= text_.size() ||
        !(Is(text_[at_ + 5], kBlank) || text_[at_ + 5] == '?')) {
      at_ = start;
      return true;
    }
    if (at_ > start) scan_.plain = false;
    const size_t end = text_.find("?>", at_);
    if (end == std::string_view::npos) return Fail(kBadInstruction, at_);
    if (!CheckCharacters(at_, end)) return false;
    const std::string_view body = text_.substr(at_ + 5, end - at_ - 5);
    if (body.find('<') != std::string_view::npos ||
        !(decoded_ || NamesUtf8(DeclaredEncoding(text_)))) {
      scan_.plain = false;
    }
    at_ = end + 2;
    return true;
  }

  bool Markup() {
    if (StartsWith("</")) return EndTag();
    if (StartsWith("<!--")) return Skip("-->", kBadComment);
    if (StartsWith("<?")) return Instruction();
    if (StartsWith("<![CDATA[")) {
      scan_.plain = false;
      return open_.empty() ? Fail(kBadCdata, at_) : Skip("]]>", kBadCdata);
    }
    if (StartsWith("<!DOCTYPE")) {
      return root_seen_ || doctype_seen_ ? Fail(kBadDocType, at_) : DocumentType();
    }
    if (at_ + 1 >= text_.size() || !Is(text_[at_ + 1], kNameStart)) return Fail(kBadTag, at_);
    if (root_seen_ && open_.empty()) return Fail(kSecondRoot, at_);
    return StartTag();
  }

  // A comment or CDATA section up to its end mark.
  bool Skip(std::string_view end_mark, const char* fault) {
    const size_t end = text_.find(end_mark, at_ + 4);
    if (end == std::string_view::npos) return Fail(fault, at_);
    if (!CheckCharacters(at_, end)) return false;
    at_ = end + end_mark.size();
    return true;
  }

  bool Instruction() {
    scan_.plain = false;
    if (at_ + 2 >= text_.size() || !Is(text_[at_ + 2], kNameStart)) {
      return Fail(kBadInstruction, at_);
    }
    // The declaration stands only at the start (a later one is another document's).
    const std::string_view target = text_.substr(at_ + 2, 4);
    if (target.size() == 4 && (target[0] | 0x20) == 'x' && (target[1] | 0x20) == 'm' &&
        (target[2] | 0x20) == 'l' && (Is(target[3], kBlank) || target[3] == '?')) {
      return Fail(kBadInstruction, at_);
    }
    const size_t end = text_.find("?>", at_ + 2);
    if (end == std::string_view::npos) return Fail(kBadInstruction, at_);
    if (!CheckCharacters(at_, end)) return false;
    at_ = end + 2;
    return true;
  }

  // Blanks around the root; text, references and the end of the text inside it.
  bool Text() {
    if (open_.empty()) {
      while (at_ < text_.size() && Is(text_[at_], kBlank)) ++at_;
      if (at_ >= text_.size() || text_[at_] == '<') return true;
      return Is(text_[at_], kForbidden) ? Forbidden(at_) : Fail(kTextOutsideRoot, at_);
    }
    for (;;) {
      while (at_ < text_.size() && !Is(text_[at_], kTextStop)) ++at_;
      if (at_ >= text_.size() || text_[at_] == '<') return true;
      if (text_[at_] != '&') return Forbidden(at_);
      if (!Reference()) return false;
    }
  }

  // "&name;" of a predefined entity, "&#digits;" or "&#xhex;".
  bool Reference() {
    const size_t begin = at_++;
    if (at_ < text_.size() && text_[at_] == '#') return CharacterReference(begin);
    const std::string_view name = Name();
    if (name.empty() || !Is(name[0], kNameStart) || at_ >= text_.size() || text_[at_] != ';') {
      return Fail(kBareAmpersand, begin);
    }
    ++at_;
    if (IsPredefinedEntity(name)) return true;
    const auto declared = std::find_if(entities_.begin(), entities_.end(),
                                       [name](const auto& entity) { return entity.first == name; });
    if (declared == entities_.end()) return Fail(kUndeclaredEntity, begin, std::string(name));
    if (!declared->second) return Fail(kDeclaredEntity, begin, std::string(name));
    scan_.plain = false;
    scan_.expansions.push_back({begin, at_ - begin, *declared->second});
    return true;
  }

  bool CharacterReference(size_t begin) {
    const bool hex = ++at_ < text_.size() && text_[at_] == 'x';
    if (hex) ++at_;
    const size_t digits = at_;
    uint32_t code = 0;
    for (int digit; at_ < text_.size() && (digit = DigitValue(text_[at_], hex)) >= 0; ++at_) {
      code = std::min<uint32_t>(code * (hex ? 16 : 10) + static_cast<uint32_t>(digit), 0x110000);
    }
    if (at_ > digits && at_ < text_.size() && text_[at_] == ';') {
      ++at_;
      return IsXmlCharacter(code) || Fail(kForbiddenCharacter, begin, Written(begin, at_));
    }
    // What was meant, to its ";" when that is near.
    const size_t semicolon = text_.find(';', at_);
    const size_t end = semicolon - begin < 16 ? semicolon + 1 : at_;
    return Fail(kBadCharacterReference, begin, Written(begin, end));
  }

  std::string Written(size_t begin, size_t end) const {
    return std::string(text_.substr(begin, end - begin));
  }

  std::string_view Name() {
    const size_t begin = at_;
    unsigned char bits = 0;
    for (; at_ < text_.size() && Is(text_[at_], kNameChar); ++at_) {
      bits |= static_cast<unsigned char>(text_[at_]);
    }
    if (bits & 0x80) scan_.plain = false;
    return text_.substr(begin, at_ - begin);
  }

  bool SkipBlanks() {
    const size_t begin = at_;
    while (at_ < text_.size() && Is(text_[at_], kBlank)) ++at_;
    return at_ > begin;
  }

  // A quoted literal of a document type; a "<" or ">" in it makes the text no plain one.
  bool Literal() {
    const size_t close = text_.find(text_[at_], at_ + 1);
    if (close == std::string_view::npos) return Fail(kBadDocType, at_);
    if (!CheckCharacters(at_, close)) return false;
    if (text_.substr(at_, close - at_).find_first_of("<>") != std::string_view::npos) {
      scan_.plain = false;
    }
    at_ = close + 1;
    return true;
  }

  // Skips to the ">" that closes the declaration opened at `begin`, its literals whole; `other`
  // reads any other character where the scan stands (false when it found a fault).
  template <class Other>
  bool DeclarationEnd(size_t begin, Other other) {
    while (at_ < text_.size()) {
      const char c = text_[at_];
      if (c == '>') {
        ++at_;
        return true;
      }
      if (!(c == '"' || c == '\'' ? Literal() : other(c))) return false;
    }
    return Fail(kBadDocType, begin);
  }

  bool DocumentType() {
    doctype_seen_ = true;
    const size_t begin = at_;
    at_ += 9;
    return DeclarationEnd(begin, [this](char c) {
      if (c == '[') {
        scan_.plain = false;
        ++at_;
        return InternalSubset();
      }
      if (!Is(c, kBlank) && !Is(c, kNameChar)) return Fail(kBadDocType, at_);
      ++at_;
      return true;
    });
  }

  // Markup declarations, comments, instructions and parameter-entity references up to "]".
  bool InternalSubset() {
    while (at_ < text_.size()) {
      const char c = text_[at_];
      if (c == ']') {
        ++at_;
        return true;
      }
      bool read = true;
      if (Is(c, kBlank)) {
        ++at_;
      } else if (StartsWith("<!--")) {
        read = Skip("-->", kBadComment);
      } else if (StartsWith("<?")) {
        read = Instruction();
      } else if (StartsWith("<!")) {
        read = MarkupDeclaration();
      } else if (c == '%') {
        ++at_;
        read = !Name().empty() && at_ < text_.size() && text_[at_++] == ';';
        if (!read) return Fail(kBadDocType, at_ - 1);
      } else {
        return Fail(kBadDocType, at_);
      }
      if (!read) return false;
    }
    return Fail(kBadDocType, at_);
  }

  // An element, attribute-list, entity or notation declaration, skipped to its ">" with its
  // literals whole; the names of the general entities declared are kept.
  bool MarkupDeclaration() {
    const size_t begin = at_;
    if (StartsWith("<!ENTITY")) {
      at_ += 8;
      SkipBlanks();
      if (at_ < text_.size() && text_[at_] != '%') {
        const std::string_view name = Name();
        SkipBlanks();
        entities_.emplace_back(name, PlainValue());
      }
    } else {
      at_ += 2;
    }
    return DeclarationEnd(begin, [this](char c) {
      if (Is(c, kForbidden)) return Forbidden(at_);
      ++at_;
      return true;
    });
  }

  // The value of an internal entity whose literal holds text alone (no markup, no reference),
  // which the reader puts in place of its references; none for any other.
  std::optional<std::string_view> PlainValue() const {
    if (at_ >= text_.size() || (text_[at_] != '"' && text_[at_] != '\'')) return std::nullopt;
    const size_t close = text_.find(text_[at_], at_ + 1);
    if (close == std::string_view::npos) return std::nullopt;
    const std::string_view value = text_.substr(at_ + 1, close - at_ - 1);
    if (value.find_first_of("<&%") != std::string_view::npos) return std::nullopt;
    return value;
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
    attributes_.clear();
    for (;;) {
      const bool blank = SkipBlanks();
      if (at_ >= text_.size()) return Fail(kBadStartTag, begin);
      if (text_[at_] == '>') {
        ++at_;
        break;
      }
      if (text_[at_] == '/') {
        if (at_ + 1 >= text_.size() || text_[at_ + 1] != '>') return Fail(kBadStartTag, at_);
        at_ += 2;
        if (is_part) scan_.parts.push_back({begin, at_, name.size()});
        root_seen_ = true;
        return true;
      }
      if (!blank) return Fail(kBadStartTag, at_);
      if (!Attribute()) return false;
    }
    if (is_part) part_ = {begin, 0, name.size()};
    open_.push_back(name);
    root_seen_ = true;
    return true;
  }

  // name = "value" or name='value'.
  bool Attribute() {
    const size_t begin = at_;
    if (!Is(text_[at_], kNameStart)) return Fail(kBadAttribute, at_);
    const std::string_view name = Name();
    if (std::find(attributes_.begin(), attributes_.end(), name) != attributes_.end()) {
      return Fail(kDuplicateAttribute, begin, std::string(name));
    }
    attributes_.push_back(name);
    SkipBlanks();
    if (at_ >= text_.size() || text_[at_] != '=') return Fail(kBadAttribute, at_);
    ++at_;
    SkipBlanks();
    if (at_ >= text_.size() || (text_[at_] != '"' && text_[at_] != '\'')) {
      return Fail(kBadAttribute, at_);
    }
    return Value(text_[at_++], begin);
  }

  bool Value(char quote, size_t attribute) {
    for (;;) {
      while (at_ < text_.size() && !Is(text_[at_], kValueStop)) ++at_;
      if (at_ >= text_.size()) return Fail(kBadAttribute, attribute);
      const char c = text_[at_];
      if (c == quote) {
        ++at_;
        return true;
      }
      if (c == '<') return Fail(kLessThanInValue, at_);
      if (Is(c, kForbidden)) return Forbidden(at_);
      if (c == '&') {
        if (!Reference()) return false;
      } else {
        ++at_;  // the other quote
      }
    }
  }

  bool EndTag() {
    const size_t begin = at_;
    at_ += 2;
    const std::string_view name = Name();
    SkipBlanks();
    if (at_ >= text_.size() || text_[at_] != '>') return Fail(kBadEndTag, at_);
    if (open_.empty() || name != open_.back()) return Fail(kMismatch, begin);
    ++at_;
    open_.pop_back();
    if (open_.size() == PartDepth() && part_.name_length != 0) {
      part_.end = at_;
      scan_.parts.push_back(part_);
      part_ = {};
    }
    return true;
  }

  // The number of elements open around a part.
  size_t PartDepth() const { return place_.within.empty() ? 1 : 2; }

  std::string_view text_;
  PartPlace place_;
  bool decoded_;
  size_t at_ = 0;
  std::vector<std::string_view> open_;
  std::vector<std::string_view> attributes_;  // of the start tag read now
  // The general entities the document type declares, with their plain values.
  std::vector<std::pair<std::string_view, std::optional<std::string_view>>> entities_;
  bool root_seen_ = false;
  bool doctype_seen_ = false;
  ElementRange part_;  // the part open now; name_length 0 outside one
  XmlScan scan_;
};

}  // namespace

XmlScan ScanXml(std::string_view text, PartPlace place, bool decoded) {
  // A closing Ctrl-Z, the end-of-file mark of old DOS tools, is no part of the text.
  while (text.ends_with('\x1A')) text.remove_suffix(1);
  return Scanner(text, place, decoded).Scan();
}

}  // namespace quorvex2::detail
