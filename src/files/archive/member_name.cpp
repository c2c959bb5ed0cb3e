#include "files/archive/member_name.h"

#include <string_view>

#include "core/detail/file_names.h"
#include "core/detail/utf8.h"
#include "quorvex2/core/encoding.h"

namespace quorvex2::detail::archive {

std::string DecodeMemberName(const std::string& stored) {
  return IsValidUtf8(stored) ? stored : SjisToUtf8(stored);
}

std::string MemberFileName(const std::string& stored) {
  return SafeFileName(DecodeMemberName(stored), "");
}

}  // namespace quorvex2::detail::archive
