#pragma once
// A large XML document read part by part: a scan of the text finds the elements that make up
// most of it (the classes), so the reader parses the small rest of the document (the frame)
// once and each part on its own when it reaches the part's placeholder, and never holds the
// element tree of the whole file. The scan vouches only for plain UTF-8 documents; anything it
// does not know (CDATA, entity declarations, processing instructions, another encoding,
// non-ASCII names, a stray "<") sends the reader to the whole-document parse.
#include <pugixml.hpp>

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

struct XmlParts {
  // The document with each part replaced, in place, by an empty element of the part's name.
  std::string frame;
  std::vector<ElementRange> parts;  // in document order, one per placeholder
};

// The parts of a well-formed plain document; nothing when the scan cannot vouch for the text.
// A text decoded to UTF-8 before (`decoded`) may still declare the encoding it was written in.
std::optional<XmlParts> SplitXmlParts(std::string_view text, PartPlace place, bool decoded = false);

// The parts of a split document, each parsed when the reader reaches its placeholder; the one
// before is freed. The text must outlive the reader.
class XmlPartReader {
 public:
  XmlPartReader(std::string_view text, std::vector<ElementRange> parts)
      : text_(text), parts_(std::move(parts)) {}

  // The next part's element; throws when there is none or it does not parse.
  pugi::xml_node Next();
  // The element Next will give, without moving on; an empty handle when there is none.
  pugi::xml_node Peek();

 private:
  pugi::xml_node Parse(const ElementRange& part);

  std::string_view text_;
  std::vector<ElementRange> parts_;
  size_t next_ = 0;
  pugi::xml_document document_;
};

}  // namespace quorvex2::detail
