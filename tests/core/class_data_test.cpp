#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/detail/internal.h"
#include "quorvex2/core/class_data.h"
#include "quorvex2/core/course_data.h"
#include "quorvex2/core/format.h"
#include "quorvex2/core/lap_data.h"
#include "quorvex2/core/root.h"
#include "quorvex2/core/time_text.h"
#include "support/lap_text.h"

namespace quorvex2 {
namespace {

std::shared_ptr<clsLapData> Runner(const std::string& name, int32_t id) {
  auto lap = std::make_shared<clsLapData>();
  lap->RunnerName = name;
  lap->ID = id;
  return lap;
}

void SetLaps(clsLapData& lap, const std::vector<int>& seconds) {
  for (size_t i = 0; i < seconds.size(); ++i) {
    lap.Lap(static_cast<int32_t>(i + 1))->Value(seconds[i] * kSecond);
  }
}

// An existing runner with some fields filled, and an incoming record for the same ID with
// every field filled.
class Merge : public ::testing::Test {
 protected:
  void SetUp() override {
    cls = root.AddClass("M21A");
    existing = Runner("Yamada Taro", 5);
    existing->Age = "M21";
    existing->RankFix = "fixed";
    existing->Rank = "2";
    ASSERT_TRUE(cls->AddLapObject(existing));

    incoming = Runner("Yamada T.", 5);
    incoming->Age = "M40";
    incoming->ClubName = "Tokyo OLC";
    incoming->Ecard = 123456;
    incoming->Rank = "3";
    incoming->Result("1:5:9");
    incoming->Seed = "1";
    incoming->Sex = "M";
    incoming->RankFix = "other";
    incoming->StartTime.Value(10 * kHour);
    SetLaps(*incoming, {61, 71});
  }

