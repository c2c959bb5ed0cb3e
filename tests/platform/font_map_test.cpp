#include <gtest/gtest.h>
#include <quorvex2/platform/font_map.h>

namespace quorvex2 {
namespace {

// Windows Japanese families are found as the IPA fonts fontconfig really has (the match is the
// family asked for, not a fallback); "@" marks a vertical font; other families stay.
TEST(FontMap, WindowsJapaneseFamiliesAreFoundAsIpaFonts) {
  const std::pair<const char*, const char*> cases[] = {{"ＭＳ ゴシック", "IPAGothic"},
                                                       {"ＭＳ Ｐゴシック", "IPAPGothic"},
                                                       {"ＭＳ 明朝", "IPAMincho"},
                                                       {"ＭＳ Ｐ明朝", "IPAPMincho"},
                                                       {"@ＭＳ 明朝", "IPAMincho"}};
  for (auto [family, ipa] : cases) {
    EXPECT_EQ(MapFontFamily(family), ipa) << family;
    EXPECT_EQ(MatchedFontFamily(family), ipa) << family;
  }
  EXPECT_EQ(MapFontFamily("DejaVu Sans"), "DejaVu Sans");
  EXPECT_NE(MatchedFontFamily("No Such Family 12345"), "No Such Family 12345");
  EXPECT_TRUE(IsVerticalFontName("@ＭＳ ゴシック"));
  for (const char* name : {"ＭＳ ゴシック", "@", ""})
    EXPECT_FALSE(IsVerticalFontName(name)) << name;
}

}  // namespace
}  // namespace quorvex2
