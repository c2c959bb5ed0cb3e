#include "files/detail/work_folder.h"

#include <stdlib.h>

#include <cstring>
#include <filesystem>

#include "core/detail/catalogue.h"
#include "core/detail/fill_in.h"

namespace quorvex2::detail {

namespace fs = std::filesystem;

std::optional<WorkFolder> WorkFolder::Create(std::string& error) {
  std::error_code code;
  const fs::path temp = fs::temp_directory_path(code);
  if (code) {
    error = FillIn(Tr("一時フォルダーがありません: {reason}"), {{"reason", code.message()}});
    return std::nullopt;
  }
  std::string pattern = (temp / "Quorvex2-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) {
    error = FillIn(Tr("{folder} に作業フォルダーを作れません: {reason}"),
                   {{"folder", temp.string()}, {"reason", std::strerror(errno)}});
    return std::nullopt;
  }
  return WorkFolder(std::move(pattern));
}

WorkFolder::WorkFolder(WorkFolder&& other) noexcept : path_(std::move(other.path_)) {
  other.path_.clear();
}

WorkFolder& WorkFolder::operator=(WorkFolder&& other) noexcept {
  if (this != &other) {
    Remove();
    path_ = std::move(other.path_);
    other.path_.clear();
  }
  return *this;
}

WorkFolder::~WorkFolder() {
  Remove();
}

void WorkFolder::Remove() {
  if (path_.empty()) return;
  std::error_code ignored;
  fs::remove_all(path_, ignored);
  path_.clear();
}

}  // namespace quorvex2::detail
