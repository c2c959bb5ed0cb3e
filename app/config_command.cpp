// quorvex2 config get ITEM [--default V] | set ITEM VALUE   [--system | --folder NAME]
#include <quorvex2/core/root.h>
#include <quorvex2/platform/config_control.h>

#include <iostream>
#include <memory>
#include <stdexcept>

#include "command_registry.h"
#include "language_option.h"
#include "messages.h"

namespace {

struct ConfigOptions {
  std::string item;
  std::string value;
  std::string default_value;
  std::string folder;
  bool system = false;
};

void AddPlaceOptions(CLI::App& command, ConfigOptions& options) {
  auto* system = command.add_flag("--system", options.system, "Use the system place");
  command.add_option("--folder", options.folder, "Use this data folder (default Quorvex2)")
      ->excludes(system);
}

quorvex2::QxConfigFolderConst Place(quorvex2::clsConfigControl& config,
                                    const ConfigOptions& options) {
  if (options.system) return quorvex2::QX_CONFIG_FOLDER_SYSTEM;
  if (!options.folder.empty()) config.ChangeFolder(options.folder);
  return quorvex2::QX_CONFIG_FOLDER_DATA;
}

void FailOnStoreError(const quorvex2::clsConfigControl& config) {
  if (config.StoreError().empty()) return;
  throw qxcli::ExitError(
      1, qxcli::text::WithRecord(qxcli::text::SettingsUnusable("config"), config.StoreError()));
}

// The settings of a root that speaks the run's language, in which the store's failures are said.
std::shared_ptr<quorvex2::clsQuorvex2> Root() {
  auto root = std::make_shared<quorvex2::clsQuorvex2>();
  root->Language(qxcli::Language());
  return root;
}

void Get(const ConfigOptions& options) {
  const auto root = Root();
  quorvex2::clsConfigControl& config = *root->ConfigControl();
  auto place = Place(config, options);
  std::string value = config.Value(place, options.item, options.default_value);
  FailOnStoreError(config);
  std::cout << value << "\n";
}

void Set(const ConfigOptions& options) {
  const auto root = Root();
  quorvex2::clsConfigControl& config = *root->ConfigControl();
  auto place = Place(config, options);
  config.Value(place, options.item, options.default_value, options.value);
  FailOnStoreError(config);
}

void SetupConfig(CLI::App& sub) {
  auto options = std::make_shared<ConfigOptions>();
  sub.require_subcommand(1);
  auto* get = sub.add_subcommand("get", "Print a setting (its default when it is not set)");
  get->add_option("ITEM", options->item, "Setting name (case does not matter)")->required();
  get->add_option("--default", options->default_value, "Printed when the setting is not set");
  AddPlaceOptions(*get, *options);
  get->callback([options] { Get(*options); });

  auto* set = sub.add_subcommand("set", "Store a setting");
  set->add_option("ITEM", options->item, "Setting name (case does not matter)")->required();
  set->add_option("VALUE", options->value, "New value")->required();
  AddPlaceOptions(*set, *options);
  set->callback([options] { Set(*options); });
}

const bool registered = qxcli::RegisterCommand(
    {"config", "Read or write a setting of the system place or a data folder", SetupConfig});

}  // namespace
