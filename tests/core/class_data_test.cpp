#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/detail/internal.h"
#include "quorvex2/core/class_data.h"
#include "quorvex2/core/root.h"
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

TEST(AddLapObject, NormalAndAppendAlwaysAppend) {
  clsQuorvex2 root;
  auto cls = root.AddClass("W21");
  auto first = Runner("A", 7);
  auto second = Runner("A", 7);
  auto third = Runner("A", 7);
  EXPECT_TRUE(cls->AddLapObject(first, QX_LOADMODE_NORMAL));
  EXPECT_TRUE(cls->AddLapObject(second, QX_LOADMODE_APPEND));
  EXPECT_TRUE(cls->AddLapObject(third));
  EXPECT_EQ(cls->LapCount(), 3);
  EXPECT_EQ(first->SerialNum(), 1);
  EXPECT_EQ(second->SerialNum(), 2);
  EXPECT_EQ(third->SerialNum(), 3);
  EXPECT_EQ(third->ClassName(), "W21");
}

TEST(AddLapObject, UnmatchedRunnersAppendUnlessNotAddIsSet) {
  clsQuorvex2 root;
  auto cls = root.AddClass("W21");
  auto known = Runner("A", 1);
  ASSERT_TRUE(cls->AddLapObject(known));
  auto unknown = Runner("B", 2);
  EXPECT_FALSE(cls->AddLapObject(unknown, QX_LOADMODE_MERGE_ID | QX_LOADMODE_NOTADD_NEWDATA));
  EXPECT_EQ(cls->LapCount(), 1);
  EXPECT_EQ(unknown->SerialNum(), 0);
  EXPECT_TRUE(cls->AddLapObject(unknown, QX_LOADMODE_MERGE_ID));
  EXPECT_EQ(cls->LapCount(), 2);
  EXPECT_EQ(unknown->SerialNum(), 2);  // no number was used up by the refused offer
  // A base mode that is no merge mode matches nothing.
  auto same_id = Runner("A", 1);
  EXPECT_TRUE(cls->AddLapObject(same_id, 2));
  EXPECT_EQ(cls->LapCount(), 3);
}

TEST(AddLapObject, IdZeroMatchesTheFirstRunnerWithoutId) {
  clsQuorvex2 root;
  auto cls = root.AddClass("W21");
  auto with_id = Runner("A", 4);
  auto first_zero = Runner("B", 0);
  auto second_zero = Runner("C", 0);
  cls->AddLapObject(with_id);
  cls->AddLapObject(first_zero);
  cls->AddLapObject(second_zero);
  auto incoming = Runner("D", 0);
  incoming->ClubName = "club";
  EXPECT_FALSE(cls->AddLapObject(incoming, QX_LOADMODE_MERGE_ID));
  EXPECT_EQ(first_zero->ClubName, "club");
  EXPECT_EQ(second_zero->ClubName, "");
}

TEST(AddLapObject, NamesMatchAcrossCaseSpacesAndWidths) {
  clsQuorvex2 root;
  auto cls = root.AddClass("M21");
  auto latin = Runner("Yamada Taro", 0);
  auto kanji = Runner("山田　太郎", 0);
  cls->AddLapObject(latin);
  cls->AddLapObject(kanji);
  const int32_t mode = QX_LOADMODE_MERGE_NAME | QX_LOADMODE_NOTADD_NEWDATA;
  const std::vector<std::pair<std::string, std::shared_ptr<clsLapData>>> cases = {
      {"YamadaTaro", latin},     {"ＹＡＭＡＤＡ　ＴＡＲＯ", latin},
      {" yamada  taro ", latin}, {"山田太郎", kanji},
      {"山田 太郎", kanji},
  };
  for (const auto& [name, expected] : cases) {
    auto incoming = Runner(name, 0);
    incoming->Seed = name;
    expected->Seed.clear();
    EXPECT_FALSE(cls->AddLapObject(incoming, mode)) << name;
    EXPECT_EQ(expected->Seed, name) << name;
  }
  auto other = Runner("Yamada Jiro", 0);
  EXPECT_FALSE(cls->AddLapObject(other, mode));
  EXPECT_EQ(cls->LapCount(), 2);
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

TEST(ClassData, InfoAndFileName) {
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
  EXPECT_EQ(cls->ClassInfo(), "");
  cls->Climb = 100;
  EXPECT_EQ(cls->ClassInfo(), "");
  cls->Length = 4200;
  EXPECT_EQ(cls->ClassInfo(), "4200m ↑100m");
  cls->Climb = 0;
  EXPECT_EQ(cls->ClassInfo(), "4200m");
}

}  // namespace
}  // namespace quorvex2
