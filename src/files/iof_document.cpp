// Parsing an IOF ResultList and deciding its version.
#include <algorithm>
#include <cstddef>
#include <optional>
#include <string_view>
#include <utility>

#include "core/detail/fill_in.h"
#include "files/detail/file_error.h"
#include "files/detail/load_messages.h"
#include "files/detail/xml_encoding.h"
#include "files/detail/xml_nodes.h"
#include "files/iof_reader_parts.h"
#include "files/iof_reading.h"
#include "quorvex2/core/encoding.h"
#include "quorvex2/core/path.h"

namespace quorvex2::detail {
namespace {

// The namespace bound to the root element's prefix (or the default one); "" when none.
std::string RootNamespace(const pugi::xml_node& root) {
  const std::string_view name = root.name();
  const size_t colon = name.find(':');
  const std::string attribute =
      colon == std::string_view::npos ? "xmlns" : "xmlns:" + std::string(name.substr(0, colon));
  return root.attribute(attribute.c_str()).value();
}

bool DeclaresVersion3(const IofDocument& document) {
  const pugi::xml_node& list = document.list;
  if (std::string_view(list.attribute("iofVersion").value()).starts_with("3")) return true;
  const auto version = Child(list, "IOFVersion");
  if (version) return std::string_view(version.attribute("version").value()).starts_with("3");
  // No version given: 3.0 names the class in a Class element, 2.0.3 does not.
  const pugi::xml_node first = document.parts ? document.parts->Peek() : Child(list, "ClassResult");
  return static_cast<bool>(Child(first, "Class"));
}

// The parser's reason, else the scan's.
void SetParseError(const pugi::xml_parse_result& parsed, const std::optional<XmlFault>& fault,
                   IofDocument& document) {
  if (!parsed) {
    document.error = XmlSyntaxText(parsed);
  } else if (fault) {
    document.error = XmlFaultText(*fault);
  }
}

// The results of a large list are mostly its ClassResult elements: a plain UTF-8 text is read
// class by class, which needs a fraction of the memory of the whole element tree.
constexpr PartPlace kClassResultParts{"", "ClassResult"};

// Parses document.text, in parts when the scan vouches for it; a text decoded from `encoding`
// before is UTF-8 whatever its declaration says.
void ParseText(const std::string& encoding, IofDocument& document) {
  document.codes.Reserve(document.text);  // before a parse in place changes the text
  const bool decoded = !encoding.empty();
  ScannedXml scanned = ScanXmlParts(document.text, kClassResultParts, encoding);
  if (std::optional<XmlParts>& split = scanned.split) {
    if (document.xml.load_buffer(split->frame.data(), split->frame.size(), pugi::parse_default,
                                 pugi::encoding_utf8)) {
      document.parts = std::make_unique<XmlPartReader>(document.text, std::move(split->parts));
      return;
    }
  }
  if (scanned.expanded) document.text = std::move(*scanned.expanded);
  // A decoded text stays as it is (not parsed in place), for the offset of an error to be
  // counted back in the file's bytes. A text the scan finds fault with is parsed all the same:
  // the parser's own error, where it finds one, says more.
  const pugi::xml_parse_result parsed =
      decoded ? ParseDecoded(document.xml, document.text, encoding)
              : document.xml.load_buffer_inplace(document.text.data(), document.text.size(),
                                                 pugi::parse_default, pugi::encoding_auto);
  SetParseError(parsed, scanned.fault, document);
}

// A text in an encoding the parser does not know is decoded first (and its bytes let go).
void LoadText(std::string bytes, IofDocument& document) {
  std::string encoding;
  document.text = DecodedForParser(std::move(bytes), encoding);
  ParseText(encoding, document);
}

void LoadFile(const std::string& file_name, IofDocument& document) {
  std::optional<std::string> bytes = ReadFileBytes(file_name);
  if (!bytes) {
    document.error = FileReadErrorDescription(file_name);
    return;
  }
  LoadText(std::move(*bytes), document);
}

// The IOF 3.0 namespace, also as hand-made files write it: with a closing "/" or https.
bool IsIof3Namespace(std::string space) {
  if (space.ends_with('/')) space.pop_back();
  if (space.starts_with("https://")) space.erase(4, 1);
  return space == kIof3Namespace;
}

void CheckRoot(IofDocument& document) {
  document.list = document.xml.document_element();
  document.is_result_list = Is(BaseName(document.list), "ResultList");
  if (!document.is_result_list) {
    document.error = Tr("ルート要素が IOF の ResultList ではありません");
    return;
  }
  const std::string space = RootNamespace(document.list);
  if (!space.empty() && !IsIof3Namespace(space)) {
    document.error = FillIn(Tr("ResultList の名前空間 {namespace} は IOF のものではありません"),
                            {{"namespace", space}});
    return;
  }
  document.version3 = !space.empty() || DeclaresVersion3(document);
}

}  // namespace

void ParseIofDocument(const ReadRequest& request, IofDocument& document) {
  // Whether a document that does not parse was meant to be a ResultList.
  document.is_result_list = SniffIofResultList(request.file_name, request.file_data) != 0;
  if (request.file_data.empty()) {
    LoadFile(request.file_name, document);
  } else {
    LoadText(request.file_data, document);
  }
  if (document.error.empty()) CheckRoot(document);
}

}  // namespace quorvex2::detail
