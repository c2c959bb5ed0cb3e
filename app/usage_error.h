#pragma once
// A usage error of the command line in a language other than the parser's English: the common
// ones said again in it.
#include <string>

namespace qxcli {

// The parser's message in the language of the run, and the hint to --help below it.
// English runs print the parser's own.
std::string UsageError(const std::string& parser_message);

}  // namespace qxcli
