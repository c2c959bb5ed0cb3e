#pragma once
// Loading the lap files that every command works on: FILE... plus --load-mode, --type,
// --member and --progress/--no-progress.
#include <CLI/CLI.hpp>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <quorvex2/core/root.h>

namespace qxcli {

struct LoadOptions {
  std::vector<std::string> files;  // the first loads in mode 0, the others in load_mode
  int32_t load_mode = 1;
  std::string type = "auto";  // auto|lxm|lap|sportident|oevent|import-only
  std::string member;         // the lap file to take from an archive holding several
  bool progress = true;       // a bar on stderr, when stderr is a terminal
};

// Adds FILE... (required) and the loading options to a command.
void AddLoadOptions(CLI::App& sub, LoadOptions& options);

// A new root object holding the loaded event. Throws ExitError(1, error comment) when a load
// fails.
std::shared_ptr<quorvex2::clsQuorvex2> LoadEvent(const LoadOptions& options);

// The file type of a --type name (0 for "auto").
int32_t FileTypeFromName(const std::string& name);

}  // namespace qxcli
