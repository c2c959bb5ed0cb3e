#include <gtest/gtest.h>
#include <quorvex2/platform/font_map.h>

namespace quorvex2 {
namespace {

TEST(FontMap, WindowsJapaneseFamiliesAreFoundAsIpaFonts) {
  EXPECT_EQ(MapFontFamily("ＭＳ ゴシック"), "IPAGothic");
  EXPECT_EQ(MapFontFamily("ＭＳ Ｐゴシック"), "IPAPGothic");
  EXPECT_EQ(MapFontFamily("ＭＳ 明朝"), "IPAMincho");
  EXPECT_EQ(MapFontFamily("ＭＳ Ｐ明朝"), "IPAPMincho");
  EXPECT_EQ(MapFontFamily("@ＭＳ 明朝"), "IPAMincho");
  EXPECT_EQ(MapFontFamily("DejaVu Sans"), "DejaVu Sans");

  // fontconfig really has them: the match is the family asked for, not a fallback.
  EXPECT_EQ(MatchedFontFamily("ＭＳ ゴシック"), "IPAGothic");
  EXPECT_EQ(MatchedFontFamily("ＭＳ Ｐゴシック"), "IPAPGothic");
  EXPECT_EQ(MatchedFontFamily("ＭＳ 明朝"), "IPAMincho");
  EXPECT_EQ(MatchedFontFamily("@ＭＳ Ｐ明朝"), "IPAPMincho");
  EXPECT_NE(MatchedFontFamily("No Such Family 12345"), "No Such Family 12345");
}

TEST(FontMap, VerticalNames) {
  EXPECT_TRUE(IsVerticalFontName("@ＭＳ ゴシック"));
  EXPECT_FALSE(IsVerticalFontName("ＭＳ ゴシック"));
  EXPECT_FALSE(IsVerticalFontName("@"));
  EXPECT_FALSE(IsVerticalFontName(""));
}

}  // namespace
}  // namespace quorvex2
