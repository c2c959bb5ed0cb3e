#pragma once
// The languages of the component's texts. Japanese ("ja") is the source: every text of the
// reports, pages, charts, grids, printed pages and error comments is written in Japanese and is
// translated through a message catalogue per further language (po/<language>.po, compiled into
// the library). The current root object's Language chooses the language the outputs use; the
// default is Japanese.
//
// A message is named by its Japanese text, optionally with a context that tells apart uses of one
// text that need different translations (the web viewer's labels use the context "web").
// Messages may hold named placeholders ("{path} がありません"), which every translation keeps.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace quorvex2 {

// "ja" first, then every language with a compiled catalogue ("en", ...).
std::vector<std::string> AvailableLanguages();
bool IsLanguageAvailable(const std::string& Language);

// `Message` in `Language`; the message itself for Japanese, for a language without a catalogue
// and for a message its catalogue does not translate.
std::string TranslateText(const std::string& Language, const std::string& Message,
                          const std::string& Context = "");

// The form of a message with a count: `One` or `Many` in Japanese (for a count of 1 or any
// other), else the form the language's plural rule gives `Count`.
std::string TranslatePlural(const std::string& Language, const std::string& One,
                            const std::string& Many, uint64_t Count);

// The message with every "{name}" of `Values` replaced by its value, in one pass (a value that
// holds braces stays as it is); other braces stay.
std::string FillPlaceholders(const std::string& Text,
                             const std::map<std::string, std::string>& Values);

// Every message of `Context` ("" for the messages without one): Japanese text -> its text in
// `Language`. For Japanese, every known message of the context maps to itself.
std::map<std::string, std::string> MessageCatalogue(const std::string& Language,
                                                    const std::string& Context = "");

}  // namespace quorvex2
