#pragma once
// A usage error of the command line in a language other than the parser's English: the common
// ones said again in it.
#include <CLI/CLI.hpp>

#include <string>

namespace qxcli {

// A check that a whole number is at least `least`: the parser then says "Value V is below N".
// What is not a number is left to the parser's conversion, which says so.
CLI::Validator AtLeast(long long least);

// The parser's message in the language of the run, and the hint to --help below it.
// English runs print the parser's own.
std::string UsageError(const std::string& parser_message);

}  // namespace qxcli
