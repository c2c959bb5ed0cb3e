#pragma once
// A native lap file read class by class: a scan of the text finds every class element, so the
// reader parses the small rest of the document (the frame) once and each class on its own, and
// never holds the element tree of the whole file. The scan vouches only for plain documents;
// anything it does not know (comments, CDATA, a document type, processing instructions, another
// encoding, non-ASCII names, a stray "<") sends the reader to the whole-document parse.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvex2::detail {

// Where a class element lies in the text: [begin, end).
struct ElementRange {
  size_t begin = 0;
  size_t end = 0;
};

struct NativeXmlParts {
  // The document with each class element (a child element of a "classes" child of the root)
  // replaced by an empty placeholder element, in place.
  std::string frame;
  std::vector<ElementRange> classes;  // in document order, one per placeholder
};

// The parts of a well-formed plain document; nothing when the scan cannot vouch for the text.
std::optional<NativeXmlParts> SplitNativeXml(std::string_view text);

}  // namespace quorvex2::detail
