#include "quorvex2/platform/font_map.h"

#include <fontconfig/fontconfig.h>

#include <array>
#include <memory>
#include <utility>

#include "platform/detail/font_system.h"

namespace quorvex2 {

namespace {

constexpr std::array<std::pair<const char*, const char*>, 8> kFamilies = {{
    {"ＭＳ ゴシック", "IPAGothic"},
    {"ＭＳ Ｐゴシック", "IPAPGothic"},
    {"ＭＳ 明朝", "IPAMincho"},
    {"ＭＳ Ｐ明朝", "IPAPMincho"},
    {"MS Gothic", "IPAGothic"},
    {"MS PGothic", "IPAPGothic"},
    {"MS Mincho", "IPAMincho"},
    {"MS PMincho", "IPAPMincho"},
}};

}  // namespace

bool IsVerticalFontName(const std::string& Name) {
  return Name.size() > 1 && Name[0] == '@';
}

std::string MapFontFamily(const std::string& Name) {
  std::string family = IsVerticalFontName(Name) ? Name.substr(1) : Name;
  for (const auto& [windows, installed] : kFamilies) {
    if (family == windows) return installed;
  }
  return family;
}

std::string MatchedFontFamily(const std::string& Name) {
  detail::ReleaseFontSystemAtExit();
  std::unique_ptr<FcPattern, decltype(&FcPatternDestroy)> pattern(FcPatternCreate(),
                                                                  FcPatternDestroy);
  const std::string family = MapFontFamily(Name);
  FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());
  FcResult result = FcResultNoMatch;
  std::unique_ptr<FcPattern, decltype(&FcPatternDestroy)> match(
      FcFontMatch(nullptr, pattern.get(), &result), FcPatternDestroy);
  FcChar8* matched = nullptr;
  if (!match || FcPatternGetString(match.get(), FC_FAMILY, 0, &matched) != FcResultMatch) {
    return "";
  }
  return reinterpret_cast<const char*>(matched);
}

}  // namespace quorvex2
