// The append-only runner information file: clubs and sexes added to runners already loaded.
#include <gtest/gtest.h>

#include <string>

#include "files/files_test_support.h"
#include "quorvex2/quorvex2.h"

namespace quorvex2 {
namespace {

class ImportOnlyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Add("M21", "山田 太郎", "", "");
    Add("M21", "Anna Berg", "Old Club", "F");
    Add("M40", "山田太郎", "", "");  // the same name key in another class
    Add("M40", "anna berg", "", "");
  }
  void Add(const std::string& class_name, const std::string& name, const std::string& club,
           const std::string& sex) {
    auto lap = root.AddClass(class_name)->AddLap();
    lap->RunnerName = name;
    lap->ClubName = club;
    lap->Sex = sex;
  }
  // "club/sex" of the runner.
  std::string Info(const std::string& class_name, const std::string& name) {
    const auto lap = qxtest::FindRunner(root, class_name, name);
    return lap ? lap->ClubName + "/" + lap->Sex : "no runner";
  }

  bool Import(const std::string& body, int32_t mode) {
    const std::string path = qxtest::TempPath("info.csv");
    qxtest::WriteBytes(path, Utf8ToSjis("$IMPORT_ONLY\r\n" + body));
    return root.FileControl()->LoadLapFile(path, QX_FILETYPE_AUTODETECT, mode);
  }

  clsQuorvex2 root;
};

TEST_F(ImportOnlyTest, FillsEmptyClubsAndSexesByNameKey) {
  ASSERT_TRUE(
      Import("山田　太郎,Ignored Club,M\r\n"  // before any header: ignored
             "SHOZOKU,NAME,性別\r\n"
             "Tokyo OLC,山田　太郎,M\r\n"
             "New Club,Anna Berg,M\r\n"
             "Nobody Club,Nobody,F\r\n",
             QX_LOADMODE_APPEND));
  EXPECT_EQ(Info("M21", "山田 太郎"), "Tokyo OLC/M");  // half-width and ideographic blanks agree
  EXPECT_EQ(Info("M40", "山田太郎"), "Tokyo OLC/M");   // every runner with the key
  EXPECT_EQ(Info("M21", "Anna Berg"), "Old Club/F");   // set clubs and sexes stay
  EXPECT_EQ(Info("M40", "anna berg"), "/");            // letter case must agree
  EXPECT_EQ(root.ClassCount(), 2);                     // nothing added
  EXPECT_EQ(root.ClassData("M21")->LapCount(), 2);
}

TEST_F(ImportOnlyTest, NewDataPriorityReplacesAndClearsClubsButNotSexes) {
  const int32_t priority = QX_LOADMODE_APPEND | QX_LOADMODE_PRIORITY_NEWDATA;
  ASSERT_TRUE(Import("氏名,所属,性別\r\nAnna Berg,,M\r\n山田太郎,New Club,M\r\n", priority));
  EXPECT_EQ(Info("M21", "Anna Berg"), "/F");  // an empty imported club clears "Old Club"
  EXPECT_EQ(Info("M21", "山田 太郎"), "New Club/M");
  ASSERT_TRUE(Import("氏名,所属\r\n山田太郎,Newer Club\r\n", priority));
  EXPECT_EQ(Info("M21", "山田 太郎"), "Newer Club/M");
  EXPECT_EQ(Info("M40", "山田太郎"), "Newer Club/M");
}

TEST_F(ImportOnlyTest, RaggedAndEmptyLinesAreHarmless) {
  ASSERT_TRUE(Import("\r\n,,,\r\nNAME,所属,性別\r\n山田太郎\r\n,Club Only\r\nAnna Berg,A,B,C,D\r\n",
                     QX_LOADMODE_MERGE_NAME));
  EXPECT_EQ(Info("M21", "山田 太郎"), "/");
  EXPECT_EQ(Info("M21", "Anna Berg"), "Old Club/F");
}

}  // namespace
}  // namespace quorvex2
