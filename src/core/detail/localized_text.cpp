#include "core/detail/localized_text.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "core/detail/catalogue.h"
#include "core/detail/east_asian.h"
#include "core/detail/internal.h"
#include "quorvex2/core/text.h"
#include "quorvex2/core/time_text.h"

namespace quorvex2::detail {

std::string LegCaption(int32_t ControlCount, bool WithOrigin, int32_t LegIndex) {
  if (IsSourceLanguage()) return MakeLegName(ControlCount, WithOrigin, LegIndex);
  const bool is_finish = int64_t{LegIndex} == int64_t{ControlCount} + 1;
  const std::string destination = is_finish ? Tr("leg", "◎") : std::to_string(LegIndex);
  std::string origin;
  if (WithOrigin) origin = LegIndex == 1 ? Tr("leg", "△") : std::to_string(LegIndex - 1);
  return origin + "→" + destination;
}

std::string NoDataMark() {
  return Tr("－");
}

std::string CompactName(const std::string& name) {
  return IsSourceLanguage() ? MakeNameKey(name) : name;
}

bool PutsFamilyFirst(const std::string& name) {
  return IsSourceLanguage() || HoldsEastAsian(name);
}

std::string PersonName(const std::string& family, const std::string& given) {
  if (family.empty() || given.empty()) return family + given;
  const bool family_first = PutsFamilyFirst(family) || PutsFamilyFirst(given);
  return family_first ? family + " " + given : given + " " + family;
}

std::optional<std::pair<std::string, std::string>> GivenFirstParts(const std::string& name) {
  if (PutsFamilyFirst(name)) return std::nullopt;
  const std::string words = Trim(name);
  const size_t blank = words.rfind(' ');
  if (blank == std::string::npos) return std::pair{words, std::string()};
  return std::pair{words.substr(blank + 1), Trim(words.substr(0, blank))};
}

std::string ColumnName(const clsLapData& runner, int32_t width) {
  if (IsSourceLanguage()) return runner.RunnerName;
  const std::string words = ReplaceAll(Trim(runner.RunnerName), "　", " ");
  std::string family = words.substr(0, words.find(' '));
  if (const auto parts = runner.NameParts(MakeInternal())) {
    family = parts->first;
  } else if (const auto given_first = GivenFirstParts(words)) {
    family = given_first->first;
  }
  return FitString(family, width - 1, false, true);
}

std::string WideInJapanese(const std::string& text) {
  return IsSourceLanguage() ? ToWide(text) : text;
}

}  // namespace quorvex2::detail
