// Generic runner tables: separators, orientation, header spellings, leg columns, cumulative
// times, and input that must fail cleanly or be skipped.
#include <gtest/gtest.h>

#include <string>

#include "files/files_test_support.h"
#include "quorvex2/quorvex2.h"

namespace quorvex2 {
namespace {

// Each table loads to the event under its name in tests/data/golden/files/tables/generic.txt, or is
// refused saying why.
TEST(CsvTable, TablesLoadToTheirExpectedEvents) {
  std::string forty = "Class,Name", row = "M21,Ann";
  for (int k = 1; k <= 40; ++k) {
    forty += "," + std::to_string(k);
    row += ",1:00";
  }
  forty += "\r\n" + row + "\r\n";
  const struct {
    const char* name;
    std::string text;
  } cases[] = {
      {"a class column; Ann's times are cumulative, Bob's leg times (one decreases); Cid's --:-- "
       "is disqualified, + skipped; no event name",
       "Class,Name,所属,Time,Rank,1,2,F\r\nM21,Ann,OK Nord,4:00,1,1:00,2:30,4:00\r\n"
       "M21,Bob,,,2,1:00,0:50,2:00\r\nW21,Cid,,DNF,,1:00,--:--,+\r\n"},
      {"blank separated without a class column: the last leg column is the finish; x is "
       "disqualified and the valid times around it still cumulative",
       "NAME   TIME 1 2 3\r\n  Ann  12:00   3:00  6:00 9:00\r\nBob 0 1:00 x 2:30\r\n"},
      {"turned round, the header in the first column; クラス full width, ｽﾀｰﾄ and ｼｰﾄﾞ half "
       "width; the start hours first, packed legs seconds first (101 is 1:01); ?? no time",
       "氏名,Ann,Bob\r\nクラス,M35,M35\r\nｽﾀｰﾄ,1005,1010\r\nｼｰﾄﾞ,A,\r\nS-1,101,102\r\n"
       "1-G,125,??\r\n"},
      {"a half-width class header and a second header block with leg names",
       "ｸﾗｽ,名前,1,2\r\nM21,Ann,1:00,2:00\r\n\r\n,,,,\r\nCLASS,NAMAE,S→1,1→2,2→3,3→◎\r\n"
       "W21,Eve,1:00,1:10,1:20,1:30\r\nW21,Fay,1:00,1:10,1:20,1:30\r\n"},
      {"lines of only commas and blanks are skipped",
       "Name,Class,Time\r\nAnn,M21,30:00\r\n,,   ,\r\n\u3000,\r\nBob,M21,31:00\r\n"},
      {"ragged rows: missing fields are empty, extra ones ignored",
       "Class,Name,1,2,F\r\nM21,Ann\r\nM21,Bob,1:00,2:00,3:00,4:00,5:00\r\n"},
      {"40 leg columns: legs beyond 30 are not recognised", forty},
      {"the component's own mail text export",
       "Name,Class\r\nAnn,M21\r\nMade with Quorvex2 1.0\r\n"},
      {"no field names anywhere: the message goes to the host", "Ann,Bob\r\nCid,Dan\r\n"},
      {"column names but no runner row under them", "Name,Class,Time\r\n,,\r\n"},
      {"names without a time: a start list, read only to merge",
       "Name,Class,Start\r\nAnn,M21,10:00\r\n"},
  };
  std::string loaded;
  for (const auto& c : cases) {
    loaded += std::string("== ") + c.name + "\n" +
              qxtest::LoadedEvent("table.csv", QX_FILETYPE_QUORVEX1, 0, c.text);
  }
  qxtest::ExpectGolden("golden/files/tables/generic.txt", loaded);
}

TEST(CsvTable, RefusalsMergesAndHugeInput) {
  clsQuorvex2 root;
  auto& files = *root.FileControl();
  // Without a host callback, the message that no field names were found is the error comment.
  EXPECT_FALSE(files.LoadLapFile("t.csv", QX_FILETYPE_QUORVEX1, 0, "Ann,Bob\r\nCid,Dan\r\n"));
  EXPECT_EQ(root.ErrorComment(), "ＣＳＶファイルの１行目か１列目にフィールド名を入力してください");
  // A table of names merges into the runners held.
  ASSERT_TRUE(
      files.LoadLapFile("t.csv", QX_FILETYPE_QUORVEX1, 0, "Name,Class,1\r\nAnn,M21,1:00\r\n"));
  ASSERT_TRUE(files.LoadLapFile("t.csv", QX_FILETYPE_QUORVEX1, QX_LOADMODE_MERGE_NAME,
                                "Name,Class,所属\r\nAnn,M21,OK Nord\r\n"));
  EXPECT_EQ(qxtest::FindRunner(root, "M21", "Ann")->ClubName, "OK Nord");

  // A field of two megabytes.
  const std::string huge(2 << 20, 'Z');
  ASSERT_TRUE(files.LoadLapFile("t.csv", QX_FILETYPE_QUORVEX1, 0,
                                "Class,Name,1\r\nM21," + huge + ",1:00\r\n"));
  EXPECT_TRUE(qxtest::FindRunner(root, "M21", huge));
  // A line of only commas, a million of them, turned round: a clear failure.
  EXPECT_FALSE(files.LoadLapFile("t.csv", QX_FILETYPE_QUORVEX1, 0,
                                 "1\r\n2\r\n3\r\n" + std::string(1 << 20, ',') + "\r\n"));
  EXPECT_NE(root.ErrorComment().find("clsFileControl.LoadQuorvex1"), std::string::npos);
}

}  // namespace
}  // namespace quorvex2
