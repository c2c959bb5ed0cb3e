#pragma once
// The encoding an XML text names in its declaration, for readers that decode the text to UTF-8
// themselves where the XML parser would not (it knows only Unicode and Latin-1).
#include <pugixml.hpp>

#include <cstddef>
#include <string>
#include <string_view>

namespace quorvex2::detail {

// The encoding named in the text's XML declaration, upper-cased; "" when the text has no
// declaration or it names none. Blanks may stand around the "=".
std::string DeclaredEncoding(std::string_view text);

// The encoding (an iconv name) the text must be read in instead of the one its declaration
// names; "" when the parser can follow the declaration: UTF-8 (by name, by a byte-order mark or
// by default) or another Unicode name the bytes belie. A text in UTF-16 or UTF-32 (by its mark
// or its first character) is read in that, as the parser would. A text of valid UTF-8 is "UTF-8"
// whatever it declares; one that declares UTF-8 or nothing but is no UTF-8 (and holds no UTF-8
// character of several bytes, as a damaged UTF-8 text does) is in the encoding its bytes tell.
// Otherwise Shift_JIS and its aliases are CP932, Latin-1 (and ASCII, often declared where it is
// not) is read as its superset Windows-1252, as browsers do, and a name iconv does not know gives
// way to the encoding the bytes tell.
std::string EncodingToDecode(std::string_view text);

// Where `offset`, counted in the UTF-8 text decoded from `encoding`, lies in the original bytes.
size_t OffsetBeforeDecoding(std::string_view decoded, size_t offset, const std::string& encoding);

// The bytes as the parser can read them, and in `encoding` what EncodingToDecode names: the bytes
// decoded to UTF-8 from it ("UTF-8": already UTF-8, whatever the declaration says; "": the
// parser can follow the declaration).
std::string DecodedForParser(std::string bytes, std::string& encoding);

// Parses a text decoded from `encoding` (UTF-8 whatever its declaration says); the offset of a
// parse error is counted in the original bytes.
pugi::xml_parse_result ParseDecoded(pugi::xml_document& document, std::string_view text,
                                    const std::string& encoding);

}  // namespace quorvex2::detail
