// The text procedures on empty, invalid and very long inputs: no crash, and the results still
// keep their promises.
#include <gtest/gtest.h>

#include <string>

#include "quorvex2/core/encoding.h"
#include "quorvex2/core/format.h"
#include "quorvex2/core/text.h"
#include "quorvex2/core/time_text.h"

namespace quorvex2 {
namespace {

const std::string kInvalid = "\xC3(\xA0\xA1\xE2\x28\xA1\xF0\x90\x28\xBC\xFF\xFE\xED\xA0\x80";

TEST(Robustness, EmptyTexts) {
  EXPECT_EQ(NormalizeTimeText("", false), "");
  EXPECT_EQ(ResultStatusOrder(""), 98);
  EXPECT_EQ(MidByWidth("", 1, 5), "");
  EXPECT_EQ(ToNarrow(""), "");
  EXPECT_EQ(ToWide(""), "");
  EXPECT_EQ(MakeNameKey(""), "");
  EXPECT_EQ(CutRight("", 1, "x"), "");
  EXPECT_EQ(RemoveQuote(""), "");
  EXPECT_EQ(AddQuote(""), "\"\"");
  EXPECT_EQ(FormatDate(0, ""), "");
  EXPECT_EQ(FormatNumber(1, ""), "");
}

TEST(Robustness, InvalidUtf8) {
  EXPECT_FALSE(IsValidTime(NormalizeTimeText(kInvalid)));
  EXPECT_EQ(GetByteLength(kInvalid), GetByteLength(Utf8ToSjis(kInvalid)));
  EXPECT_EQ(GetByteLength(FitString(kInvalid, 7)), 7);
  EXPECT_EQ(GetByteLength(FitString(kInvalid, 40, true)), 40);
  EXPECT_EQ(ToNarrow(ToWide(kInvalid)), kInvalid);
  EXPECT_EQ(ToUpper(ToLower(kInvalid)), kInvalid);
  EXPECT_EQ(ResultStatusOrder(kInvalid), 98);
  EXPECT_FALSE(SjisToUtf8(kInvalid).empty());
  EXPECT_EQ(CutRight(kInvalid, 1), kInvalid.substr(0, kInvalid.size() - 1));
}

TEST(Robustness, MegabyteLines) {
  std::string wide;
  for (int i = 0; i < (1 << 18); ++i) wide += "名";
  const std::string mixed = wide + "ｸﾞ" + std::string(1 << 20, '1');
  EXPECT_EQ(GetByteLength(wide), 1 << 19);
  EXPECT_EQ(GetByteLength(MidByWidth(mixed, 2, 1 << 19)), 1 << 19);
  EXPECT_EQ(FitString(wide, 3), "名 ");
  EXPECT_EQ(ToNarrow(ToWide(mixed)), mixed);
  EXPECT_EQ(NormalizeTimeText(mixed), mixed);
  EXPECT_FALSE(IsValidDate(mixed));
  EXPECT_EQ(CountString(mixed, "名名"), 1 << 17);
  EXPECT_EQ(GetSeparatedValue(std::string(1 << 16, ','), 1 << 16, ","), "");
}

}  // namespace
}  // namespace quorvex2