  clsQuorvex2 root;
  std::shared_ptr<clsClassData> cls;
  std::shared_ptr<clsLapData> existing;
  std::shared_ptr<clsLapData> incoming;
};

using qxtest::FullRunnerText;

// name|club|rank|result|legs|id|ecard|seed|sex|start|rankfix|age
TEST_F(Merge, FillsOnlyEmptyFieldsByDefault) {
  const int32_t serial = existing->SerialNum();
  EXPECT_FALSE(cls->AddLapObject(incoming, QX_LOADMODE_MERGE_ID));
  ASSERT_EQ(cls->LapCount(), 1);
  EXPECT_EQ(cls->LapData(1), existing);
  EXPECT_EQ(incoming->ClassName(), "M21A");  // the offered record is named all the same
  EXPECT_EQ(FullRunnerText(*existing),
            "Yamada Taro|Tokyo OLC|2|1:05:09|1:01 1:11|5|123456|1|M|36000|fixed|M21");
  EXPECT_DOUBLE_EQ(existing->ResultTime(detail::MakeInternal()), 3909 * kSecond);
  EXPECT_EQ(existing->SerialNum(), serial);
}

TEST_F(Merge, PrioritiesAndRecordsWithoutLegs) {
  SetLaps(*existing, {60, 70, 80});
  existing->ClubName = "Osaka OK";
  existing->StartTime.Value(9 * kHour);
  auto original = std::make_shared<clsLapData>(*incoming);
  EXPECT_FALSE(cls->AddLapObject(original, QX_LOADMODE_MERGE_ID | QX_LOADMODE_PRIORITY_ORIGINAL));
  EXPECT_EQ(FullRunnerText(*existing),
            "Yamada Taro|Osaka OK|2|1:05:09|1:00 1:10 1:20|5|123456|1|M|32400|fixed|M21");

  // New data overwrites with its non-empty values; legs 1 and 2 come over, leg 3 stays.
  existing->Result("DNF");
  incoming->ClubName = "";
  incoming->StartTime.Value(0);
  const int32_t serial = existing->SerialNum();
  EXPECT_FALSE(cls->AddLapObject(incoming, QX_LOADMODE_MERGE_ID | QX_LOADMODE_PRIORITY_NEWDATA));
  EXPECT_EQ(cls->LapCount(), 1);
  EXPECT_EQ(FullRunnerText(*existing),
            "Yamada T.|Osaka OK|3|1:05:09|1:01 1:11 1:20|5|123456|1|M|32400|fixed|M40");
  EXPECT_EQ(existing->SerialNum(), serial);

  // A record without legs keeps the existing legs.
  auto bare = Runner("", 5);
  EXPECT_FALSE(cls->AddLapObject(bare, QX_LOADMODE_MERGE_ID | QX_LOADMODE_PRIORITY_NEWDATA));
  EXPECT_EQ(existing->LegCount(), 3);
  EXPECT_EQ(existing->RunnerName, "Yamada T.");
}

// An offered record is appended, merged into the runner it matches (the club it brings shows
// where) or dropped. The class holds Yamada Taro (ID 4), 山田　太郎 and Suzuki (no IDs).
TEST(AddLapObject, AppendMergeOrDropByMode) {
  constexpr int32_t kById = QX_LOADMODE_MERGE_ID;
  constexpr int32_t kNotAdd = QX_LOADMODE_NOTADD_NEWDATA;
  constexpr int32_t kByName = QX_LOADMODE_MERGE_NAME | kNotAdd;
  const struct {
    const char* name;
    const char* runner;
    int32_t id, mode;
    bool appended;
    int32_t merged_into;  // position of the runner that took the club, 0 for none
  } cases[] = {
      {"normal mode appends", "Yamada Taro", 4, QX_LOADMODE_NORMAL, true, 0},
      {"append mode appends", "Yamada Taro", 4, QX_LOADMODE_APPEND, true, 0},
      {"the same ID merges", "X", 4, kById, false, 1},
      {"ID 0 matches the first runner without one", "X", 0, kById, false, 2},
      {"an unknown ID is appended", "X", 9, kById, true, 0},
      {"or dropped when new runners are not added", "X", 9, kById | kNotAdd, false, 0},
      {"a base mode that is no merge mode matches nothing", "Suzuki", 0, 2, true, 0},
      {"names match without spaces", "YamadaTaro", 0, kByName, false, 1},
      {"across widths", "ＹＡＭＡＤＡ　ＴＡＲＯ", 0, kByName, false, 1},
      {"and case", " yamada  taro ", 0, kByName, false, 1},
      {"kanji without the ideographic space", "山田太郎", 0, kByName, false, 2},
      {"kanji with a narrow space", "山田 太郎", 0, kByName, false, 2},
      {"another name is dropped", "Yamada Jiro", 0, kByName, false, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    clsQuorvex2 root;
    auto cls = root.AddClass("W21");
    for (auto [name, id] : {std::pair{"Yamada Taro", 4}, {"山田　太郎", 0}, {"Suzuki", 0}}) {
      cls->AddLap()->RunnerName = name;
      cls->LapData(cls->LapCount())->ID = id;
    }
    auto incoming = Runner(c.runner, c.id);
    incoming->ClubName = "club";
    EXPECT_EQ(cls->AddLapObject(incoming, c.mode), c.appended);
    EXPECT_EQ(cls->LapCount(), c.appended ? 4 : 3);
    EXPECT_EQ(incoming->SerialNum(), c.appended ? 4 : 0);  // no number used up by a refusal
    EXPECT_EQ(incoming->ClassName(), "W21");
    for (int32_t i = 1; i <= 3; ++i) {
      EXPECT_EQ(cls->LapData(i)->ClubName, i == c.merged_into ? "club" : "") << i;
    }
  }
}

TEST(AddLapObject, NameMatchingFollowsRenamedRunners) {
  clsQuorvex2 root;
  auto cls = root.AddClass("M21");
  auto runner = Runner("Suzuki", 0);
  cls->AddLapObject(runner);
  auto incoming = Runner("Sato", 0);
  incoming->ClubName = "club";
  const int32_t mode = QX_LOADMODE_MERGE_NAME | QX_LOADMODE_NOTADD_NEWDATA;
  EXPECT_FALSE(cls->AddLapObject(incoming, mode));
  EXPECT_EQ(runner->ClubName, "");
  runner->RunnerName = "Sato";
  EXPECT_FALSE(cls->AddLapObject(incoming, mode));
  EXPECT_EQ(runner->ClubName, "club");
}

std::vector<std::string> RunnerNames(const clsClassData& cls) {
  std::vector<std::string> names;
  for (int32_t i = 1; i <= cls.LapCount(); ++i) names.push_back(cls.LapData(i)->RunnerName);
  return names;
}

TEST(SortLap, TimesFirstThenStatusesInOrderEqualKeysReversed) {
  clsQuorvex2 root;
  auto cls = root.AddClass("M21");
  const std::vector<std::pair<std::string, std::string>> runners = {
      {"dns", "DNS"},     {"slow1", "1:10:00"}, {"dnf", "DNF"},       {"mp", "MP"},
      {"fast", "59:59"},  {"p3", "P3"},         {"ocl", "OCL"},       {"dnq", "DNQ"},
      {"dsq", "DSQ"},     {"empty", ""},        {"slow2", "1:10:00"}, {"odd", "XYZ"},
      {"colon", "12:3X"},
  };
  for (const auto& [name, result] : runners) {
    auto lap = cls->AddLap();
    lap->RunnerName = name;
    lap->Result(result);
  }
  cls->SortLap();
  EXPECT_EQ(RunnerNames(*cls),
            (std::vector<std::string>{"colon", "fast", "slow2", "slow1", "p3", "mp", "dnf", "ocl",
                                      "dnq", "dsq", "odd", "empty", "dns"}));
  cls->SortLap();  // equal keys swap back on every sort
  EXPECT_EQ(RunnerNames(*cls)[2], "slow1");
  EXPECT_EQ(RunnerNames(*cls)[10], "empty");
}

TEST(ClassData, RunnerListByPosition) {
  clsQuorvex2 root;
  auto cls = root.AddClass("M21");
  auto a = cls->AddLap();
  auto b = cls->AddLap();
  auto c = cls->AddLap();
  EXPECT_EQ(a->ClassName(), "M21");
  EXPECT_EQ(cls->LapData(0), nullptr);
  EXPECT_EQ(cls->LapData(4), nullptr);
  cls->RemoveLap(9);
  cls->RemoveLap(2);
  ASSERT_EQ(cls->LapCount(), 2);
  EXPECT_EQ(cls->LapData(2), c);
  cls->ClearLap();
  EXPECT_EQ(cls->LapCount(), 0);
  EXPECT_EQ(cls->AddLap()->SerialNum(), 4);
}

TEST(ClassData, FileName) {
  clsQuorvex2 root;
  auto cls = root.AddClass("M21<A>");
  EXPECT_EQ(cls->FileName(), "m21a");
  cls->FileName("Ｗ２１Ｅ");
  EXPECT_EQ(cls->FileName(), "w21e");
  cls->FileName("");
  EXPECT_EQ(cls->FileName(), "m21a");
  // Only the file-name-safe conversion: other characters and names stay for the site to make safe.
  cls->FileName("H21#1 Con");
  EXPECT_EQ(cls->FileName(), "h21#1 con");
}

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
  lap.Result("mp");
  EXPECT_EQ(lap.Result(), "MP");
  lap.Result("");
  EXPECT_EQ(lap.Result(), "");
  EXPECT_EQ(lap.ResultTime(internal), QX_TIME_DISQ);
  // Clock times, read straight from their digits, come out as the whole normalisation makes
  // them (0:00:00 as DISQ); fields out of range (24 hours, 60 minutes) take the normalisation.
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

}  // namespace
}  // namespace quorvex2
