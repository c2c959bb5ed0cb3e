// Lap files in LHA archives: extraction into the work folder (with the host's chooser when the
// archive holds several lap files) and packing a written lap file into an archive, through the
// archiver's command lines.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "core/detail/component_state.h"
#include "files/detail/archive.h"
#include "files/lha/unlha.h"
#include "quorvex2/core/path.h"
#include "quorvex2/core/root.h"
#include "quorvex2/core/text.h"

namespace quorvex2::detail {
namespace {

namespace fs = std::filesystem;

// The temporary folder's "Quorvex2", created when missing. "" when it cannot be used safely:
// a link or a folder of another user could send extracted files elsewhere.
std::string WorkFolder() {
  std::error_code error;
  const fs::path folder = fs::temp_directory_path(error) / "Quorvex2";
  if (error) return "";
  fs::create_directory(folder, error);
  struct stat info {};
  if (::lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::geteuid()) {
    return "";
  }
  return folder.string();
}

bool HasExtension(const fs::path& file, const std::vector<std::string>& extensions) {
  const std::string extension = GetExtension(file.filename().string());
  return std::find(extensions.begin(), extensions.end(), extension) != extensions.end();
}

// The regular files of the folder with one of the (lower-case) extensions, sorted by name.
std::vector<std::string> FilesWithExtension(const std::string& folder,
                                            const std::vector<std::string>& extensions) {
  std::vector<std::string> names;
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
    if (entry.is_regular_file(error) && HasExtension(entry.path(), extensions)) {
      names.push_back(entry.path().filename().string());
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

void DeleteFiles(const std::string& folder, const std::vector<std::string>& extensions) {
  std::error_code ignored;
  for (const std::string& name : FilesWithExtension(folder, extensions)) {
    fs::remove(fs::path(folder) / name, ignored);
  }
}

void RunArchiver(const std::string& command_line) {
  lha::Unlha(nullptr, command_line.c_str(), nullptr, 0);
}

// Several lap files: the host chooses; without a chooser, or for a name that is not on the list,
// the choice is cancelled.
std::string ChooseMember(const std::vector<std::string>& names) {
  const clsQuorvex2* root = CurrentRoot();
  if (root == nullptr || !root->ChooseArchiveMember) return "";
  const std::string chosen = root->ChooseArchiveMember(names);
  return std::find(names.begin(), names.end(), chosen) != names.end() ? chosen : "";
}

}  // namespace

std::string ExtractArchiveFile(const std::string& ArchivePath) {
  if (lha::UnlhaGetVersion() == 0) return "";
  const std::string folder = WorkFolder();
  if (folder.empty()) return "";
  DeleteFiles(folder, {"lxm", "lap"});
  RunArchiver("e -m " + AddQuote(ArchivePath) + " " + AddQuote(folder + "/") + " *.*");
  DeleteFiles(folder, {"lzh"});
  const std::vector<std::string> names = FilesWithExtension(folder, {"lap", "lxm"});
  if (names.empty()) return "";
  const std::string chosen = names.size() == 1 ? names.front() : ChooseMember(names);
  return chosen.empty() ? "" : folder + "/" + chosen;
}

bool MakeArchiveFile(const std::string& ArchivePath, const std::string& FilePath) {
  if (lha::UnlhaGetVersion() == 0) return false;
  // The member goes unquoted, as the archivers expect; a path with blanks needs the quotes.
  const std::string member =
      FilePath.find(' ') == std::string::npos ? FilePath : AddQuote(FilePath);
  const std::string command_line = "a " + AddQuote(ArchivePath) + " " + member;
  return lha::Unlha(nullptr, command_line.c_str(), nullptr, 0) == lha::kUnlhaSuccess;
}

}  // namespace quorvex2::detail
