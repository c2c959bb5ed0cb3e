#pragma once
// Small walks over pugixml element trees shared by the XML readers. Names compare without a
// namespace prefix, so "iof:ResultList" is a ResultList.
#include <pugixml.hpp>

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "quorvex2/core/text.h"

namespace quorvex2::detail {

// The element's name without a namespace prefix.
inline const char* BaseName(const pugi::xml_node& node) {
  const char* name = node.name();
  const char* colon = std::strrchr(name, ':');
  return colon ? colon + 1 : name;
}

inline bool Is(const char* name, const char* expected) {
  return name[0] == expected[0] && std::strcmp(name, expected) == 0;
}

inline int32_t CountElements(const pugi::xml_node& parent) {
  int32_t count = 0;
  for (const auto& child : parent.children()) count += child.type() == pugi::node_element;
  return count;
}

// Calls visit(element) for every child element of parent, in document order.
template <class Visit>
void ForEachElement(const pugi::xml_node& parent, Visit visit) {
  for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling()) {
    if (child.type() == pugi::node_element) visit(child);
  }
}

// Calls visit(attribute) for every attribute of the element, in document order.
template <class Visit>
void ForEachAttribute(const pugi::xml_node& element, Visit visit) {
  for (pugi::xml_attribute a = element.first_attribute(); a; a = a.next_attribute()) visit(a);
}

// Calls visit(element) for every child element of parent with that name.
template <class Visit>
void ForEachNamed(const pugi::xml_node& parent, const char* name, Visit visit) {
  ForEachElement(parent, [&](const pugi::xml_node& child) {
    if (Is(BaseName(child), name)) visit(child);
  });
}

// The first child element with that name; an empty handle when there is none.
inline pugi::xml_node Child(const pugi::xml_node& parent, const char* name) {
  for (const auto& child : parent.children()) {
    if (child.type() == pugi::node_element && Is(BaseName(child), name)) return child;
  }
  return {};
}

inline bool IsText(const pugi::xml_node& node) {
  return node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata;
}

// The text of an element without the white space around it (blanks, tabs and line ends, which
// writers that indent every element leave there): all its pieces, when a CDATA section, a
// comment or an instruction parts it.
inline std::string NodeText(const pugi::xml_node& node) {
  constexpr std::string_view kWhiteSpace = " \t\r\n";
  std::string pieces;
  std::string_view text = node.text().get();
  const pugi::xml_node first_piece = node.first_child();
  if (first_piece && first_piece.next_sibling()) {
    for (pugi::xml_node piece = first_piece; piece; piece = piece.next_sibling()) {
      if (IsText(piece)) pieces += piece.value();
    }
    text = pieces;
  }
  const size_t first = text.find_first_not_of(kWhiteSpace);
  if (first == std::string_view::npos) return std::string();
  return std::string(text.substr(first, text.find_last_not_of(kWhiteSpace) - first + 1));
}

// The text of the first child element with that name ("" when there is none).
inline std::string ChildText(const pugi::xml_node& parent, const char* name) {
  return NodeText(Child(parent, name));
}

}  // namespace quorvex2::detail
