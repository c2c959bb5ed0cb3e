// Times and numbers as texts: the format expressions, written times and results, and the value
// objects every printed figure goes through.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "core/detail/internal.h"
#include "quorvex2/core/format.h"
#include "quorvex2/core/time_text.h"
#include "quorvex2/core/value_types.h"

namespace quorvex2 {
namespace {

Date Seconds(double s) {
  return s / 86400.0;
}

// Rounded to the second before the fields are taken; calendar dates and negative values;
// not-finite and huge values still format.
TEST(FormatDate, RoundedFieldsCalendarDatesAndNegativeValues) {
  EXPECT_EQ(FormatDate(Seconds(599.6), "nn:ss"), "10:00");
  EXPECT_EQ(FormatDate(Seconds(3599.5), "h:nn:ss"), "1:00:00");
  EXPECT_EQ(FormatDate(Seconds(59.4), "n:ss"), "0:59");
  EXPECT_EQ(FormatDate(Seconds(3723), "h:nn:ss"), "1:02:03");
  EXPECT_EQ(FormatDate(Seconds(3723), "hh:nn"), "01:02");
  EXPECT_EQ(FormatDate(Seconds(3723), "n:ss"), "2:03");
  EXPECT_EQ(FormatDate(0, "yyyy/mm/dd"), "1899/12/30");
  EXPECT_EQ(FormatDate(MakeDate(2000, 2, 29), "yyyy-mm-dd"), "2000-02-29");
  EXPECT_EQ(FormatDate(MakeDate(1900, 3, 1), "yyyy/mm/dd"), "1900/03/01");
  EXPECT_EQ(MakeDate(1900, 1, 1), 2);
  // -1.25 is 1899-12-29 06:00: the days count towards zero, the time is that of the magnitude.
  EXPECT_EQ(FormatDate(-1.25, "yyyy/mm/dd hh:nn:ss"), "1899/12/29 06:00:00");
  EXPECT_EQ(FormatDate(MakeDate(1899, 12, 29, 6), "yyyy/mm/dd hh:nn:ss"), "1899/12/29 06:00:00");
  const DateParts p = SplitDate(MakeDate(2026, 12, 5, 18, 32, 25));
  EXPECT_EQ(std::vector<int32_t>({p.year, p.month, p.day, p.hour, p.minute, p.second}),
            std::vector<int32_t>({2026, 12, 5, 18, 32, 25}));
  EXPECT_EQ(FormatDate(std::numeric_limits<double>::quiet_NaN(), "hh:nn:ss"), "00:00:00");
  EXPECT_EQ(FormatDate(1e300, "yyyy"), "9999");
  EXPECT_EQ(FormatDate(-1e300, "yyyy"), "0100");
}

TEST(FormatNumber, DigitPositionsAndRounding) {
  // A value rounds half away from zero as the decimal number it is shown as (15 digits of a
  // double, 7 of a single), not as its binary value, which may lie just below a half.
  const struct {
    double value;
    const char* expression;
    const char* text;
  } doubles[] = {
      {45.6, "#0", "46"},       {45.55, "#0.0", "45.6"}, {0.25, "0.0", "0.3"},
      {-0.25, "0.0", "-0.3"},   {2.5, "#0", "3"},        {-2.5, "#0", "-3"},
      {7, "00", "07"},          {123, "00", "123"},      {0, "#", ""},
      {0.4, "#", ""},           {5, "#", "5"},           {0, "#0", "0"},
      {0.5, "#.0", ".5"},       {-0.04, "0.0", "0.0"},   {1e20, "#0", "100000000000000000000"},
      {2.675, "0.00", "2.68"},  {0.05, "0.0", "0.1"},    {0.0004, "0.0", "0.0"},
      {99.95, "#0.0", "100.0"},
  };
  for (const auto& c : doubles) {
    EXPECT_EQ(FormatNumber(c.value, c.expression), c.text) << c.value << " " << c.expression;
  }
  EXPECT_EQ(FormatNumber(std::nan(""), "#0"), "0");
  const struct {
    float value;
    const char* expression;
    const char* text;
  } singles[] = {
      {12.45f, "0.0", "12.5"},
      {9.95f, "#0.0", "10.0"},
      {0.25f, "yyyy", "1899"},
  };
  for (const auto& c : singles) {
    EXPECT_EQ(FormatSingle(c.value, c.expression), c.text) << c.value << " " << c.expression;
  }
  // FormatValue takes a time expression to FormatDate, any other to FormatNumber.
  EXPECT_EQ(FormatValue(12.34, "#0.0"), "12.3");
  EXPECT_EQ(FormatValue(Seconds(754), "nn:ss"), "12:34");
  EXPECT_EQ(FormatValue(3, "0"), "3");
}

TEST(ParseTimeText, AcceptedAndRejectedForms) {
  EXPECT_EQ(ParseTimeText("1:02:03"), Seconds(3723));
  EXPECT_EQ(ParseTimeText(" 12:34 "), Seconds(12 * 3600 + 34 * 60));
  EXPECT_EQ(ParseTimeText("1:2:3"), Seconds(3723));
  EXPECT_EQ(ParseTimeText("23:59:59"), Seconds(86399));
  for (const char* bad : {"24:00", "12:60", "1:02:60", "125:30", "1:23'45\"", "12", "", ":", "1::2",
                          "1:02:03:04", "a:bc", "-1:00", "1:02 PM", "１２:３４"}) {
    EXPECT_FALSE(ParseTimeText(bad).has_value()) << bad;
    EXPECT_FALSE(IsValidTime(bad)) << bad;
  }
}

TEST(ParseDateText, DatesDateTimesAndTimes) {
  EXPECT_EQ(ParseDateText("2003/05/18"), MakeDate(2003, 5, 18));
  EXPECT_EQ(ParseDateText("2003-05-18"), MakeDate(2003, 5, 18));
  EXPECT_EQ(ParseDateText("2003/5/18 10:00"), MakeDate(2003, 5, 18, 10));
  EXPECT_EQ(ParseDateText("2003/05/18  10:00:30"), MakeDate(2003, 5, 18, 10, 0, 30));
  EXPECT_EQ(ParseDateText("2003年5月18日"), MakeDate(2003, 5, 18));
  EXPECT_EQ(ParseDateText("03/05/18"), MakeDate(2003, 5, 18));
  EXPECT_EQ(ParseDateText("99/05/18"), MakeDate(1999, 5, 18));
  EXPECT_EQ(ParseDateText("2004/02/29"), MakeDate(2004, 2, 29));
  EXPECT_EQ(ParseDateText("10:00"), Seconds(36000));
  for (const char* bad :
       {"2003/02/29", "2003/13/01", "2003/00/10", "2003/05/32", "2003/05", "5/18",
        "2003/05/18 24:00", "2003/05-18", "2003/05/18 x", "DNF", "", "2003年5月18", "12345"}) {
    EXPECT_FALSE(ParseDateText(bad).has_value()) << bad;
    EXPECT_FALSE(IsValidDate(bad)) << bad;
  }
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

TEST(TimeText, SecondsAndMinutesDropWholeDaysAndDefaultDates) {
  EXPECT_EQ(TimeToSeconds(Seconds(-65)), -65);
  EXPECT_EQ(TimeToSeconds(1 + Seconds(10)), 10);
  EXPECT_EQ(TimeToSeconds(Seconds(59.5)), 60);
  EXPECT_EQ(TimeToMinutes(Seconds(3723)), 62);
  EXPECT_EQ(TimeToMinutes(Seconds(-3723)), 62);
  // An invalid text gives the default date.
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

clsTimeValue Time(Date value) {
  clsTimeValue t;
  t.Value(value);
  return t;
}

TEST(TimeValue, CodesGiveTheirPlaceholdersTimesTheirFormAndSign) {
  EXPECT_EQ(Time(0).ToString(), "－");
  EXPECT_EQ(Time(-1).ToString(), "↓");
  EXPECT_EQ(Time(-2).ToString(), "×");
  EXPECT_EQ(Time(0).ToString("hh:nn:ss", false, ""), "");
  EXPECT_EQ(Time(-1).ToString("hh:nn:ss", true, "n", "s", "d"), "s");
  EXPECT_EQ(Time(-2).ToString("plane", false, "n", "s", "d"), "d");
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
  EXPECT_EQ(Time(minus_one).ToString("", true), "-0:01");  // the compact form FormatCompactTime's
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
  miss.SetValue(-2, detail::MakeInternal());
  EXPECT_EQ(miss.ToString("hh:nn:ss", false, "N", "S"), "N");
  miss.SetValue(-1, detail::MakeInternal());
  EXPECT_EQ(miss.ToString("hh:nn:ss", false, "N", "S"), "S");
  miss.SetValue(Seconds(-65), detail::MakeInternal());
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
  // 41.05 in single precision lies just below the half; it rounds as the 41.05 it shows.
  p.SetValue(821.0f / 2000, detail::MakeInternal());
  EXPECT_EQ(p.ToString("#0.0"), "41.1");
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
