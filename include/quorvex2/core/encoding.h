#pragma once
// Shift-JIS (code page 932) at the file boundary; everything inside is UTF-8.
#include <string>

namespace quorvex2 {

// Shift-JIS bytes to UTF-8; undecodable bytes become U+FFFD.
std::string SjisToUtf8(const std::string& bytes);
// UTF-8 to Shift-JIS bytes; characters CP932 cannot hold (and invalid UTF-8) become "?".
std::string Utf8ToSjis(const std::string& text);
// UTF-8 to Shift-JIS bytes for an HTML page: a character CP932 cannot hold becomes a numeric
// character reference ("&#252;" for "ü"), so the browser still shows it; invalid UTF-8 becomes "?".
std::string Utf8ToSjisHtml(const std::string& text);
// UTF-16LE bytes (no byte-order mark) to UTF-8.
std::string Utf16leToUtf8(const std::string& bytes);

}  // namespace quorvex2
