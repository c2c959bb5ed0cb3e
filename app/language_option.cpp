#include "language_option.h"

#include <cstdlib>

#include <quorvex2/core/language.h>

namespace qxcli {
namespace {

std::string& Chosen() {
  static std::string language;
  return language;
}

// The locale that decides the messages, as POSIX orders the variables.
std::string MessagesLocale() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') return value;
  }
  return "";
}

}  // namespace

void AddLanguageOption(CLI::App& sub) {
  sub.add_option("--lang", Chosen(),
                 "Language of messages and outputs (default: Japanese in a Japanese locale, "
                 "English otherwise)")
      ->check(CLI::IsMember(quorvex2::AvailableLanguages()));
}

const std::string& Language() {
  if (Chosen().empty()) Chosen() = LanguageOfLocale(MessagesLocale());
  return Chosen();
}

std::string LanguageOfLocale(const std::string& locale) {
  const std::string language = locale.substr(0, locale.find_first_of("_.@"));
  return language != "C" && quorvex2::IsLanguageAvailable(language) ? language : "en";
}

void TakeLanguageArgument(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    std::string value;
    if (argument == "--lang" && i + 1 < argc) value = argv[i + 1];
    if (argument.starts_with("--lang=")) value = argument.substr(7);
    if (quorvex2::IsLanguageAvailable(value)) Chosen() = value;
  }
}

}  // namespace qxcli
