#include "quorvex2/core/language.h"

#include <algorithm>

#include "core/detail/catalogue.h"
#include "core/detail/fill_in.h"

namespace quorvex2 {

std::vector<std::string> AvailableLanguages() {
  std::vector<std::string> languages{detail::kSourceLanguage};
  for (const auto& blob : detail::CatalogueBlobs()) languages.emplace_back(blob.language);
  return languages;
}

bool IsLanguageAvailable(const std::string& Language) {
  const auto languages = AvailableLanguages();
  return std::find(languages.begin(), languages.end(), Language) != languages.end();
}

std::string TranslateText(const std::string& Language, const std::string& Message,
                          const std::string& Context) {
  return detail::Translate(Language, Context, Message);
}

std::string TranslatePlural(const std::string& Language, const std::string& One,
                            const std::string& Many, uint64_t Count) {
  return detail::TranslatePlural(Language, One, Many, Count);
}

std::string FillPlaceholders(const std::string& Text,
                             const std::map<std::string, std::string>& Values) {
  std::vector<detail::Placeholder> placeholders;
  for (const auto& [name, value] : Values) placeholders.push_back({name, value});
  return detail::FillIn(Text, placeholders);
}

std::map<std::string, std::string> MessageCatalogue(const std::string& Language,
                                                    const std::string& Context) {
  if (const detail::Catalogue* catalogue = detail::FindCatalogue(Language)) {
    return catalogue->Messages(Context);
  }
  // The source language: the messages any catalogue knows, each as itself.
  std::map<std::string, std::string> identity;
  for (const auto& blob : detail::CatalogueBlobs()) {
    for (const auto& [message, text] : detail::FindCatalogue(blob.language)->Messages(Context)) {
      identity.emplace(message, message);
    }
  }
  return identity;
}

}  // namespace quorvex2
