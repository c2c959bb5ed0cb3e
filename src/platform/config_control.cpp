#include "quorvex2/platform/config_control.h"

#include <stdexcept>
#include <utility>

#include "platform/detail/config_store.h"
#include "platform/detail/utf8_chars.h"
#include "quorvex2/core/text.h"

namespace quorvex2 {

namespace {

constexpr const char* kSystemKey = "SOFTWARE\\Kestrin\\Quorvex2";
// A read fills a buffer of this many bytes, its terminating NUL included.
constexpr int32_t kReadBufferBytes = 1024;

// The text up to its first NUL, cut to the whole characters that fit in the read buffer when
// written in Shift-JIS.
std::string AsRead(const std::string& Stored) {
  std::string text = Stored.substr(0, Stored.find('\0'));
  std::string read;
  int32_t bytes = 0;
  for (const auto& character : detail::SplitCharacters(text)) {
    bytes += GetByteLength(character);
    if (bytes > kReadBufferBytes - 1) break;
    read += character;
  }
  return read;
}

}  // namespace

clsConfigControl::clsConfigControl() : clsConfigControl(detail::DefaultConfigFile()) {}

clsConfigControl::clsConfigControl(std::string StoreFile) : store_file_(std::move(StoreFile)) {
  ChangeFolder("Quorvex2");
}

void clsConfigControl::ChangeFolder(const std::string& NewValue) {
  folder_ = NewValue;
}

std::string clsConfigControl::KeyPath(QxConfigFolderConst ConfigFolder) const {
  if (ConfigFolder == QX_CONFIG_FOLDER_SYSTEM) return kSystemKey;
  return std::string(kSystemKey) + "\\" + folder_;
}

std::string clsConfigControl::Value(QxConfigFolderConst ConfigFolder, const std::string& Item,
                                    const std::string& DefaultValue) const {
  store_error_.clear();
  std::string value;
  try {
    value =
        AsRead(detail::ReadSetting(store_file_, KeyPath(ConfigFolder), ToUpper(Item)).value_or(""));
  } catch (const std::runtime_error& error) {
    store_error_ = error.what();
  }
  return value.empty() ? DefaultValue : value;
}

void clsConfigControl::Value(QxConfigFolderConst ConfigFolder, const std::string& Item,
                             const std::string& DefaultValue, const std::string& NewValue) {
  store_error_.clear();
  try {
    detail::WriteSetting(store_file_, KeyPath(ConfigFolder), ToUpper(Item),
                         NewValue.empty() ? DefaultValue : NewValue);
  } catch (const std::runtime_error& error) {
    store_error_ = error.what();
  }
}

}  // namespace quorvex2
