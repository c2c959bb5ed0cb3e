// The append-only runner information file: clubs and sexes added to runners already loaded.
#include <gtest/gtest.h>

#include <map>
#include <stdexcept>
#include <string>

#include "files/files_test_support.h"
#include "quorvex2/core/encoding.h"
#include "quorvex2/core/root.h"
#include "quorvex2/files/file_control.h"

namespace quorvex2 {
namespace {

class ImportOnlyTest : public ::testing::Test {
 protected:
  clsQuorvex2 root;

  void SetUp() override {
    Runner("M21", "山田 太郎", "", "");
    Runner("M21", "Anna Berg", "Old Club", "F");
    Runner("M40", "山田太郎", "", "");  // the same name key in another class
    Runner("M40", "anna berg", "", "");
  }
  void Runner(const std::string& class_name, const std::string& name, const std::string& club,
              const std::string& sex) {
    auto data = root.AddClass(class_name);
    names_[class_name + std::to_string(data->LapCount() + 1)] = name;
    auto lap = data->AddLap();
    lap->RunnerName = name;
    lap->ClubName = club;
    lap->Sex = sex;
  }
  // The runner added index-th to the class (loading sorts the runners, so look it up by name).
  std::shared_ptr<clsLapData> Lap(const std::string& class_name, int32_t index) {
    const std::string name = names_.at(class_name + std::to_string(index));
    auto data = root.ClassData(class_name);
    for (int32_t i = 1; i <= data->LapCount(); ++i) {
      if (data->LapData(i)->RunnerName == name) return data->LapData(i);
    }
    throw std::runtime_error("no runner " + name);
  }
  std::map<std::string, std::string> names_;

  bool Import(const std::string& body, int32_t mode) {
    const std::string path = qxtest::TempPath("info.csv");
    qxtest::WriteBytes(path, Utf8ToSjis("$IMPORT_ONLY\r\n" + body));
    return root.FileControl()->LoadLapFile(path, QX_FILETYPE_AUTODETECT, mode);
  }
};

TEST_F(ImportOnlyTest, FillsEmptyClubsAndSexesByNameKey) {
  ASSERT_TRUE(
      Import("山田　太郎,Ignored Club,M\r\n"  // before any header: ignored
             "SHOZOKU,NAME,性別\r\n"
             "Tokyo OLC,山田　太郎,M\r\n"
             "New Club,Anna Berg,M\r\n"
             "Nobody Club,Nobody,F\r\n",
             QX_LOADMODE_APPEND));
  EXPECT_EQ(Lap("M21", 1)->ClubName, "Tokyo OLC");  // half-width and ideographic blanks agree
  EXPECT_EQ(Lap("M40", 1)->ClubName, "Tokyo OLC");  // every runner with the key
  EXPECT_EQ(Lap("M21", 1)->Sex, "M");
  EXPECT_EQ(Lap("M21", 2)->ClubName, "Old Club");  // set clubs stay
  EXPECT_EQ(Lap("M21", 2)->Sex, "F");              // sex is never overwritten
  EXPECT_EQ(Lap("M40", 2)->ClubName, "");          // letter case must agree
  EXPECT_EQ(root.ClassCount(), 2);                 // nothing added
  EXPECT_EQ(root.ClassData("M21")->LapCount(), 2);
}

TEST_F(ImportOnlyTest, NewDataPriorityReplacesAndClearsClubsButNotSexes) {
  const int32_t priority = QX_LOADMODE_APPEND | QX_LOADMODE_PRIORITY_NEWDATA;
  ASSERT_TRUE(Import("氏名,所属,性別\r\nAnna Berg,,M\r\n山田太郎,New Club,M\r\n", priority));
  EXPECT_EQ(Lap("M21", 2)->ClubName, "");  // an empty imported club clears "Old Club"
  EXPECT_EQ(Lap("M21", 2)->Sex, "F");
  EXPECT_EQ(Lap("M21", 1)->Sex, "M");
  ASSERT_TRUE(Import("氏名,所属\r\n山田太郎,Newer Club\r\n", priority));
  EXPECT_EQ(Lap("M21", 1)->ClubName, "Newer Club");
  EXPECT_EQ(Lap("M40", 1)->ClubName, "Newer Club");
}

TEST_F(ImportOnlyTest, RefusedWithoutTheAppendBitAndFailsOnAMissingFile) {
  EXPECT_FALSE(Import("NAME,所属\r\nAnna Berg,New Club\r\n", QX_LOADMODE_MERGE_ID));
  EXPECT_EQ(root.ErrorComment(), "このファイルは追加読み込み専用です");
  EXPECT_EQ(Lap("M21", 2)->ClubName, "Old Club");
  EXPECT_FALSE(root.FileControl()->LoadLapFile(qxtest::TempPath("none.csv"),
                                               QX_FILETYPE_IMPORT_ONLY, QX_LOADMODE_APPEND));
  EXPECT_EQ(root.ErrorComment(), "");
}

TEST_F(ImportOnlyTest, RaggedAndEmptyLinesAreHarmless) {
  ASSERT_TRUE(Import("\r\n,,,\r\nNAME,所属,性別\r\n山田太郎\r\n,Club Only\r\nAnna Berg,A,B,C,D\r\n",
                     QX_LOADMODE_MERGE_NAME));
  EXPECT_EQ(Lap("M21", 1)->ClubName, "");
  EXPECT_EQ(Lap("M21", 2)->ClubName, "Old Club");
}

}  // namespace
}  // namespace quorvex2
