#pragma once
// Settings kept by folder: a string store with a system place common to everything and a data
// place, a named folder the host can switch. Kept in an SQLite file: $QUORVEX2_CONFIG, else
// $XDG_CONFIG_HOME/quorvex2/config.sqlite3, else ~/.config/quorvex2/config.sqlite3.
#include <cstdint>
#include <string>

namespace quorvex2 {

enum QxConfigFolderConst : int32_t {
  QX_CONFIG_FOLDER_SYSTEM = 0,
  QX_CONFIG_FOLDER_DATA = 1,
};

class clsConfigControl {
 public:
  // The store named by the environment, data folder "Quorvex2".
  clsConfigControl();
  // The store in the given file, data folder "Quorvex2".
  explicit clsConfigControl(std::string StoreFile);

  // Makes NewValue the data folder.
  void ChangeFolder(const std::string& NewValue);
  std::string Folder() const { return folder_; }

  // The item (names are upper-cased) of the place; DefaultValue when it is missing or empty.
  // At most 1023 bytes of the value, counted in Shift-JIS, are read. A store that cannot be
  // read gives DefaultValue and leaves its reason in StoreError.
  std::string Value(QxConfigFolderConst ConfigFolder, const std::string& Item,
                    const std::string& DefaultValue = "") const;
  // Writes NewValue, or DefaultValue when NewValue is empty. A store that cannot be written
  // (read-only or corrupt file) stays unchanged; the write is lost and StoreError says why.
  void Value(QxConfigFolderConst ConfigFolder, const std::string& Item,
             const std::string& DefaultValue, const std::string& NewValue);

  // The file the settings live in.
  std::string StoreFile() const { return store_file_; }
  // Why the last read or write failed; "" after a successful one.
  std::string StoreError() const { return store_error_; }

 private:
  std::string KeyPath(QxConfigFolderConst ConfigFolder) const;

  std::string store_file_;
  std::string folder_;
  mutable std::string store_error_;
};

}  // namespace quorvex2
