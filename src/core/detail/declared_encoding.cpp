#include "core/detail/declared_encoding.h"

#include "core/detail/ascii_case.h"
#include "core/detail/iconv_converter.h"
#include "core/detail/utf8.h"
#include "quorvex2/core/text.h"

namespace quorvex2::detail {
namespace {

// The value after "charset" and "=" in one meta element's text, "" when it names none.
std::string CharsetIn(std::string_view element) {
  for (size_t at = element.find("charset"); at != std::string_view::npos;
       at = element.find("charset", at + 1)) {
    size_t pos = ValueStart(element, at + 7);
    if (pos == std::string_view::npos) continue;
    if (pos < element.size() && (element[pos] == '"' || element[pos] == '\'')) ++pos;
    const size_t end = element.find_first_of("\"'; \t\r\n\f>", pos);
    const std::string_view name = element.substr(pos, end - pos);
    if (!name.empty()) return std::string(name);
  }
  return "";
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

}  // namespace

size_t ValueStart(std::string_view text, size_t at) {
  while (at < text.size() && IsBlank(text[at])) ++at;
  if (at >= text.size() || text[at] != '=') return std::string_view::npos;
  ++at;
  while (at < text.size() && IsBlank(text[at])) ++at;
  return at;
}

bool NamesShiftJis(const std::string& encoding) {
  return encoding == "SHIFT_JIS" || encoding == "SHIFT-JIS" || encoding == "SJIS" ||
         encoding == "X-SJIS" || encoding == "MS_KANJI" || encoding == "CSSHIFTJIS" ||
         encoding == "WINDOWS-31J" || encoding == "CP932" || encoding == "MS932";
}

bool NamesUnicode(const std::string& encoding) {
  return encoding.starts_with("UTF") || encoding.starts_with("UCS") ||
         encoding.starts_with("UNICODE");
}

std::string EncodingOfDeclaration(const std::string& declared, std::string_view bytes) {
  if (declared.empty()) return "";
  if (IsValidUtf8(bytes)) return "UTF-8";
  if (NamesUnicode(declared)) return "";
  if (NamesShiftJis(declared)) return "CP932";
  if (declared == "ISO-8859-1" || declared == "LATIN1" || declared == "US-ASCII" ||
      declared == "ASCII") {
    return "WINDOWS-1252";
  }
  return IconvKnows(declared) ? declared : "";
}

std::string HtmlDeclaredCharset(std::string_view bytes) {
  const std::string head = ToLowerAscii(bytes.substr(0, 1024));
  for (size_t at = head.find("<meta"); at != std::string::npos; at = head.find("<meta", at + 5)) {
    const size_t close = head.find('>', at);
    const std::string charset = CharsetIn(std::string_view(head).substr(at, close - at));
    if (!charset.empty()) return ToUpper(charset);
  }
  return "";
}

}  // namespace quorvex2::detail
