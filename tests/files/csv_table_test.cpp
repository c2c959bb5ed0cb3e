// Generic runner tables: separators, orientation, header spellings, leg columns, cumulative
// times, and input that must fail cleanly or be skipped.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "quorvex2/core/root.h"
#include "quorvex2/files/file_control.h"

namespace quorvex2 {
namespace {

constexpr Date kSec = 1.0 / 86400.0;

class CsvTableTest : public ::testing::Test {
 protected:
  clsQuorvex2 root;

  bool Load(const std::string& text, int32_t mode = 0) {
    return root.FileControl()->LoadLapFile("table.csv", QX_FILETYPE_QUORVEX1, mode, text);
  }
  // Loading sorts the runners by result, so tests find them by name.
  std::shared_ptr<clsLapData> Runner(const std::string& class_name, const std::string& name) {
    auto data = root.ClassData(class_name);
    for (int32_t i = 1; data && i <= data->LapCount(); ++i) {
      if (data->LapData(i)->RunnerName == name) return data->LapData(i);
    }
    throw std::runtime_error("no runner " + name + " in " + class_name);
  }
  std::vector<double> LegSeconds(const std::string& class_name, const std::string& name) {
    std::vector<double> seconds;
    auto lap = Runner(class_name, name);
    for (int32_t k = 1; k <= lap->LegCount(); ++k) {
      const Date value = lap->LapValue(k);
      seconds.push_back(value > 0 ? std::round(value / kSec) : value);
    }
    return seconds;
  }
};

TEST_F(CsvTableTest, CommaTableWithClassColumnAndCumulativeTimes) {
  ASSERT_TRUE(
      Load("Class,Name,所属,Time,Rank,1,2,F\r\n"
           "M21,Ann,OK Nord,4:00,1,1:00,2:30,4:00\r\n"
           "M21,Bob,,,2,1:00,0:50,2:00\r\n"
           "W21,Cid,,DNF,,1:00,--:--,+\r\n"));
  EXPECT_EQ(root.ClassData("M21")->ControlCount, 2);
  EXPECT_EQ(Runner("M21", "Ann")->ClubName, "OK Nord");
  EXPECT_EQ(Runner("M21", "Ann")->Result(), "0:04:00");
  EXPECT_EQ(LegSeconds("M21", "Ann"), (std::vector<double>{60, 90, 90}));   // cumulative
  EXPECT_EQ(LegSeconds("M21", "Bob"), (std::vector<double>{60, 50, 120}));  // already leg times
  EXPECT_EQ(LegSeconds("W21", "Cid"), (std::vector<double>{60, QX_TIME_DISQ, QX_TIME_SKIP}));
  EXPECT_EQ(root.EventData()->EventName, "名称未設定");
}

TEST_F(CsvTableTest, BlankSeparatedTableWithoutClassColumn) {
  ASSERT_TRUE(Load("NAME   TIME 1 2 3\r\n  Ann  12:00   3:00  6:00 9:00\r\nBob 0 1:00 x 2:30\r\n"));
  ASSERT_EQ(root.ClassCount(), 1);
  auto data = root.ClassData("名称未設定");
  ASSERT_TRUE(data);
  EXPECT_EQ(data->ControlCount, 2);  // legs to controls 1, 2, 3: the last is taken as the finish
  EXPECT_EQ(data->LapCount(), 2);
  EXPECT_EQ(LegSeconds("名称未設定", "Ann"), (std::vector<double>{180, 180, 180}));
  // "x" is disqualified; the valid times around it are still cumulative.
  EXPECT_EQ(LegSeconds("名称未設定", "Bob"), (std::vector<double>{60, QX_TIME_DISQ, 90}));
}

TEST_F(CsvTableTest, TransposedTableWithKatakanaHeadersInBothWidths) {
  // Header in the first column; full-width クラス and half-width ｽﾀｰﾄ, ｼｰﾄﾞ.
  ASSERT_TRUE(
      Load("氏名,Ann,Bob\r\n"
           "クラス,M35,M35\r\n"
           "ｽﾀｰﾄ,1005,1010\r\n"
           "ｼｰﾄﾞ,A,\r\n"
           "S-1,101,102\r\n"
           "1-G,125,??\r\n"));
  auto data = root.ClassData("M35");
  ASSERT_TRUE(data);
  ASSERT_EQ(data->LapCount(), 2);
  EXPECT_EQ(data->ControlCount, 1);
  EXPECT_EQ(Runner("M35", "Ann")->StartTime.ToString("hh:nn:ss"), "10:05:00");  // hours first
  EXPECT_EQ(Runner("M35", "Ann")->Seed, "A");
  // Packed digits, seconds first: 101 is 1:01, 125 is 1:25 (cumulative); "??" is no time.
  EXPECT_EQ(LegSeconds("M35", "Ann"), (std::vector<double>{61, 24}));
  EXPECT_EQ(LegSeconds("M35", "Bob"), (std::vector<double>{62, QX_TIME_NODATA}));
}

TEST_F(CsvTableTest, HalfWidthKatakanaClassAndSeveralHeaderBlocks) {
  ASSERT_TRUE(
      Load("ｸﾗｽ,名前,1,2\r\n"
           "M21,Ann,1:00,2:00\r\n"
           "\r\n"
           ",,,,\r\n"
           "CLASS,NAMAE,S→1,1→2,2→3,3→◎\r\n"
           "W21,Eve,1:00,1:10,1:20,1:30\r\n"
           "W21,Fay,1:00,1:10,1:20,1:30\r\n"));
  EXPECT_EQ(root.ClassData("M21")->ControlCount, 1);
  EXPECT_EQ(root.ClassData("W21")->ControlCount, 3);
  EXPECT_EQ(root.ClassData("W21")->LapCount(), 2);
  EXPECT_EQ(LegSeconds("W21", "Fay"), (std::vector<double>{60, 10, 10, 10}));
}

TEST_F(CsvTableTest, LinesOfOnlyCommasAndBlanksAreSkipped) {
  ASSERT_TRUE(Load("Name,Class,Time\r\nAnn,M21,30:00\r\n,,   ,\r\n\u3000,\r\nBob,M21,31:00\r\n"));
  EXPECT_EQ(root.ClassData("M21")->LapCount(), 2);
  EXPECT_EQ(Runner("M21", "Ann")->Result(), "0:30:00");
}

TEST_F(CsvTableTest, RefusedInputs) {
  // The component's own mail text export.
  EXPECT_FALSE(Load("Name,Class\r\nAnn,M21\r\nMade with Quorvex2 1.0\r\n"));
  EXPECT_EQ(root.ErrorComment(), "");
  // No field names anywhere: the message goes to the host's callback.
  std::string shown;
  root.ShowMessage = [&](const std::string& message) { shown = message; };
  EXPECT_FALSE(Load("Ann,Bob\r\nCid,Dan\r\n"));
  EXPECT_EQ(shown, "ＣＳＶファイルの１行目か１列目にフィールド名を入力してください");
  // Without a callback it becomes the error comment.
  root.ShowMessage = nullptr;
  EXPECT_FALSE(Load("Ann,Bob\r\nCid,Dan\r\n"));
  EXPECT_EQ(root.ErrorComment(), shown);
  // Column names but no runner row under them.
  EXPECT_FALSE(Load("Name,Class,Time\r\n,,\r\n"));
  EXPECT_EQ(root.ErrorComment(),
            "ファイルを開けません\r\nclsFileControl.LoadQuorvex1\r\n選手の行がありません: "
            "名前の列を挙げる見出し行と、選手ごとに 1 行が必要です");
  // Names without a time are a start list or a list of members, read only to merge.
  EXPECT_FALSE(Load("Name,Class,Start\r\nAnn,M21,10:00\r\n"));
  EXPECT_NE(root.ErrorComment().find("成績も区間タイムもある選手の行がありません"),
            std::string::npos);
  ASSERT_TRUE(Load("Name,Class,1\r\nAnn,M21,1:00\r\n"));
  ASSERT_TRUE(Load("Name,Class,所属\r\nAnn,M21,OK Nord\r\n", QX_LOADMODE_MERGE_NAME));
  EXPECT_EQ(Runner("M21", "Ann")->ClubName, "OK Nord");
}

TEST_F(CsvTableTest, BadInputFailsCleanlyOrIsSkipped) {
  // Ragged rows: missing fields are empty, extra ones ignored.
  ASSERT_TRUE(Load("Class,Name,1,2,F\r\nM21,Ann\r\nM21,Bob,1:00,2:00,3:00,4:00,5:00\r\n"));
  EXPECT_EQ(Runner("M21", "Ann")->LegCount(), 0);
  EXPECT_EQ(LegSeconds("M21", "Bob"), (std::vector<double>{60, 60, 60}));

  // 40 leg columns: legs beyond 30 are not recognised.
  std::string header = "Class,Name", row = "M21,Ann";
  for (int k = 1; k <= 40; ++k) {
    header += "," + std::to_string(k);
    row += ",1:00";
  }
  ASSERT_TRUE(Load(header + "\r\n" + row + "\r\n"));
  EXPECT_EQ(Runner("M21", "Ann")->LegCount(), 30);
  EXPECT_EQ(root.ClassData("M21")->ControlCount, 29);

  // A field of two megabytes.
  const std::string huge(2 << 20, 'Z');
  ASSERT_TRUE(Load("Class,Name,1\r\nM21," + huge + ",1:00\r\n"));
  EXPECT_EQ(Runner("M21", huge)->RunnerName.size(), huge.size());

  // A line of only commas, a million of them, turned round: a clear failure.
  EXPECT_FALSE(Load("1\r\n2\r\n3\r\n" + std::string(1 << 20, ',') + "\r\n"));
  EXPECT_NE(root.ErrorComment().find("clsFileControl.LoadQuorvex1"), std::string::npos);
}

}  // namespace
}  // namespace quorvex2
