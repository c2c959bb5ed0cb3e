#pragma once
// Encodings a text names in its own markup: the rule that decides whether the bytes are read as
// the declaration says, shared by the XML declaration and the HTML meta element, and the HTML
// meta element's charset.
#include <cstddef>
#include <string>
#include <string_view>

namespace quorvex2::detail {

// Where the value of a name in a declaration starts: after the blanks, the "=" and the blanks
// that follow position `at` (just past the name); npos when no "=" comes first.
size_t ValueStart(std::string_view text, size_t at);

// True when the (upper-cased) name is one of Shift-JIS's (x-sjis, the name our pages declare,
// among them).
bool NamesShiftJis(const std::string& encoding);

// True when the (upper-cased) name is one of Unicode's: any UTF, UCS or UNICODE name.
bool NamesUnicode(const std::string& encoding);

// The encoding (an iconv name) a text whose markup declares `declared` (upper-cased) is read in;
// "" when there is no declaration or the bytes must tell instead. Valid UTF-8 is "UTF-8" whatever
// the declaration claims (exporters write a fixed declaration); Shift_JIS and its aliases (x-sjis
// among them) are "CP932"; Latin-1 and ASCII, often declared where they are not, are read as
// their superset "WINDOWS-1252", as browsers do; a Unicode name or one iconv does not know gives
// way to the bytes.
std::string EncodingOfDeclaration(const std::string& declared, std::string_view bytes);

// The charset an HTML text declares in a meta element within its first kilobyte, as browsers look
// for it (`<meta charset="...">` or `<meta http-equiv="Content-Type" content="...; charset=...">`,
// quoted or not), upper-cased; "" when there is none.
std::string HtmlDeclaredCharset(std::string_view bytes);

}  // namespace quorvex2::detail
