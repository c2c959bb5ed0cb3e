#pragma once
// The language of a command's messages and outputs: --lang, else the locale (LC_ALL,
// LC_MESSAGES, LANG): Japanese for a Japanese locale, English for any other.
#include <CLI/CLI.hpp>

#include <string>

namespace qxcli {

// Adds --lang to a command.
void AddLanguageOption(CLI::App& sub);

// The language chosen for this run.
const std::string& Language();

// The language a locale name stands for ("ja_JP.UTF-8" -> "ja", "de_DE" or "" -> "en").
std::string LanguageOfLocale(const std::string& locale);

}  // namespace qxcli
