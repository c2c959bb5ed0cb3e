#include "files/detail/xml_encoding.h"

#include <algorithm>
#include <utility>

#include "core/detail/declared_encoding.h"
#include "core/detail/iconv_converter.h"
#include "core/detail/utf8.h"
#include "quorvex2/core/encoding.h"
#include "quorvex2/core/text.h"

namespace quorvex2::detail {
namespace {

// Bytes that are no UTF-8 more often than they are UTF-8 characters of more than one byte: a
// code page's text (whose pairs of bytes are now and then also UTF-8, as Shift-JIS "ﾊ" before a
// trail byte is), not UTF-8 with a few damaged bytes.
bool IsCodePageText(std::string_view text) {
  size_t valid = 0, invalid = 0;
  for (size_t pos = 0; pos < text.size();) {
    if (static_cast<unsigned char>(text[pos]) < 0x80) {
      ++pos;
      continue;
    }
    ++(IsValidUtf8At(text, pos) ? valid : invalid);
    DecodeUtf8(text, pos);
  }
  return invalid > valid;
}

// The UTF-16 or UTF-32 of a text the parser would read as such, by its byte-order mark or its
// first character "<"; "" for any other text.
std::string WideEncoding(std::string_view text) {
  const std::string_view head = text.substr(0, 4);
  if (head == std::string_view("\xFF\xFE\0\0", 4) || head == std::string_view("\0\0\xFE\xFF", 4)) {
    return "UTF-32";
  }
  if (head == std::string_view("<\0\0\0", 4)) return "UTF-32LE";
  if (head == std::string_view("\0\0\0<", 4)) return "UTF-32BE";
  // With a mark, iconv's UTF-16 reads the mark, and writes one back when an offset is counted.
  if (head.starts_with("\xFF\xFE") || head.starts_with("\xFE\xFF")) return "UTF-16";
  if (head == std::string_view("<\0?\0", 4)) return "UTF-16LE";
  if (head == std::string_view("\0<\0?", 4)) return "UTF-16BE";
  return "";
}

}  // namespace

std::string DeclaredEncoding(std::string_view text) {
  if (!text.starts_with("<?xml") && !text.starts_with("\xEF\xBB\xBF<?xml")) return "";
  const std::string_view body = text.substr(0, text.find("?>"));
  const size_t name = body.find("encoding");
  if (name == std::string_view::npos) return "";
  const size_t at = ValueStart(body, name + 8);
  if (at >= body.size() || (body[at] != '"' && body[at] != '\'')) return "";
  const size_t close = body.find(body[at], at + 1);
  if (close == std::string_view::npos) return "";
  return ToUpper(std::string(body.substr(at + 1, close - at - 1)));
}

std::string EncodingToDecode(std::string_view text) {
  if (text.starts_with("\xEF\xBB\xBF")) return "";
  // UTF-16 and -32 are decoded here too, for the text to be checked as the parser sees it.
  if (std::string wide = WideEncoding(text); !wide.empty()) return wide;
  const std::string declared = DeclaredEncoding(text);
  // A code page's bytes where the parser would take them for UTF-8 (no declaration, or one that
  // says so wrongly): an old program's own code page.
  const bool wide = text.substr(0, 4).find('\0') != std::string_view::npos;
  if ((declared.empty() || declared == "UTF-8" || declared == "UTF8") && !wide &&
      IsCodePageText(text)) {
    return DetectTextEncoding(text);
  }
  if (declared.empty() || NamesUnicode(declared)) return "";
  const std::string encoding = EncodingOfDeclaration(declared, text);
  return encoding.empty() ? DetectTextEncoding(text) : encoding;
}

size_t OffsetBeforeDecoding(std::string_view decoded, size_t offset, const std::string& encoding) {
  IconvConverter back(encoding.c_str(), "UTF-8");
  if (!back.IsOpen() || offset > decoded.size()) return offset;
  // A character the encoding cannot hold was a replaced byte of the original.
  const std::string bytes = back.Convert(decoded.substr(0, offset),
                                         [](std::string_view in, size_t pos, std::string& out) {
                                           size_t next = pos;
                                           DecodeUtf8(in, next);
                                           out += '?';
                                           return next - pos;
                                         });
  return bytes.size();
}

std::string DecodedForParser(std::string bytes, std::string& encoding) {
  encoding = EncodingToDecode(bytes);
  if (encoding.empty() || encoding == "UTF-8") return bytes;
  return DecodeText(std::exchange(bytes, std::string()), encoding);
}

pugi::xml_parse_result ParseDecoded(pugi::xml_document& document, std::string_view text,
                                    const std::string& encoding) {
  pugi::xml_parse_result parsed =
      document.load_buffer(text.data(), text.size(), pugi::parse_default, pugi::encoding_utf8);
  if (!parsed) {
    parsed.offset = static_cast<ptrdiff_t>(OffsetBeforeDecoding(
        text, static_cast<size_t>(std::max<ptrdiff_t>(parsed.offset, 0)), encoding));
  }
  return parsed;
}

}  // namespace quorvex2::detail
