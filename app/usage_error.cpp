#include "usage_error.h"

#include <charconv>
#include <regex>

#include "messages.h"

namespace qxcli {
namespace {

// The parser's message said again by the messages of the run, when it is one of the common ones.
std::string Reworded(const std::string& message) {
  std::smatch m;
  if (message == "A subcommand is required") return text::SubcommandRequired();
  if (std::regex_match(message, m, std::regex("(.+) is required"))) {
    return text::OptionRequired(m[1]);
  }
  if (std::regex_match(message, m, std::regex("(\\S+) requires (\\S+)"))) {
    return text::OptionNeedsOption(m[1], m[2]);
  }
  if (std::regex_match(message, m, std::regex("(\\S+) excludes (\\S+)"))) {
    return text::OptionsExclusive(m[1], m[2]);
  }
  if (std::regex_match(message, m, std::regex("(.+): 1 required .* missing"))) {
    return text::OptionValueMissing(m[1]);
  }
  if (std::regex_match(message, m, std::regex("(.+): Value (.+) not in range (.+) to (.+)"))) {
    return text::ValueOutOfRange(m[1], m[2], m[3], m[4]);
  }
  if (std::regex_match(message, m, std::regex("(.+): Value (.+) is below (.+)"))) {
    return text::ValueBelow(m[1], m[2], m[3]);
  }
  if (std::regex_match(message, m, std::regex("(.+): (.+) not in \\{(.+)\\}"))) {
    return text::ValueNotAChoice(m[1], m[2], m[3]);
  }
  if (std::regex_match(message, m, std::regex("Could not convert: (.+) = (.*)"))) {
    return text::ValueNotReadable(m[1], m[2]);
  }
  if (std::regex_match(message, m,
                       std::regex("The following arguments? (?:was|were) not expected: (.+)"))) {
    return text::ArgumentsNotExpected(m[1]);
  }
  return message;
}

}  // namespace

CLI::Validator AtLeast(long long least) {
  const std::string bound = std::to_string(least);
  return CLI::Validator(
      [least, bound](std::string& input) -> std::string {
        long long value = 0;
        const char* end = input.data() + input.size();
        const auto read = std::from_chars(input.data(), end, value);
        if (read.ec != std::errc() || read.ptr != end || value >= least) return "";
        return "Value " + input + " is below " + bound;
      },
      ">=" + bound);
}

std::string UsageError(const std::string& parser_message) {
  return Reworded(parser_message) + "\n" + text::RunWithHelp();
}

}  // namespace qxcli
