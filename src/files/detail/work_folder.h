#pragma once
// A private folder for one load or save: made with mkdtemp under the temporary folder
// ("Quorvex2-XXXXXX", open to its owner only, so no other process can place or swap files in
// it), removed with everything in it when the object goes, whatever happened in between.
#include <optional>
#include <string>

namespace quorvex2::detail {

class WorkFolder {
 public:
  // nullopt when no folder can be made; error then says why.
  static std::optional<WorkFolder> Create(std::string& error);
  WorkFolder(WorkFolder&& other) noexcept;
  WorkFolder& operator=(WorkFolder&& other) noexcept;
  WorkFolder(const WorkFolder&) = delete;
  WorkFolder& operator=(const WorkFolder&) = delete;
  ~WorkFolder();

  const std::string& Path() const { return path_; }

 private:
  explicit WorkFolder(std::string path) : path_(std::move(path)) {}
  void Remove();

  std::string path_;
};

}  // namespace quorvex2::detail
