#pragma once
// The SQLite file behind the settings: one table of (key path, item, value).
#include <optional>
#include <string>

namespace quorvex2::detail {

// $QUORVEX2_CONFIG, else $XDG_CONFIG_HOME/quorvex2/config.sqlite3 (when absolute), else
// ~/.config/quorvex2/config.sqlite3 ($HOME, else the user's home in the password database).
std::string DefaultConfigFile();

// The stored value; nothing when the file or the item does not exist. std::runtime_error when
// the file cannot be read as a settings store.
std::optional<std::string> ReadSetting(const std::string& File, const std::string& KeyPath,
                                       const std::string& Item);
// Creates the file and its folder when needed and stores the value in one transaction,
// waiting for other writers. std::runtime_error when that fails.
void WriteSetting(const std::string& File, const std::string& KeyPath, const std::string& Item,
                  const std::string& Value);

}  // namespace quorvex2::detail
