#pragma once
// Writing a large XML document part by part: the frame document holds all of it but a run of
// sibling elements (the classes), with one placeholder element where they go; each of those
// elements is built in a small document of its own, printed in the placeholder's place and
// freed. The file holds exactly the bytes of the whole document printed at once.
#include <pugixml.hpp>

#include <cstdint>
#include <exception>
#include <functional>
#include <string>
#include <string_view>

#include "core/detail/component_state.h"
#include "quorvex2/core/root.h"

namespace quorvex2::detail {

struct XmlFormat {
  const char* indent = "";
  unsigned int flags = pugi::format_raw;
  pugi::xml_encoding encoding = pugi::encoding_auto;
};

// The text as XML 1.0 can hold it: without the control characters it forbids (those below
// U+0020 but tab, line feed and carriage return), which no character reference may carry either.
std::string XmlText(std::string_view text);

// Appends an element named `name` holding the text (as XmlText), or nothing when it is empty.
pugi::xml_node AppendTextElement(pugi::xml_node parent, const char* name,
                                 const std::string& text = "");

// Marks where the parts go: the next child of parent.
pugi::xml_node AppendPartsPlaceholder(pugi::xml_node parent);

// Appends the part's elements to `parent` (the root of a fresh document).
using BuildXmlPart = std::function<void(int32_t index, pugi::xml_node parent)>;

// Writes the frame with the elements of parts 1..count in the placeholder's place to the file,
// through a temporary file; false when the file could not be written.
bool SaveXmlInParts(const std::string& file_name, pugi::xml_document& frame,
                    pugi::xml_node placeholder, int32_t count, const BuildXmlPart& build,
                    const XmlFormat& format);

// Saves the current root's event class by class through a Builder made from the root and args:
// BuildFrame(document) builds all but the classes and returns the placeholder, WriteClass(parent,
// class index) appends one class. False without a root or when anything fails.
template <class Builder, class... Args>
bool SaveEventClassByClass(const std::string& file_name, const XmlFormat& format,
                           const Args&... args) {
  const clsQuorvex2* root = CurrentRoot();
  if (root == nullptr) return false;
  try {
    Builder builder(*root, args...);
    pugi::xml_document frame;
    const pugi::xml_node classes = builder.BuildFrame(frame);
    return SaveXmlInParts(
        file_name, frame, classes, root->ClassCount(),
        [&builder](int32_t index, pugi::xml_node parent) { builder.WriteClass(parent, index); },
        format);
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace quorvex2::detail
