#include "quorvex2/core/value_types.h"

#include <gtest/gtest.h>

#include "core/detail/internal.h"
#include "quorvex2/core/format.h"

namespace quorvex2 {
namespace {

Date Seconds(double s) {
  return s / 86400.0;
}

clsTimeValue Time(Date value) {
  clsTimeValue t;
  t.Value(value);
  return t;
}

TEST(TimeValue, CodesGiveTheirPlaceholders) {
  EXPECT_EQ(Time(0).ToString(), "－");
  EXPECT_EQ(Time(-1).ToString(), "↓");
  EXPECT_EQ(Time(-2).ToString(), "×");
  EXPECT_EQ(Time(0).ToString("hh:nn:ss", false, ""), "");
  EXPECT_EQ(Time(-1).ToString("hh:nn:ss", true, "n", "s", "d"), "s");
  EXPECT_EQ(Time(-2).ToString("plane", false, "n", "s", "d"), "d");
}

TEST(TimeValue, FormatsCompactAndSign) {
  const Date t = Seconds(5025);
  EXPECT_EQ(Time(t).ToString(), "01:23:45");
  EXPECT_EQ(Time(t).ToString("h:nn:ss"), "1:23:45");
  EXPECT_EQ(Time(t).ToString("hh:nn:ss", true), "1:23:45");
  EXPECT_EQ(Time(Seconds(-65)).ToString(), "-00:01:05");
  EXPECT_EQ(Time(Seconds(-0.4)).ToString(), "00:00:00");
  EXPECT_EQ(Time(Seconds(-1)).ToString(), "-00:00:01");
  // A difference of two clock times a second apart is a hair above -1 s: the sign is decided
  // on the rounded value, like the digits.
  const Date minus_one = 36002 * kSecond - 36003 * kSecond;
  EXPECT_EQ(Time(minus_one).ToString(), "-00:00:01");
  EXPECT_EQ(Time(minus_one).ToString("", true), "-0:01");
  EXPECT_EQ(Time(Seconds(-65)).ToString("", true), "-1:05");
  EXPECT_EQ(Time(Seconds(-0.4)).ToString("", true), "0:00");
  // Whole days are lost under a time format.
  EXPECT_EQ(Time(Seconds(25 * 3600)).ToString(), "01:00:00");
}

TEST(TimeValue, PlaneForm) {
  // Values built as n x (one second) sit a few ulps off the whole second: the form is chosen on
  // the value rounded to whole seconds, like the digits it prints.
  const struct {
    double seconds;
    const char* text;
  } cases[] = {{65, "105"},   {754, "1234"}, {3723, "6203"}, {45, "45"},   {5, "5"},
               {60, "100"},   {59.6, "100"}, {59.4, "59"},   {-45, "-45"}, {-65, "-105"},
               {-60, "-100"}, {-0.4, "0"},   {-1, "-1"}};
  for (const auto& c : cases) {
    EXPECT_EQ(Time(c.seconds * kSecond).ToString("plane"), c.text) << c.seconds;
  }
  // "Plane" is exact and case-sensitive: any other spelling is a format expression.
  EXPECT_EQ(Time(Seconds(65)).ToString("Plane"), "Pla1e");
}

TEST(MissTimeValue, SentinelCodesAndZero) {
  clsMissTimeValue miss;
  EXPECT_EQ(miss.Value(), 0);
  EXPECT_EQ(miss.StoredValue(), -10);
  EXPECT_EQ(miss.ToString(), "－");
  miss.SetValue(0, detail::MakeInternal());
  EXPECT_EQ(miss.ToString(), "00:00:00");
  EXPECT_EQ(miss.ToString("", true), "0:00");
  miss.SetValue(-2, detail::MakeInternal());
  EXPECT_EQ(miss.ToString("hh:nn:ss", false, "N", "S"), "N");
  miss.SetValue(-1, detail::MakeInternal());
  EXPECT_EQ(miss.ToString("hh:nn:ss", false, "N", "S"), "S");
  miss.SetValue(Seconds(-65), detail::MakeInternal());
  EXPECT_EQ(miss.ToString(), "-00:01:05");
  EXPECT_EQ(miss.ToString("plane"), "-105");
  miss.SetValue(Seconds(125), detail::MakeInternal());
  EXPECT_EQ(miss.ToString("", true), "2:05");
  miss.Reset(detail::MakeInternal());
  EXPECT_EQ(miss.ToString(), "－");
  EXPECT_EQ(miss.Value(), 0);
}

TEST(DateValue, EmptyForZeroAndFormats) {
  clsDateValue date;
  EXPECT_EQ(date.ToString(), "");
  date.Value(MakeDate(2003, 5, 18));
  EXPECT_EQ(date.ToString(), "2003/05/18");
  EXPECT_EQ(date.ToString("yyyy年mm月dd日"), "2003年05月18日");
  EXPECT_EQ(date.ToString("yyyy-mm-dd"), "2003-05-18");
  date.Value(MakeDate(2003, 5, 18, 10, 5, 59) + Seconds(0.6));
  EXPECT_EQ(date.ToString("yyyy/mm/dd hh:nn:ss"), "2003/05/18 10:06:00");
  date.Value(MakeDate(2003, 5, 18, 23, 59, 59) + Seconds(0.5));
  EXPECT_EQ(date.ToString("yyyy/mm/dd hh:nn"), "2003/05/19 00:00");
}

TEST(PercentValue, CodesAndRounding) {
  clsPercentValue p;
  EXPECT_EQ(p.ToString(), "－");
  p.SetValue(0.456f, detail::MakeInternal());
  EXPECT_EQ(p.ToString(), "46");
  EXPECT_EQ(p.ToString("#0.0"), "45.6");
  p.SetValue(-1, detail::MakeInternal());
  EXPECT_EQ(p.ToString(), "↓");
  EXPECT_EQ(p.Value(), 0);
  p.SetValue(-2, detail::MakeInternal());
  EXPECT_EQ(p.ToString("#0", "N", "S"), "N");
  p.SetValue(0.125f, detail::MakeInternal());
  EXPECT_EQ(p.ToString(), "13");  // 12.5 rounds away from zero
  p.SetValue(1.5f, detail::MakeInternal());
  EXPECT_EQ(p.ToString(), "150");
}

TEST(LegRankValue, HyphenAndParentheses) {
  clsLegRankValue rank;
  EXPECT_EQ(rank.ToString(), "-");
  EXPECT_EQ(rank.ToString(false), "");
  EXPECT_EQ(rank.ToString(true, true), "-)");
  EXPECT_EQ(rank.ToString(false, true), "");
  rank.SetValue(12, detail::MakeInternal());
  EXPECT_EQ(rank.ToString(true, true), "12)");
  EXPECT_EQ(rank.ToString(false), "12");
}

}  // namespace
}  // namespace quorvex2
