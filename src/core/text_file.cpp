// Whole-file reading and writing: the line reader of text lap files and the atomic writer.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "core/detail/atomic_file.h"
#include "quorvex2/core/encoding.h"
#include "quorvex2/core/path.h"
#include "quorvex2/core/text.h"

namespace quorvex2 {
namespace {

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t pos; (pos = text.find("\r\n", start)) != std::string::npos;) {
    lines.push_back(text.substr(start, pos - start));
    start = pos + 2;
  }
  lines.push_back(text.substr(start));
  return lines;
}

}  // namespace

std::optional<std::string> ReadFileBytes(const std::string& Path) {
  if (!IsFileExists(Path)) return std::nullopt;
  const std::string path = ToFileSystemPath(Path);
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  // Read at the size the file has, so a large file is held once and not grown into.
  std::error_code error;
  const uintmax_t size = std::filesystem::file_size(path, error);
  std::string bytes(error ? 0 : static_cast<size_t>(size), '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<size_t>(in.gcount()));
  // A file that grew meanwhile, or whose size is not known, is read to its end.
  if (!in.eof()) {
    bytes.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  if (in.bad()) return std::nullopt;
  return bytes;
}

std::optional<std::vector<std::string>> ReadTextLines(const std::string& Path, bool RemoveQuotes) {
  const auto bytes = ReadFileBytes(Path);
  if (!bytes) return std::nullopt;
  std::string text = DecodeTextFile(*bytes);
  if (RemoveQuotes) std::erase(text, '"');
  return SplitLines(text);
}

bool WriteFileAtomically(const std::string& Path, const std::string& Bytes) {
  return detail::WriteWholeFile(Path, Bytes);
}

}  // namespace quorvex2
