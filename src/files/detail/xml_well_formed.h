#pragma once
// One pass over an XML text that finds what the XML parser would let through although the text
// is no well-formed XML (it keeps "&foo;" and a bare "&" as text, allows control characters, a
// duplicated attribute, a "<" in a value and more than one root), and, on the way, the ranges of
// the elements a large document is read by (xml_parts.h).
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvex2::detail {

// Which elements are the parts: the children of the root named `name` or, when `within` is
// given, the children (of any name when `name` is empty) of the root's child named `within`.
// Names compare without a namespace prefix.
struct PartPlace {
  std::string_view within;
  std::string_view name;
};

// Where a part lies in the text: [begin, end); its name follows the "<" at begin.
struct ElementRange {
  size_t begin = 0;
  size_t end = 0;
  size_t name_length = 0;
};

// The first thing that makes the text no well-formed XML.
struct XmlFault {
  const char* what = nullptr;  // an untranslated text (TrNoop); "{name}" stands for `name`
  std::string name;
  size_t offset = 0;  // in the text scanned
};

// A reference to an entity the document type declares with a plain value, at [offset, offset +
// length) of the text.
struct EntityUse {
  size_t offset = 0;
  size_t length = 0;
  std::string_view value;
};

struct XmlScan {
  std::optional<XmlFault> fault;
  std::vector<EntityUse> expansions;  // in text order
  // Whether the text holds only what a part-by-part reading vouches for (xml_parts.h); the
  // parts are complete only then.
  bool plain = true;
  std::vector<ElementRange> parts;  // in document order
};

// An entity the document type declares with a plain value (text without markup or references)
// is listed where it is used, for the reader to put its value there; a reference to any other
// declared entity is a fault, as is one to an entity not declared at all. A text decoded to UTF-8
// before (`decoded`) may still declare the encoding it was written in.
XmlScan ScanXml(std::string_view text, PartPlace place, bool decoded);

}  // namespace quorvex2::detail
