// Path texts. The procedures read "\" as the separator and also "/" (and ":" for drive letters)
// where noted, so Windows-style and "/" paths both work; the file system sees "/" only.
#include "quorvex2/core/path.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <system_error>

#include "quorvex2/core/text.h"

namespace quorvex2 {
namespace {

constexpr std::string_view kRemovedFromFileNames = ":/|><'\"";

// Position of the last "\", else of the last "/", else of the last ":" (npos when none).
size_t LastSeparator(const std::string& path) {
  for (char separator : {'\\', '/', ':'}) {
    if (const size_t pos = path.rfind(separator); pos != std::string::npos) return pos;
  }
  return std::string::npos;
}

// The last path component (after "\" or "/").
size_t LastComponentStart(const std::string& path) {
  const size_t pos = path.find_last_of("\\/");
  return pos == std::string::npos ? 0 : pos + 1;
}

}  // namespace

std::string ToFileSystemPath(const std::string& Path) {
  std::string out = Path;
  std::replace(out.begin(), out.end(), '\\', '/');
  return out;
}

// A folder is no file, nor is a pipe, socket or device: opening a pipe would wait for a writer.
bool IsFileExists(const std::string& Path) {
  if (Path.empty()) return false;
  const std::string path = ToFileSystemPath(Path);
  std::error_code ec;
  const auto status = std::filesystem::status(path, ec);
  if (!ec && !std::filesystem::is_regular_file(status)) return false;
  return std::ifstream(path, std::ios::binary).is_open();
}

bool IsFolderExists(const std::string& Path) {
  if (Path.empty()) return false;
  std::string folder = ToFileSystemPath(Path);
  if (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  std::error_code ec;
  return std::filesystem::is_directory(folder, ec);
}

// The separator added is always "\"; the file system sees it as "/" (ToFileSystemPath).
std::string AddPathSeparator(const std::string& Path) {
  if (!Path.empty() && (Path.back() == '\\' || Path.back() == '/')) return Path;
  return Path + "\\";
}

std::string RemovePathSeparator(const std::string& Path) {
  if (!Path.empty() && (Path.back() == '\\' || Path.back() == '/')) {
    return Path.substr(0, Path.size() - 1);
  }
  return Path;
}

std::string GetFileName(const std::string& Path) {
  const size_t pos = LastSeparator(Path);
  return pos == std::string::npos ? Path : Path.substr(pos + 1);
}

// Up to and including the last "\", else the last ":"; a "/" is no separator here.
std::string GetFolderName(const std::string& Path) {
  size_t pos = Path.rfind('\\');
  if (pos == std::string::npos) pos = Path.rfind(':');
  return pos == std::string::npos ? std::string() : Path.substr(0, pos + 1);
}

std::string GetExtension(const std::string& Path) {
  const std::string unquoted = RemoveQuote(Path);
  const bool has_wildcard = unquoted.find_first_of("*?") != std::string::npos;
  if (!has_wildcard && IsFolderExists(unquoted)) return std::string();
  const size_t start = LastComponentStart(Path);
  const size_t dot = Path.rfind('.');
  if (dot == std::string::npos || dot < start) return std::string();
  return ToLower(Path.substr(dot + 1));
}

std::string RemoveExtension(const std::string& Path) {
  const size_t start = LastComponentStart(Path);
  const size_t dot = Path.rfind('.');
  if (dot == std::string::npos || dot < start) return Path;
  return Path.substr(0, dot);
}

// The file-name part (GetFileName) cleaned, behind the folder part (GetFolderName): "M21/W21"
// keeps only "W21", "/etc/passwd" only "passwd", and "C:\out\M21/W21" becomes "C:\out\M21W21".
std::string MakeSafeFileName(const std::string& Path) {
  std::string name = GetFileName(Path);
  std::erase_if(name,
                [](char c) { return kRemovedFromFileNames.find(c) != std::string_view::npos; });
  return GetFolderName(Path) + name;
}

}  // namespace quorvex2
