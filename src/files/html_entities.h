#pragma once
// Character references of HTML text: "&amp;", "&eacute;", "&#269;", "&#x10D;".
#include <cstddef>
#include <string>
#include <string_view>

namespace quorvex2::detail {

// When text[pos] starts a character reference that ends in ";", appends its character (UTF-8;
// a no-break space as a plain blank) to out, moves pos past the reference and returns true;
// otherwise returns false and leaves both alone. Named references: the markup characters, the
// Latin-1 letters and signs and a few common punctuation marks.
bool AppendCharacterReference(std::string_view text, size_t& pos, std::string& out);

}  // namespace quorvex2::detail
