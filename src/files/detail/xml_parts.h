#pragma once
// A large XML document read part by part: a scan of the text finds the elements that make up
// most of it (the classes), so the reader parses the small rest of the document (the frame)
// once and each part on its own when it reaches the part's placeholder, and never holds the
// element tree of the whole file. The scan vouches only for plain UTF-8 documents; anything else
// (CDATA, a document type's internal subset, processing instructions, another encoding,
// non-ASCII names) sends the reader to the whole-document parse, and so does a text that is no
// well-formed XML, which the reader then refuses.
#include <pugixml.hpp>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/detail/xml_well_formed.h"

namespace quorvex2::detail {

struct XmlParts {
  // The document with each part replaced, in place, by an empty element of the part's name.
  std::string frame;
  std::vector<ElementRange> parts;  // in document order, one per placeholder
};

struct ScannedXml {
  // The first thing that makes the text no well-formed XML, its offset counted in the bytes the
  // text was decoded from.
  std::optional<XmlFault> fault;
  std::optional<XmlParts> split;  // when the text is well-formed and the scan vouches for it
  // The text with the values of the entities it uses in their places, when it uses any; the
  // parser reads this one.
  std::optional<std::string> expanded;
};

// Scans the text once (xml_well_formed.h). `encoding` names the encoding a text decoded to UTF-8
// before was written in ("" for a text as the file holds it); the text may still declare it.
ScannedXml ScanXmlParts(std::string_view text, PartPlace place, const std::string& encoding = "");

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
