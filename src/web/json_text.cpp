#include "web/detail/json_text.h"

#include <fmt/format.h>

namespace quorvex2::detail {

namespace {

// Control characters, the quote and the backslash as JSON escapes; "<", ">" and "&" as \u
// escapes, so that no "</script>" or "<!--" can end the element that holds the text.
void AppendEscaped(std::string& out, std::string_view text) {
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20 || c == '<' || c == '>' || c == '&') {
      fmt::format_to(std::back_inserter(out), "\\u{:04x}", byte);
    } else {
      out += c;
    }
  }
}

}  // namespace

void JsonText::BeforeValue() {
  if (need_comma_) out_ += ',';
  need_comma_ = true;
}

JsonText& JsonText::BeginObject() {
  BeforeValue();
  out_ += '{';
  need_comma_ = false;
  return *this;
}

JsonText& JsonText::EndObject() {
  out_ += '}';
  need_comma_ = true;
  return *this;
}

JsonText& JsonText::BeginArray() {
  BeforeValue();
  out_ += '[';
  need_comma_ = false;
  return *this;
}

JsonText& JsonText::EndArray() {
  out_ += ']';
  need_comma_ = true;
  return *this;
}

JsonText& JsonText::Key(std::string_view name) {
  String(name);
  out_ += ':';
  need_comma_ = false;
  return *this;
}

JsonText& JsonText::String(std::string_view text) {
  BeforeValue();
  out_ += '"';
  AppendEscaped(out_, text);
  out_ += '"';
  return *this;
}

JsonText& JsonText::Int(int64_t value) {
  BeforeValue();
  fmt::format_to(std::back_inserter(out_), "{}", value);
  return *this;
}

JsonText& JsonText::Bool(bool value) {
  BeforeValue();
  out_ += value ? "true" : "false";
  return *this;
}

JsonText& JsonText::Null() {
  BeforeValue();
  out_ += "null";
  return *this;
}

JsonText& JsonText::Number(std::string_view digits) {
  BeforeValue();
  out_ += digits;
  return *this;
}

}  // namespace quorvex2::detail
