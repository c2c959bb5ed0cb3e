#pragma once
// Commands of the host register themselves here, one file per command, so adding a command
// never touches main.cpp:
//
//   static const bool registered = qxcli::RegisterCommand(
//       {"info", "Show the event, its classes, courses and segments", SetupInfo});
//
// The setup function adds the subcommand's options to `sub` and sets its callback. A
// callback reports failures by throwing qxcli::ExitError.
#include <CLI/CLI.hpp>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace qxcli {

struct Command {
  std::string name;
  std::string description;
  std::function<void(CLI::App& sub)> setup;
};

// Thrown from a command callback: the message goes to stderr and the host exits with `code`
// (1: a load or save failed, 2: a usage error).
class ExitError : public std::runtime_error {
 public:
  ExitError(int code, const std::string& message) : std::runtime_error(message), code_(code) {}
  int code() const { return code_; }

 private:
  int code_;
};

bool RegisterCommand(Command command);
const std::vector<Command>& RegisteredCommands();

}  // namespace qxcli
