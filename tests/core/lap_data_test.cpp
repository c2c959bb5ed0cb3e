#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <stdexcept>
#include <string>

#include "core/detail/internal.h"
#include "quorvex2/core/course_data.h"
#include "quorvex2/core/event_data.h"
#include "quorvex2/core/format.h"
#include "quorvex2/core/lap_data.h"
#include "quorvex2/core/time_text.h"

namespace quorvex2 {
namespace {

// Reading a leg object raises the leg count, never lowers it; LapValue reads without extending;
// an index error leaves the record as it was.
TEST(LapData, LegCountAndIndexErrors) {
  clsLapData lap;
  EXPECT_EQ(lap.Lap(5)->Value(), 0);
  EXPECT_EQ(lap.LegCount(), 5);
  lap.Lap(3)->Value(45 * kSecond);
  EXPECT_EQ(lap.Lap(3), lap.Lap(3));  // the same object every time
  EXPECT_EQ(lap.LegCount(), 5);
  EXPECT_EQ(lap.Lap(0), nullptr);
  EXPECT_THROW(lap.Lap(31), std::out_of_range);
  EXPECT_THROW(lap.Lap(-1), std::out_of_range);
  EXPECT_THROW(lap.LapValue(31), std::out_of_range);
  EXPECT_EQ(lap.LegCount(), 5);
  EXPECT_EQ(lap.LapValue(0), 0);
  EXPECT_NE(lap.Lap(30), nullptr);
  EXPECT_EQ(lap.LegCount(), 30);
  // Lowering the count keeps the times above it.
  lap.LegCount(2);
  EXPECT_EQ(lap.LapValue(3), 45 * kSecond);
  EXPECT_EQ(lap.LegCount(), 2);
}

TEST(LapData, ResultIsNormalised) {
  clsLapData lap;
  const auto internal = detail::MakeInternal();
  lap.Result("ｄｎｆ");
  EXPECT_EQ(lap.Result(), "DNF");
  EXPECT_EQ(lap.ResultTime(internal), QX_TIME_DISQ);
  lap.Result("1:5:9");
  EXPECT_EQ(lap.Result(), "1:05:09");
  EXPECT_DOUBLE_EQ(lap.ResultTime(internal), 3909 * kSecond);
  lap.Result("１：０５：０９");
  EXPECT_EQ(lap.Result(), "1:05:09");
  lap.Result("12:34");  // minutes and seconds
  EXPECT_EQ(lap.Result(), "0:12:34");
  lap.Result("0:00:00");
  EXPECT_EQ(lap.Result(), "DISQ");
  EXPECT_EQ(lap.ResultTime(internal), QX_TIME_DISQ);
  lap.Result("mp");
  EXPECT_EQ(lap.Result(), "MP");
  lap.Result("");
  EXPECT_EQ(lap.Result(), "");
  EXPECT_EQ(lap.ResultTime(internal), QX_TIME_DISQ);
  // Clock times, read straight from their digits, come out as the whole normalisation makes
  // them; fields out of range (24 hours, 60 minutes) take the normalisation.
  for (int second = 0; second < 86400 + 3600; second += 997) {
    const int h = second / 3600, m = second / 60 % 60, s = second % 60;
    char texts[3][48];
    std::snprintf(texts[0], sizeof texts[0], "%d:%02d:%02d", h, m, s);
    std::snprintf(texts[1], sizeof texts[1], "%02d:%02d:%02d", h, m, s);
    std::snprintf(texts[2], sizeof texts[2], "%02d:%02d:%02d", h, m + 60, s);  // carried minutes
    for (const char* text : texts) {
      lap.Result(text);
      const std::string normal = NormalizeTimeText(text, true, "h:nn:ss");
      const std::optional<Date> time = ParseTimeText(normal);
      EXPECT_EQ(lap.Result(), time && *time <= 0 ? "DISQ" : normal) << text;
      EXPECT_EQ(lap.ResultTime(internal),
                time && *time > 0 ? *time : static_cast<Date>(QX_TIME_DISQ))
          << text;
    }
  }
}

// Position 0 is the start (code 0), ControlCount + 1 and beyond the finish (9999); writing
// outside the 50 stored controls fails and changes nothing.
TEST(CourseData, StartFinishAndStorageBounds) {
  clsCourseData course;
  course.ControlCount = 50;
  course.ControlNum(2, 102);
  course.ControlNum(50, 250);
  EXPECT_EQ(course.ControlNum(0), 0);
  EXPECT_EQ(course.ControlNum(2), 102);
  EXPECT_EQ(course.ControlNum(51), 9999);
  EXPECT_THROW(course.ControlNum(51, 1), std::out_of_range);
  EXPECT_THROW(course.ControlNum(-1, 1), std::out_of_range);
  EXPECT_THROW(course.ControlNum(-1), std::out_of_range);
  course.ControlCount = 3;
  EXPECT_EQ(course.ControlNum(4), 9999);
  EXPECT_EQ(course.ControlNum(60), 9999);
  course.ControlCount = 60;  // more controls than storage holds
  EXPECT_THROW(course.ControlNum(55), std::out_of_range);
  EXPECT_EQ(course.ControlNum(50), 250);
}

TEST(EventData, ToStringJoinsNameTerrainAndDate) {
  clsEventData event;
  event.EventName = "Spring Cup";
  EXPECT_EQ(event.ToString(), "Spring Cup");
  event.EventDate.Value(MakeDate(2003, 5, 18));
  EXPECT_EQ(event.ToString(), "Spring Cup 2003年05月18日");
  event.Terrain = "Forest";
  EXPECT_EQ(event.ToString(), "Spring Cup [Forest]  2003年05月18日");
  event.EventDate.Value(0);
  EXPECT_EQ(event.ToString(), "Spring Cup [Forest] ");
}

}  // namespace
}  // namespace quorvex2
