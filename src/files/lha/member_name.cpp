#include "files/lha/member_name.h"

#include <fnmatch.h>

#include "files/archive/member_name.h"
#include "quorvex2/core/encoding.h"

namespace quorvex2::detail::lha {
namespace {

std::string LastPathPart(const std::string& path) {
  const size_t cut = path.find_last_of("/\\");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

}  // namespace

std::string StoredMemberName(const std::string& file_path) {
  return Utf8ToSjis(LastPathPart(file_path));
}

std::string ExtractedFileName(const std::string& stored_name) {
  return archive::MemberFileName(stored_name);
}

bool MatchesMask(const std::string& name, const std::string& mask) {
  if (mask == "*.*" || mask == "*") return true;
  return fnmatch(mask.c_str(), name.c_str(), FNM_CASEFOLD) == 0;
}

}  // namespace quorvex2::detail::lha
