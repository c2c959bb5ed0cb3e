// Writing an XML document part by part through a temporary file.
#include "files/detail/xml_parts_writer.h"

#include <sstream>
#include <stdexcept>
#include <string_view>

#include "core/detail/atomic_file.h"

namespace quorvex2::detail {
namespace {

class FileSink : public pugi::xml_writer {
 public:
  explicit FileSink(AtomicFile& file) : file_(file) {}
  void write(const void* data, size_t size) override {
    file_.Write(std::string_view(static_cast<const char*>(data), size));
  }

 private:
  AtomicFile& file_;
};

unsigned int Depth(pugi::xml_node node) {
  unsigned int depth = 0;
  for (pugi::xml_node up = node.parent(); up && up.type() != pugi::node_document;
       up = up.parent()) {
    ++depth;
  }
  return depth;
}

std::string Printed(pugi::xml_node node, const XmlFormat& format, unsigned int depth) {
  std::ostringstream text;
  node.print(text, format.indent, format.flags, format.encoding, depth);
  return text.str();
}

bool IsForbiddenInXml(char c) {
  return static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r';
}

}  // namespace

std::string XmlText(std::string_view text) {
  std::string kept(text);
  std::erase_if(kept, IsForbiddenInXml);
  return kept;
}

pugi::xml_node AppendTextElement(pugi::xml_node parent, const char* name, const std::string& text) {
  auto node = parent.append_child(name);
  if (!text.empty()) node.text().set(XmlText(text).c_str());
  return node;
}

pugi::xml_node AppendPartsPlaceholder(pugi::xml_node parent) {
  // No text of a document prints as "<quorvex2-parts": "<" is always escaped in values.
  return parent.append_child("quorvex2-parts");
}

bool SaveXmlInParts(const std::string& file_name, pugi::xml_document& frame,
                    pugi::xml_node placeholder, int32_t count, const BuildXmlPart& build,
                    const XmlFormat& format) {
  const unsigned int depth = Depth(placeholder);
  const std::string slot = Printed(placeholder, format, depth);
  // Without parts the parent prints as it would without children.
  if (count == 0) placeholder.parent().remove_child(placeholder);
  std::ostringstream printed;
  frame.save(printed, format.indent, format.flags, format.encoding);
  const std::string whole = printed.str();
  const size_t at = count == 0 ? whole.size() : whole.find(slot);
  if (at == std::string::npos)
    throw std::logic_error("The placeholder of the parts is not printed");
  AtomicFile file(file_name);
  FileSink sink(file);
  file.Write(std::string_view(whole).substr(0, at));
  for (int32_t index = 1; index <= count; ++index) {
    pugi::xml_document part;
    build(index, part);
    for (pugi::xml_node element : part.children()) {
      element.print(sink, format.indent, format.flags, format.encoding, depth);
    }
  }
  if (count > 0) file.Write(std::string_view(whole).substr(at + slot.size()));
  return file.Commit();
}

}  // namespace quorvex2::detail
