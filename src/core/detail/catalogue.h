#pragma once
// The message catalogues compiled into the library (po/<language>.po, embedded in gettext's
// binary form) and the look-up of the component's own texts in the current root's language.
//
// Texts are written in the code in Japanese, exactly as the component prints them by default;
// the Japanese text is the key of its translations. Mark every such text with Tr (or TrNoop
// where it is only named, to be translated later) so that scripts/update-po finds it:
//   out += Tr("◆ ラップタイム");          // the current language
//   Tr("web", "成績")                      // a context: one Japanese text, several translations
#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quorvex2::detail {

// The language of the component's source texts.
inline constexpr const char* kSourceLanguage = "ja";

// One compiled catalogue as linked into the library.
struct CatalogueBlob {
  const char* language;
  const unsigned char* data;
  std::size_t size;
};
const std::vector<CatalogueBlob>& CatalogueBlobs();

// The messages of one language, by context and Japanese text.
class Catalogue {
 public:
  // Reads a catalogue in gettext's binary (.mo) form; a malformed one holds no message.
  Catalogue(const unsigned char* data, std::size_t size);

  // The translation; nullptr when the catalogue lacks it.
  const std::string* Find(std::string_view context, std::string_view message) const;
  // Every message of one context: Japanese text -> translation.
  std::map<std::string, std::string> Messages(std::string_view context) const;

 private:
  std::unordered_map<std::string, std::string> messages_;  // key: context '\4' text, or text
};

// The catalogue of a language; nullptr for the source language and for languages without one.
const Catalogue* FindCatalogue(std::string_view language);

// `message` in `language`; the message itself when the language's catalogue lacks it.
std::string Translate(std::string_view language, std::string_view context,
                      std::string_view message);

// The language of the current root ("ja" when there is none).
const std::string& CurrentLanguage();

// `message` in the current language; the message itself in Japanese or when not translated.
std::string Tr(const char* message);
std::string Tr(const char* context, const char* message);
// Marks a text for the catalogues where it is only named; it is translated where it is used.
constexpr const char* TrNoop(const char* message) {
  return message;
}

// True when the current language is the source language, for layouts that differ beyond texts.
bool IsSourceLanguage();

}  // namespace quorvex2::detail
