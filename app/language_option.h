#pragma once
// The language of a command's messages and outputs: --lang, else the locale (LC_ALL,
// LC_MESSAGES, LANG): its language when the component has it, English otherwise.
#include <CLI/CLI.hpp>

#include <string>

namespace qxcli {

// Adds --lang to a command.
void AddLanguageOption(CLI::App& sub);

// The language chosen for this run.
const std::string& Language();

// The language a locale name stands for: its language when it has a catalogue ("ja_JP.UTF-8"
// -> "ja"), else English ("de_DE", "C" or "" -> "en").
std::string LanguageOfLocale(const std::string& locale);

// Takes --lang from the arguments before they are parsed, for the messages about the command
// line itself.
void TakeLanguageArgument(int argc, char** argv);

}  // namespace qxcli
