// Cutting a large XML document into its frame and its parts, and parsing the parts one by one.
#include "files/detail/xml_parts.h"

#include <stdexcept>
#include <string>

#include "files/detail/xml_encoding.h"
#include "quorvex2/core/text.h"

namespace quorvex2::detail {

namespace {

XmlParts Split(std::string_view text, std::vector<ElementRange> parts) {
  XmlParts split;
  size_t copied = 0;
  for (const ElementRange& part : parts) {
    split.frame.append(text.substr(copied, part.begin - copied));
    split.frame.append(text.substr(part.begin, part.name_length + 1)).append("/>");
    copied = part.end;
  }
  split.frame.append(text.substr(copied));
  split.parts = std::move(parts);
  return split;
}

// The text with each entity's value in place of its references; quotes written as references,
// so that a value holds in an attribute of either quote.
std::string Expanded(std::string_view text, const std::vector<EntityUse>& uses) {
  std::string out;
  size_t copied = 0;
  for (const EntityUse& use : uses) {
    out.append(text.substr(copied, use.offset - copied));
    out += ReplaceAll(ReplaceAll(std::string(use.value), "\"", "&quot;"), "'", "&apos;");
    copied = use.offset + use.length;
  }
  out.append(text.substr(copied));
  return out;
}

}  // namespace

ScannedXml ScanXmlParts(std::string_view text, PartPlace place, const std::string& encoding) {
  XmlScan scan = ScanXml(text, place, !encoding.empty());
  ScannedXml scanned;
  if (scan.fault) {
    if (!encoding.empty()) {
      scan.fault->offset = OffsetBeforeDecoding(text, scan.fault->offset, encoding);
    }
    scanned.fault = std::move(scan.fault);
  } else if (scan.plain) {
    scanned.split = Split(text, std::move(scan.parts));
  } else if (!scan.expansions.empty()) {
    scanned.expanded = Expanded(text, scan.expansions);
  }
  return scanned;
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
