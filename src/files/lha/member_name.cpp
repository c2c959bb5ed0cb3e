#include "files/lha/member_name.h"

#include <fnmatch.h>

#include <string_view>

#include "core/detail/utf8.h"
#include "quorvex2/core/encoding.h"

namespace quorvex2::detail::lha {
namespace {

std::string LastPathPart(const std::string& path) {
  const size_t cut = path.find_last_of("/\\");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

bool IsValidUtf8(std::string_view text) {
  for (size_t pos = 0; pos < text.size();) {
    if (!IsValidUtf8At(text, pos)) return false;
    DecodeUtf8(text, pos);
  }
  return true;
}

}  // namespace

std::string StoredMemberName(const std::string& file_path) {
  return Utf8ToSjis(LastPathPart(file_path));
}

std::string ExtractedFileName(const std::string& stored_name) {
  const std::string decoded = IsValidUtf8(stored_name) ? stored_name : SjisToUtf8(stored_name);
  std::string name = LastPathPart(decoded);
  if (name == "." || name == ".." || name.find('\0') != std::string::npos) return "";
  return name;
}

bool MatchesMask(const std::string& name, const std::string& mask) {
  if (mask == "*.*" || mask == "*") return true;
  return fnmatch(mask.c_str(), name.c_str(), FNM_CASEFOLD) == 0;
}

}  // namespace quorvex2::detail::lha
