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

// A regular file that may hold the event: never a file a Mac adds.
bool MayHoldTheEvent(const MemberInfo& member) {
  return member.regular && !IsSystemFile(member);
}

bool HasExtension(const MemberInfo& member, const std::vector<std::string>& extensions) {
  const std::string extension = GetExtension(GetFileName(member.name));
  return std::find(extensions.begin(), extensions.end(), extension) != extensions.end();
}

// The members of one kind of the list, in archive order.
std::vector<size_t> MembersOfKind(const std::vector<MemberInfo>& members,
                                  const std::vector<std::string>& extensions) {
  std::vector<size_t> found;
  for (size_t i = 0; i < members.size(); ++i) {
    if (MayHoldTheEvent(members[i]) && HasExtension(members[i], extensions)) {
      found.push_back(i);
    }
  }
  return found;
}

// What the host's chooser is offered: the component's own lap files alone; of other result
// files, every one that may be the event, the likeliest kind first.
std::vector<size_t> OfferedMembers(const std::vector<MemberInfo>& members,
                                   const std::vector<size_t>& candidates) {
  if (HasExtension(members[candidates.front()], kLapFileExtensions.front())) return candidates;
  std::vector<size_t> offered;
  for (const auto& extensions : kLapFileExtensions) {
    const std::vector<size_t> found = MembersOfKind(members, extensions);
    offered.insert(offered.end(), found.begin(), found.end());
  }
  return offered;
}

}  // namespace

std::vector<size_t> LapFileCandidates(const std::vector<MemberInfo>& members) {
  for (const auto& extensions : kLapFileExtensions) {
    std::vector<size_t> found = MembersOfKind(members, extensions);
    if (!found.empty()) return found;
  }
  return {};
}

std::optional<size_t> ChooseLapFile(const std::vector<MemberInfo>& members,
                                    const std::vector<size_t>& candidates) {
  if (candidates.empty()) return std::nullopt;
  const std::vector<size_t> offered = OfferedMembers(members, candidates);
  if (offered.size() == 1) return offered.front();
  const clsQuorvex2* root = CurrentRoot();
  const bool one_likeliest = candidates.size() == 1;
  if (root == nullptr || !root->ChooseArchiveMember) {
    return one_likeliest ? std::optional<size_t>(candidates.front()) : std::nullopt;
  }
  std::vector<std::string> names;
  for (size_t i : offered) names.push_back(members[i].name);
  const std::string chosen = root->ChooseArchiveMember(names);
  const auto it = std::find(names.begin(), names.end(), chosen);
  if (it != names.end()) return offered[static_cast<size_t>(it - names.begin())];
  if (chosen.empty() && one_likeliest) return candidates.front();
  return std::nullopt;
}

std::optional<size_t> NamedMember(const std::vector<MemberInfo>& members, const std::string& name) {
  for (size_t i = 0; i < members.size(); ++i) {
    const MemberInfo& member = members[i];
    if (MayHoldTheEvent(member) && (member.name == name || GetFileName(member.name) == name)) {
      return i;
    }
  }
  return std::nullopt;
}

}  // namespace quorvex2::detail::archive
