#include "files/html_entities.h"

#include <array>
#include <charconv>
#include <map>

#include "core/detail/utf8.h"

namespace quorvex2::detail {
namespace {

// The Latin-1 names, for the characters U+00A0 to U+00FF in order.
constexpr std::array<std::string_view, 96> kLatin1 = {
    "nbsp",   "iexcl",  "cent",   "pound",  "curren", "yen",    "brvbar", "sect",   "uml",
    "copy",   "ordf",   "laquo",  "not",    "shy",    "reg",    "macr",   "deg",    "plusmn",
    "sup2",   "sup3",   "acute",  "micro",  "para",   "middot", "cedil",  "sup1",   "ordm",
    "raquo",  "frac14", "frac12", "frac34", "iquest", "Agrave", "Aacute", "Acirc",  "Atilde",
    "Auml",   "Aring",  "AElig",  "Ccedil", "Egrave", "Eacute", "Ecirc",  "Euml",   "Igrave",
    "Iacute", "Icirc",  "Iuml",   "ETH",    "Ntilde", "Ograve", "Oacute", "Ocirc",  "Otilde",
    "Ouml",   "times",  "Oslash", "Ugrave", "Uacute", "Ucirc",  "Uuml",   "Yacute", "THORN",
    "szlig",  "agrave", "aacute", "acirc",  "atilde", "auml",   "aring",  "aelig",  "ccedil",
    "egrave", "eacute", "ecirc",  "euml",   "igrave", "iacute", "icirc",  "iuml",   "eth",
    "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",   "divide", "oslash", "ugrave",
    "uacute", "ucirc",  "uuml",   "yacute", "thorn",  "yuml"};

const std::map<std::string_view, char32_t>& Names() {
  static const std::map<std::string_view, char32_t> names = [] {
    std::map<std::string_view, char32_t> table{
        {"amp", U'&'},     {"lt", U'<'},       {"gt", U'>'},      {"quot", U'"'},
        {"apos", U'\''},   {"OElig", 0x152},   {"oelig", 0x153},  {"Scaron", 0x160},
        {"scaron", 0x161}, {"Yuml", 0x178},    {"ndash", 0x2013}, {"mdash", 0x2014},
        {"lsquo", 0x2018}, {"rsquo", 0x2019},  {"ldquo", 0x201C}, {"rdquo", 0x201D},
        {"bull", 0x2022},  {"hellip", 0x2026}, {"euro", 0x20AC},  {"trade", 0x2122}};
    for (size_t i = 0; i < kLatin1.size(); ++i) table.emplace(kLatin1[i], 0xA0 + i);
    return table;
  }();
  return names;
}

// The character of "#269", "#x10D" or a name; 0 when there is none.
char32_t Referenced(std::string_view body) {
  if (body.empty()) return 0;
  if (body[0] != '#') {
    const auto found = Names().find(body);
    return found == Names().end() ? 0 : found->second;
  }
  const bool hex = body.size() > 1 && (body[1] == 'x' || body[1] == 'X');
  const std::string_view digits = body.substr(hex ? 2 : 1);
  uint32_t value = 0;
  const auto [end, error] =
      std::from_chars(digits.data(), digits.data() + digits.size(), value, hex ? 16 : 10);
  if (error != std::errc() || end != digits.data() + digits.size()) return 0;
  const bool surrogate = value >= 0xD800 && value <= 0xDFFF;
  return value == 0 || value > 0x10FFFF || surrogate ? kReplacementChar : value;
}

}  // namespace

bool AppendCharacterReference(std::string_view text, size_t& pos, std::string& out) {
  constexpr size_t kLongest = 10;
  const size_t semicolon = text.substr(pos, kLongest).find(';');
  if (text[pos] != '&' || semicolon == std::string_view::npos) return false;
  const char32_t c = Referenced(text.substr(pos + 1, semicolon - 1));
  if (c == 0) return false;
  if (c == 0xA0) {
    out += ' ';
  } else {
    AppendUtf8(out, c);
  }
  pos += semicolon + 1;
  return true;
}

}  // namespace quorvex2::detail
