#include "quorvex2/core/format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace quorvex2 {
namespace {

Date Seconds(double s) {
  return s / 86400.0;
}

TEST(FormatDate, RoundsToTheSecondBeforeTakingFields) {
  EXPECT_EQ(FormatDate(Seconds(599.6), "nn:ss"), "10:00");
  EXPECT_EQ(FormatDate(Seconds(3599.5), "h:nn:ss"), "1:00:00");
  EXPECT_EQ(FormatDate(Seconds(59.4), "n:ss"), "0:59");
  EXPECT_EQ(FormatDate(Seconds(3723), "h:nn:ss"), "1:02:03");
  EXPECT_EQ(FormatDate(Seconds(3723), "hh:nn"), "01:02");
  EXPECT_EQ(FormatDate(Seconds(3723), "n:ss"), "2:03");
}

TEST(FormatDate, CalendarDatesAndNegativeValues) {
  EXPECT_EQ(FormatDate(0, "yyyy/mm/dd"), "1899/12/30");
  EXPECT_EQ(FormatDate(MakeDate(2000, 2, 29), "yyyy-mm-dd"), "2000-02-29");
  EXPECT_EQ(FormatDate(MakeDate(1900, 3, 1), "yyyy/mm/dd"), "1900/03/01");
  EXPECT_EQ(MakeDate(1900, 1, 1), 2);
  // -1.25 is 1899-12-29 06:00: the days count towards zero, the time is that of the magnitude.
  EXPECT_EQ(FormatDate(-1.25, "yyyy/mm/dd hh:nn:ss"), "1899/12/29 06:00:00");
  EXPECT_EQ(FormatDate(MakeDate(1899, 12, 29, 6), "yyyy/mm/dd hh:nn:ss"), "1899/12/29 06:00:00");
  const DateParts parts = SplitDate(MakeDate(2026, 12, 5, 18, 32, 25));
  EXPECT_EQ(parts.year, 2026);
  EXPECT_EQ(parts.month, 12);
  EXPECT_EQ(parts.day, 5);
  EXPECT_EQ(parts.hour, 18);
  EXPECT_EQ(parts.minute, 32);
  EXPECT_EQ(parts.second, 25);
}

TEST(FormatDate, NonFiniteAndHugeValuesStillFormat) {
  EXPECT_EQ(FormatDate(std::numeric_limits<double>::quiet_NaN(), "hh:nn:ss"), "00:00:00");
  EXPECT_EQ(FormatDate(1e300, "yyyy"), "9999");
  EXPECT_EQ(FormatDate(-1e300, "yyyy"), "0100");
}

TEST(FormatNumber, DigitPositionsAndRounding) {
  EXPECT_EQ(FormatNumber(45.6, "#0"), "46");
  EXPECT_EQ(FormatNumber(45.55, "#0.0"), "45.6");
  EXPECT_EQ(FormatNumber(0.25, "0.0"), "0.3");
  EXPECT_EQ(FormatNumber(-0.25, "0.0"), "-0.3");
  EXPECT_EQ(FormatNumber(2.5, "#0"), "3");
  EXPECT_EQ(FormatNumber(-2.5, "#0"), "-3");
  EXPECT_EQ(FormatNumber(7, "00"), "07");
  EXPECT_EQ(FormatNumber(123, "00"), "123");
  EXPECT_EQ(FormatNumber(0, "#"), "");
  EXPECT_EQ(FormatNumber(0.4, "#"), "");
  EXPECT_EQ(FormatNumber(5, "#"), "5");
  EXPECT_EQ(FormatNumber(0, "#0"), "0");
  EXPECT_EQ(FormatNumber(0.5, "#.0"), ".5");
  EXPECT_EQ(FormatNumber(-0.04, "0.0"), "0.0");
  EXPECT_EQ(FormatNumber(1e20, "#0"), "100000000000000000000");
  EXPECT_EQ(FormatNumber(std::nan(""), "#0"), "0");
}

TEST(FormatValue, DispatchesOnTheExpression) {
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

}  // namespace
}  // namespace quorvex2
