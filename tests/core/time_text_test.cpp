#include "quorvex2/core/time_text.h"

#include <gtest/gtest.h>

#include "quorvex2/core/format.h"

namespace quorvex2 {
namespace {

Date Seconds(double s) {
  return s / 86400.0;
}

// Packed digits (carried), colon texts (##:##, #:## and h:mm:ss, minutes beyond 59), minute
// marks, full width, rank suffixes and bracketed texts; no times come back trimmed, half width
// and upper case.
TEST(NormalizeTimeText, Readings) {
  const std::pair<const char*, const char*> seconds_first[] = {
      {"5", "00:00:05"},         {"345", "00:03:45"},
      {"123456", "12:34:56"},    {"0075", "00:01:15"},
      {"12:34", "00:12:34"},     {"1:02:03", "01:02:03"},
      {"59:59", "00:59:59"},     {"5:75", "00:06:15"},
      {"12:75", "00:13:15"},     {"999:59", "16:39:59"},
      {"1:23'45\"", "01:23:45"}, {"  1234  (3)", "00:12:34"},
      {"(1:00:00)", ""},         {"", ""},
      {"ab:cd:ef", "ab:cd:ef"},  {"１：２３’４５”", "01:23:45"},
      {"１２３４", "00:12:34"},  {" ＤＮＦ ", "DNF"},
  };
  for (auto [text, normalised] : seconds_first) EXPECT_EQ(NormalizeTimeText(text), normalised);
  const std::pair<const char*, const char*> hours_first[] = {
      {"1234", "12:34:00"},  {"12", "12:00:00"},        {"930", "09:30:00"},
      {"12345", "01:23:45"}, {"00:75:00", "01:15:00"},  {"12:34", "12:34:00"},
      {"125:30", "125:30"},  {"1:23'45\"", "1:23'45\""}};  // colon texts as written
  for (auto [text, normalised] : hours_first) {
    EXPECT_EQ(NormalizeTimeText(text, false), normalised) << text;
  }
  const std::pair<const char*, const char*> short_hours[] = {{"12345", "1:23:45"},
                                                             {"00:01:75", "0:02:15"},
                                                             {"125:30", "2:05:30"},
                                                             {"12:34'56\"", "12:34:56"},
                                                             {"1:05:09(2)", "1:05:09"}};
  for (auto [text, normalised] : short_hours) {
    EXPECT_EQ(NormalizeTimeText(text, true, "h:nn:ss"), normalised) << text;
  }
  EXPECT_EQ(NormalizeTimeText("123456", false, "h:nn:ss"), "12:34:56");
  // One digit has no hours-first reading; these numbers have none in either reading.
  EXPECT_FALSE(IsValidTime(NormalizeTimeText("5", false)));
  for (const char* text : {"1234567", "-1234", "12.5", "1e3", "+12"}) {
    EXPECT_FALSE(IsValidTime(NormalizeTimeText(text))) << text;
    EXPECT_FALSE(IsValidTime(NormalizeTimeText(text, false))) << text;
  }
}

TEST(FormatCompactTime, WidthsAtTheBounds) {
  const std::pair<double, const char*> cases[] = {
      {5, "0:05"},           {65, "1:05"},      {599, "9:59"},     {600, "10:00"},
      {3599, "59:59"},       {3600, "1:00:00"}, {3754, "1:02:34"}, {-65, "-1:05"},
      {-0.4, "0:00"},        {599.6, "10:00"},  {599.4, "9:59"},   {3599.6, "1:00:00"},
      {-3599.6, "-1:00:00"},  // values that round up to a bound take the form of the bound
  };
  for (auto [seconds, text] : cases) EXPECT_EQ(FormatCompactTime(Seconds(seconds)), text) << text;
  EXPECT_EQ(FormatCompactTime(Seconds(65), 6), "  1:05");
  EXPECT_EQ(FormatCompactTime(Seconds(3754), 5), "1:02:");
}

TEST(TimeToSecondsAndMinutes, DropWholeDays) {
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
  const std::pair<const char*, int32_t> cases[] = {
      {"", 98},    {"   ", 98},    {"dns", 99},    {" ＤＮＳ ", 99}, {"P3", 3},
      {"p12", 12}, {"P", 0},       {"Pending", 0}, {"MP", 30},       {"DNF", 90},
      {"OCL", 91}, {"ＮＣＬ", 91}, {"CL", 98},     {"OOCL", 98},     {"DNQ", 92},
      {"DSQ", 93}, {"12:34", 0},   {"12'34", 0},   {"失格", 98},
  };
  for (auto [result, order] : cases) EXPECT_EQ(ResultStatusOrder(result), order) << result;
}

TEST(MakeLegName, OriginsDestinationsAndDigitWidths) {
  EXPECT_EQ(MakeLegName(12, true, 1), "△→１");
  EXPECT_EQ(MakeLegName(12, true, 10), "９→10");
  EXPECT_EQ(MakeLegName(12, true, 11), "10→11");
  EXPECT_EQ(MakeLegName(12, true, 13), "12→◎");
  EXPECT_EQ(MakeLegName(0, true, 1), "△→◎");
  EXPECT_EQ(MakeLegName(12, false, 3), "→３");
  EXPECT_EQ(MakeLegName(12, false, 13), "→◎");
}

}  // namespace
}  // namespace quorvex2
