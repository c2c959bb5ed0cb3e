#include "quorvex2/core/time_text.h"

#include <gtest/gtest.h>

#include "quorvex2/core/format.h"

namespace quorvex2 {
namespace {

Date Seconds(double s) {
  return s / 86400.0;
}

TEST(NormalizeTimeText, PackedDigitsSecondsFirst) {
  EXPECT_EQ(NormalizeTimeText("5"), "00:00:05");
  EXPECT_EQ(NormalizeTimeText("45"), "00:00:45");
  EXPECT_EQ(NormalizeTimeText("345"), "00:03:45");
  EXPECT_EQ(NormalizeTimeText("1234"), "00:12:34");
  EXPECT_EQ(NormalizeTimeText("12345", true, "h:nn:ss"), "1:23:45");
  EXPECT_EQ(NormalizeTimeText("123456"), "12:34:56");
  EXPECT_EQ(NormalizeTimeText("0075"), "00:01:15");  // carried
}

TEST(NormalizeTimeText, PackedDigitsHoursFirst) {
  EXPECT_EQ(NormalizeTimeText("1234", false), "12:34:00");
  EXPECT_EQ(NormalizeTimeText("12", false), "12:00:00");
  EXPECT_EQ(NormalizeTimeText("930", false), "09:30:00");
  EXPECT_EQ(NormalizeTimeText("12345", false), "01:23:45");
  EXPECT_EQ(NormalizeTimeText("123456", false, "h:nn:ss"), "12:34:56");
  // One digit has no hours-first reading and is no time.
  EXPECT_FALSE(IsValidTime(NormalizeTimeText("5", false)));
}

TEST(NormalizeTimeText, NumbersWithoutATimeReading) {
  for (const char* text : {"1234567", "-1234", "12.5", "1e3", "+12"}) {
    EXPECT_FALSE(IsValidTime(NormalizeTimeText(text))) << text;
    EXPECT_FALSE(IsValidTime(NormalizeTimeText(text, false))) << text;
  }
}

TEST(NormalizeTimeText, ColonTextsSecondsFirst) {
  EXPECT_EQ(NormalizeTimeText("12:34"), "00:12:34");  // minutes and seconds
  EXPECT_EQ(NormalizeTimeText("1:02:03"), "01:02:03");
  EXPECT_EQ(NormalizeTimeText("1:02:03", true, "h:nn:ss"), "1:02:03");
  EXPECT_EQ(NormalizeTimeText("59:59"), "00:59:59");  // no valid h:mm, read as ##:##
  EXPECT_EQ(NormalizeTimeText("5:75"), "00:06:15");   // #:## with carrying
  EXPECT_EQ(NormalizeTimeText("12:75"), "00:13:15");
  EXPECT_EQ(NormalizeTimeText("00:01:75", true, "h:nn:ss"), "0:02:15");
  EXPECT_EQ(NormalizeTimeText("00:75:00", false), "01:15:00");
  EXPECT_EQ(NormalizeTimeText("125:30", true, "h:nn:ss"), "2:05:30");
  EXPECT_EQ(NormalizeTimeText("999:59"), "16:39:59");
  // Hours first takes colon texts as written.
  EXPECT_EQ(NormalizeTimeText("12:34", false), "12:34:00");
  EXPECT_EQ(NormalizeTimeText("125:30", false), "125:30");
}

TEST(NormalizeTimeText, MinuteMarkNotationAndCuts) {
  EXPECT_EQ(NormalizeTimeText("1:23'45\""), "01:23:45");
  EXPECT_EQ(NormalizeTimeText("12:34'56\"", true, "h:nn:ss"), "12:34:56");
  EXPECT_EQ(NormalizeTimeText("1:23'45\"", false), "1:23'45\"");
  EXPECT_EQ(NormalizeTimeText("１：２３’４５”"), "01:23:45");
  EXPECT_EQ(NormalizeTimeText("1:05:09(2)", true, "h:nn:ss"), "1:05:09");
  EXPECT_EQ(NormalizeTimeText("  1234  (3)"), "00:12:34");
  EXPECT_EQ(NormalizeTimeText("(1:00:00)"), "");
}

TEST(NormalizeTimeText, NonTimesAndFullWidth) {
  EXPECT_EQ(NormalizeTimeText("DNF"), "DNF");
  EXPECT_EQ(NormalizeTimeText(" ＤＮＦ "), "DNF");
  EXPECT_EQ(NormalizeTimeText("１：２３：４５"), "01:23:45");
  EXPECT_EQ(NormalizeTimeText("１２３４"), "00:12:34");
  EXPECT_EQ(NormalizeTimeText(""), "");
  EXPECT_EQ(NormalizeTimeText("ab:cd:ef"), "ab:cd:ef");
}

TEST(FormatCompactTime, WidthsAtTheBounds) {
  EXPECT_EQ(FormatCompactTime(Seconds(5)), "0:05");
  EXPECT_EQ(FormatCompactTime(Seconds(65)), "1:05");
  EXPECT_EQ(FormatCompactTime(Seconds(599)), "9:59");
  EXPECT_EQ(FormatCompactTime(Seconds(600)), "10:00");
  EXPECT_EQ(FormatCompactTime(Seconds(754)), "12:34");
  EXPECT_EQ(FormatCompactTime(Seconds(3599)), "59:59");
  EXPECT_EQ(FormatCompactTime(Seconds(3600)), "1:00:00");
  EXPECT_EQ(FormatCompactTime(Seconds(3754)), "1:02:34");
  EXPECT_EQ(FormatCompactTime(Seconds(-65)), "-1:05");
  EXPECT_EQ(FormatCompactTime(Seconds(-0.4)), "0:00");
  // Values that round up to a bound take the form of the bound.
  EXPECT_EQ(FormatCompactTime(Seconds(599.6)), "10:00");
  EXPECT_EQ(FormatCompactTime(Seconds(599.4)), "9:59");
  EXPECT_EQ(FormatCompactTime(Seconds(3599.6)), "1:00:00");
  EXPECT_EQ(FormatCompactTime(Seconds(-3599.6)), "-1:00:00");
  EXPECT_EQ(FormatCompactTime(Seconds(65), 6), "  1:05");
  EXPECT_EQ(FormatCompactTime(Seconds(3754), 5), "1:02:");
}

TEST(TimeToSecondsAndMinutes, DropWholeDays) {
  EXPECT_EQ(TimeToSeconds(Seconds(3723)), 3723);
  EXPECT_EQ(TimeToSeconds(Seconds(-65)), -65);
  EXPECT_EQ(TimeToSeconds(1 + Seconds(10)), 10);
  EXPECT_EQ(TimeToSeconds(Seconds(59.5)), 60);
  EXPECT_EQ(TimeToMinutes(Seconds(3723)), 62);
  EXPECT_EQ(TimeToMinutes(Seconds(-3723)), 62);
}

TEST(ParseDateOrDefault, FallsBackOnInvalidTexts) {
  EXPECT_EQ(ParseDateOrDefault("2003/05/18", 7), MakeDate(2003, 5, 18));
  EXPECT_EQ(ParseDateOrDefault("10:30", 7), Seconds(37800));
  EXPECT_EQ(ParseDateOrDefault("someday", 7), 7);
  EXPECT_EQ(ParseDateOrDefault("", 7), 7);
}

TEST(ResultStatusOrder, Rules) {
  EXPECT_EQ(ResultStatusOrder(""), 98);
  EXPECT_EQ(ResultStatusOrder("   "), 98);
  EXPECT_EQ(ResultStatusOrder("dns"), 99);
  EXPECT_EQ(ResultStatusOrder(" ＤＮＳ "), 99);
  EXPECT_EQ(ResultStatusOrder("P3"), 3);
  EXPECT_EQ(ResultStatusOrder("p12"), 12);
  EXPECT_EQ(ResultStatusOrder("P"), 0);
  EXPECT_EQ(ResultStatusOrder("Pending"), 0);
  EXPECT_EQ(ResultStatusOrder("MP"), 30);
  EXPECT_EQ(ResultStatusOrder("DNF"), 90);
  EXPECT_EQ(ResultStatusOrder("OCL"), 91);
  EXPECT_EQ(ResultStatusOrder("ＮＣＬ"), 91);
  EXPECT_EQ(ResultStatusOrder("CL"), 98);
  EXPECT_EQ(ResultStatusOrder("OOCL"), 98);
  EXPECT_EQ(ResultStatusOrder("DNQ"), 92);
  EXPECT_EQ(ResultStatusOrder("DSQ"), 93);
  EXPECT_EQ(ResultStatusOrder("12:34"), 0);
  EXPECT_EQ(ResultStatusOrder("12'34"), 0);
  EXPECT_EQ(ResultStatusOrder("失格"), 98);
}

TEST(MakeLegName, OriginsDestinationsAndDigitWidths) {
  EXPECT_EQ(MakeLegName(12, true, 1), "△→１");
  EXPECT_EQ(MakeLegName(12, true, 2), "１→２");
  EXPECT_EQ(MakeLegName(12, true, 10), "９→10");
  EXPECT_EQ(MakeLegName(12, true, 11), "10→11");
  EXPECT_EQ(MakeLegName(12, true, 13), "12→◎");
  EXPECT_EQ(MakeLegName(0, true, 1), "△→◎");
  EXPECT_EQ(MakeLegName(12, false, 3), "→３");
  EXPECT_EQ(MakeLegName(12, false, 13), "→◎");
}

}  // namespace
}  // namespace quorvex2
