#pragma once
// The message catalogues compiled into the library (po/<language>.po, embedded in gettext's
// binary form) and the look-up of the component's own texts in the current root's language.
//
// Texts are written in the code in Japanese, exactly as the component prints them by default;
// the Japanese text is the key of its translations. Mark every such text with Tr (or TrNoop
// where it is only named, to be translated later) so that scripts/update-po finds it:
//   out += Tr("◆ ラップタイム");          // the current language
//   Tr("web", "成績")                      // a context: one Japanese text, several translations
//   NTr("{count} 件", "{count} 件", n)     // a text with a count: its plural forms
// Placeholders are named, "{path}", and filled in by FillIn (core/detail/fill_in.h), so that a
// translation may put them where its language wants them.
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/detail/plural_forms.h"

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

  // The translation; nullptr when the catalogue lacks it. A message with plural forms gives
  // the form of `count`.
  const std::string* Find(std::string_view context, std::string_view message,
                          uint64_t count = 1) const;
  // Every message of one context: Japanese text -> translation (the first of plural forms).
  std::map<std::string, std::string> Messages(std::string_view context) const;
  // Every message of one context with plural forms: Japanese text -> its forms.
  std::map<std::string, std::vector<std::string>> PluralMessages(std::string_view context) const;
  const PluralForms& plural_forms() const { return plural_forms_; }

 private:
  // key: context '\4' text, or text; value: the forms of the translation (one without plurals)
  std::unordered_map<std::string, std::vector<std::string>> messages_;
  PluralForms plural_forms_;
};

// The catalogue of a language; nullptr for the source language and for languages without one.
const Catalogue* FindCatalogue(std::string_view language);

// `message` in `language`; the message itself when the language's catalogue lacks it.
std::string Translate(std::string_view language, std::string_view context,
                      std::string_view message);
// The form of a message for `count`: `one` or `many` (count 1 or other) when the language's
// catalogue lacks it.
std::string TranslatePlural(std::string_view language, std::string_view one, std::string_view many,
                            uint64_t count);

// The language of the current root ("ja" when there is none).
const std::string& CurrentLanguage();

// `message` in the current language; the message itself in Japanese or when not translated.
std::string Tr(const char* message);
std::string Tr(const char* context, const char* message);
// The form of a message with a count in the current language: NTr("{count} 件", "{count} 件", n).
std::string NTr(const char* one, const char* many, uint64_t count);
// Marks a text for the catalogues where it is only named; it is translated where it is used.
constexpr const char* TrNoop(const char* message) {
  return message;
}

// True when the current language is the source language, for layouts that differ beyond texts.
bool IsSourceLanguage();

}  // namespace quorvex2::detail
