#include "files/archive/member_choice.h"

#include <algorithm>

#include "core/detail/component_state.h"
#include "quorvex2/core/path.h"
#include "quorvex2/core/root.h"

namespace quorvex2::detail::archive {
namespace {

// The kinds of member that may hold the event, the likeliest first: a text file beside an XML
// list or a table is most often a note about it.
const std::vector<std::vector<std::string>> kLapFileExtensions = {
    {"lxm", "lap"}, {"xml"}, {"csv", "tsv"}, {"htm", "html"}, {"txt", ""}};

// The copies of a file's attributes a Mac adds to the archives it makes ("__MACOSX/...",
// "._results.xml") and its folder settings (".DS_Store") are never the event.
bool IsSystemFile(const MemberInfo& member) {
  const std::string name = GetFileName(member.name);
  return member.name.starts_with("__MACOSX/") ||
         member.name.find("/__MACOSX/") != std::string::npos || name.starts_with("._") ||
         name == ".DS_Store";
}

bool HasExtension(const MemberInfo& member, const std::vector<std::string>& extensions) {
  const std::string extension = GetExtension(GetFileName(member.name));
  return std::find(extensions.begin(), extensions.end(), extension) != extensions.end();
}

}  // namespace

std::vector<size_t> LapFileCandidates(const std::vector<MemberInfo>& members) {
  for (const auto& extensions : kLapFileExtensions) {
    std::vector<size_t> found;
    for (size_t i = 0; i < members.size(); ++i) {
      if (members[i].regular && !IsSystemFile(members[i]) && HasExtension(members[i], extensions)) {
        found.push_back(i);
      }
    }
    if (!found.empty()) return found;
  }
  return {};
}

std::optional<size_t> ChooseLapFile(const std::vector<MemberInfo>& members,
                                    const std::vector<size_t>& candidates) {
  if (candidates.size() == 1) return candidates.front();
  const clsQuorvex2* root = CurrentRoot();
  if (candidates.empty() || root == nullptr || !root->ChooseArchiveMember) return std::nullopt;
  std::vector<std::string> names;
  for (size_t i : candidates) names.push_back(members[i].name);
  const std::string chosen = root->ChooseArchiveMember(names);
  const auto it = std::find(names.begin(), names.end(), chosen);
  if (it == names.end()) return std::nullopt;
  return candidates[static_cast<size_t>(it - names.begin())];
}

}  // namespace quorvex2::detail::archive
