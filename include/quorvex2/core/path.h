#pragma once
// Path and file procedures. They recognise "\" (and "/", ":" where documented) in their string
// results; paths handed to the file system use "/".
#include <optional>
#include <string>
#include <vector>

namespace quorvex2 {

// The path as the file system takes it: every "\" becomes "/".
std::string ToFileSystemPath(const std::string& Path);

// The file procedures below accept "\" and "/" paths (see ToFileSystemPath).
bool IsFileExists(const std::string& Path);
bool IsFolderExists(const std::string& Path);
// Appends "\" unless the path ends with "\" or "/".
std::string AddPathSeparator(const std::string& Path);
std::string RemovePathSeparator(const std::string& Path);
std::string GetFileName(const std::string& Path);
std::string GetFolderName(const std::string& Path);
std::string GetExtension(const std::string& Path);
std::string RemoveExtension(const std::string& Path);
std::string MakeSafeFileName(const std::string& Path);

// The lines of a text file, decoded and with its line ends normalised (DecodeTextFile in
// encoding.h); nothing when the file cannot be read.
std::optional<std::vector<std::string>> ReadTextLines(const std::string& Path,
                                                      bool RemoveQuotes = false);

// Writes bytes to a temporary file beside Path and renames it into place, so a failed write
// never destroys the file that was there. False on any failure.
bool WriteFileAtomically(const std::string& Path, const std::string& Bytes);
// The whole file as bytes; nothing when it cannot be read.
std::optional<std::string> ReadFileBytes(const std::string& Path);

}  // namespace quorvex2
