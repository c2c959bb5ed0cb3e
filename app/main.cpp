// quorvex2: the command-line host of the component.
#include <quorvex2/quorvex2.h>

#include <iostream>

#include "command_registry.h"
#include "language_option.h"
#include "messages.h"
#include "usage_error.h"

namespace {

// The command names, comma-separated, when `name` is not one of them; "" when it is.
std::string OtherCommands(const std::string& name) {
  std::string names;
  for (const auto& command : qxcli::RegisteredCommands()) {
    if (command.name == name) return "";
    names += (names.empty() ? "" : ", ") + command.name;
  }
  return names;
}

// Runs the command line; the exit status.
int Run(int argc, char** argv) {
  qxcli::TakeLanguageArgument(argc, argv);
  // The first word that is not an option names the command.
  if (argc > 1 && argv[1][0] != '-') {
    const std::string commands = OtherCommands(argv[1]);
    if (!commands.empty()) {
      std::cerr << qxcli::text::UnknownCommand(argv[1], commands) << "\n";
      return 2;
    }
  }
  CLI::App app{"Quorvex2 " + quorvex2::VersionText() +
               " - orienteering split-time analysis.\n"
               "Loads lap files and result files (.lxm, .lap, IOF XML, SPORTident listings, OE,\n"
               "SplitsBrowser and Emit CSV, OEvent, also packed in .lzh, .zip or .gz) and writes\n"
               "reports, charts, printed pages, web sites and an interactive web viewer."};
  app.set_version_flag("--version", quorvex2::VersionText());
  qxcli::AddLanguageOption(app);  // also before the command
  app.require_subcommand(0, 1);
  for (const auto& command : qxcli::RegisteredCommands()) {
    CLI::App* sub = app.add_subcommand(command.name, command.description);
    command.setup(*sub);
    qxcli::AddLanguageOption(*sub);
    for (CLI::App* nested : sub->get_subcommands([](CLI::App*) { return true; })) {
      qxcli::AddLanguageOption(*nested);
    }
  }
  try {
    app.parse(argc, argv);
    if (app.get_subcommands().empty()) {  // no command: a usage error that shows the usage
      std::cerr << app.help();
      return 2;
    }
  } catch (const CLI::Success& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    std::cerr << qxcli::UsageError(e.what()) << "\n";
    return 2;
  } catch (const qxcli::ExitError& e) {
    if (e.what()[0] != '\0') std::cerr << e.what() << "\n";
    return e.code();
  } catch (const std::exception& e) {
    std::cerr << "quorvex2: " << e.what() << "\n";
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const int status = Run(argc, argv);
  // Output that did not all reach standard output (a full disk, a reader gone where SIGPIPE is
  // ignored) fails what would have succeeded, help and version included.
  if (!std::cout.flush() && status == 0) {
    std::cerr << qxcli::text::CannotWriteOutput() << "\n";
    return 1;
  }
  return status;
}
