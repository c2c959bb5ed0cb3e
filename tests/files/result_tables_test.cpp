// Tables of runners. Generic tables: separators, orientation, header spellings, leg columns,
// cumulative times, and input that must fail cleanly or be skipped. The CSV result files of today's
// event software, detected by content: OE CSV in every layout, language and separator, SPORTident
// CSV with code, split and points columns, SplitsBrowser CSV (our own export read back) and Emit
// CSV; what they leave out, and what is no result file.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "files/csv_table_lines.h"
#include "files/table_fields.h"
#include "files_test_support.h"
#include "quorvex2/analysis/analyzer.h"
#include "quorvex2/core/course_data.h"
#include "quorvex2/core/root.h"
#include "quorvex2/export/text_control.h"
#include "quorvex2/files/file_control.h"
#include "quorvex2/quorvex2.h"
#include "support/lap_text.h"

namespace quorvex2 {
namespace {

std::string Fixture(const std::string& name) {
  return qxtest::ReadFile(qxtest::DataPath("tables/" + name));
}

// The text as a file of unknown type, as a user gives it.
std::string LoadedText(const std::string& text) {
  return qxtest::LoadedEvent("results.csv", QX_FILETYPE_AUTODETECT, QX_LOADMODE_NORMAL, text);
}

class ResultTablesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root.ShowMessage = [this](const std::string& message) { shown += message; };
  }

  bool Load(const std::string& text, int32_t mode = QX_LOADMODE_NORMAL) {
    shown.clear();
    return root.FileControl()->LoadLapFile("results.csv", QX_FILETYPE_AUTODETECT, mode, text);
  }

  clsQuorvex2 root;
  std::string shown;
};

TEST(TableFields, ElapsedTimesAndQuotedFields) {
  const struct {
    const char* text;
    double seconds;  // -1: no time
  } times[] = {
      {"12:14", 734},       {"1:03:19", 3799},  {"264:00", 15840}, {" :32:58", 1978},
      {"12:14.32", 734.32}, {"12:14,5", 734.5}, {"0:00:33", 33},   {"1:75:00", -1},
      {"12:60", -1},        {"-----", -1},      {"", -1},          {"1", -1},
      {"12:1a", -1},        {"1234567:00", -1}, {"1:2:3:4", -1},   {"12:14.", -1},
  };
  for (const auto& c : times) {
    const auto seconds = detail::ReadElapsedSeconds(c.text);
    EXPECT_NEAR(seconds.value_or(-1), c.seconds, 1e-9) << c.text;
  }
  using Row = std::vector<std::string>;
  EXPECT_EQ(detail::SplitTableRow(R"( "Berg, Anna" ;"say ""hi""";;x )", ';'),
            (Row{"Berg, Anna", "say \"hi\"", "", "x"}));
  EXPECT_EQ(detail::SplitTableRow("a\\ b\\", '\\'), (Row{"a", "b", ""}));
  EXPECT_EQ(detail::SplitTableRow("\"open", ','), (Row{"open"}));
  // A quoted line break joins its record again; a quote inside a cell joins nothing, and one
  // that opens a cell no line closes goes.
  EXPECT_EQ(detail::JoinQuotedCells({"a;\"late", "", "start\";b", "c"}, ";"),
            (Row{"a;\"late\n\nstart\";b", "c"}));
  const Row inside{"O\"Brien;1", "D\"Arcy;2", "3", "4", "5", "6"};
  EXPECT_EQ(detail::JoinQuotedCells(inside, ";"), inside);
  EXPECT_EQ(detail::JoinQuotedCells({"x;\"open;1", "2", "3", "4", "5", "6"}, ";"),
            (Row{"x;open;1", "2", "3", "4", "5", "6"}));
  EXPECT_EQ(detail::GuessDelimiter("a,b;c;d\te"), ';');
  EXPECT_EQ(detail::GuessDelimiter("a\tb\tc,d"), '\t');
  EXPECT_EQ(detail::ReadCount("2147483647"), 2147483647);
  EXPECT_FALSE(detail::ReadCount("2147483648"));
  EXPECT_FALSE(detail::ReadCount("-3"));
}

// Each file loads to the event in tests/data/golden/files/tables. OE CSV gives the same event in
// each layout (one name column, surname and first name, the long layout), language, separator and
// header form: 12:14.32 with the fractions dropped, classifier 0 despite a missing punch a
// finisher with a skipped control, the not-competing mark NC, "dsq" in the place column DISQ,
// the long class name standing in, and the class-less row left out with a warning. SPORTident
// CSV: a punch left out while the others still meet their controls by code, no finish time, the
// name's separator spilled into the next field and joined back, a quoted club holding it kept
// whole. SplitsBrowser: 0:00 is a missing punch and the next leg runs from the last punched
// control; a row that ends before the finish is DNF with the legs it has. Emit CSV: a row of
// seconds under its header; a finisher's row short of a control keeps no split, with a warning.
TEST(ResultTables, FilesLoadToTheirExpectedEvents) {
  const struct {
    const char* file;
    const char* expected;
  } cases[] = {
      {"oe-46-english.csv", "oe-46-english.csv.txt"},
      {"oe-44-german-comma.csv", "oe-44-german-comma.csv.txt"},
      {"oe-60-french-tab.txt", "oe-60-french-tab.txt.txt"},
      {"oe-46-swedish-backslash.txt", "oe-46-swedish-backslash.txt.txt"},
      {"oe-46-headers-line.csv", "oe-46-headers-line.csv.txt"},
      {"oe-60-no-header.csv", "oe-60-no-header.csv.txt"},
      {"si-triple-column.csv", "si-triple-column.csv.txt"},
      {"sb-two-names.csv", "sb-two-names.csv.txt"},
      {"emit.csv", "emit.csv.txt"},
      // A Headers line before the names; semicolons for commas and quoted names; the one-name form
      // of SplitsBrowser with its length in kilometres; a generic table whose header begins like
      // Emit's is still read as one.
      {"oe-46-headers-before-names.csv", "oe-46-english.csv.txt"},
      {"si-semicolons.csv", "si-semicolons.csv.txt"},
      {"sb-one-name.csv", "sb-two-names.csv.txt"},
      {"emit-like-header.csv", "emit-like-header.csv.txt"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    qxtest::ExpectGolden(std::string("golden/files/tables/") + c.expected,
                         LoadedText(Fixture(c.file)));
  }
  // Files that read alike: SPORTident CSV with a start punch before the controls, a start time
  // after its date, a control punched after the finish on the way to the readout, no finish
  // punch but the race time, or the punches where the header names them, after their number;
  // an Emit header saved with quotes; a SplitsBrowser length with a decimal comma, a class line
  // with no runners (left out), a missing punch written in dashes.
  const std::string si = Fixture("si-triple-column.csv");
  const size_t at = si.find("1,,,Anna Berg,");
  ASSERT_NE(at, std::string::npos);
  const std::string anna = si.substr(at, si.find("\r\n", at) - at);
  const std::string finish = ",F1,00:12:14,";
  ASSERT_TRUE(anna.ends_with(finish));
  const std::string timed = ReplaceAll(anna, "Class 1,10:00:00,,,", "Class 1,10:00:00,,00:12:14,");
  const std::string emit = Fixture("emit.csv"), sb = Fixture("sb-one-name.csv");
  const std::string english = Fixture("oe-46-english.csv");
  const std::string emit_head = emit.substr(0, emit.find("\r\n"));
  const struct {
    std::string text, from, to;
  } alike[] = {
      {si, anna, ReplaceAll(anna, ",,212,", ",,S1,00:00:00,,212,")},
      {si, anna, anna + "33,00:12:40,"},
      {si, anna, timed.substr(0, timed.size() - finish.size() + 1)},
      {si, anna, ReplaceAll(anna, ",,,,,,,,212,", ",4,212,")},
      {si, anna, ReplaceAll(anna, "Class 1,10:00:00,", "Class 1,15/08/2009 10:00:00,")},
      {si, anna, ReplaceAll(anna, "Class 1,10:00:00,", "Class 1,2009-08-15T10:00:00,")},
      {emit, emit_head, "\"" + ReplaceAll(emit_head, ",", "\",\"") + "\""},
      {sb, "M21,3,4.2,180", "M21,3,\"4,2\",180"},
      {sb, "M21,3,4.2,180", "Empty,3\r\nM21,3,4.2,180"},
      {sb, "03:27,00:00,02:36", "03:27,-----,02:36"},
      // An OE export that leaves out a missed control's pair, or every control count.
      {english, "31;3:37;32;-----;33;10:32", "31;3:37;33;10:32"},
      {english, ";35;3;", ";35;;"},
      // The last row, of one who gave up, without the pairs of the controls he did not reach.
      {english + "108;5008;;Kvist;Ivo;;;;0;12:20:00;;;2;;OKA;;;;H21;Herren "
                 "21;;;;;;;;;;;;;;;;;;;;Course 1;4.1;35;3;;12:20:00;;31;4:10;32;-----;33;-----\n",
       "4:10;32;-----;33;-----\n", "4:10\n"},
  };
  for (const auto& c : alike) {
    ASSERT_NE(c.text.find(c.from), std::string::npos) << c.from;
    EXPECT_EQ(LoadedText(ReplaceAll(c.text, c.from, c.to)), LoadedText(c.text)) << c.to;
  }
  // An OE row of a night run without its time: the finish punch after midnight.
  const std::string night =
      ReplaceAll(ReplaceAll(english, "10:00:00;10:12:14.32;12:14.32;", "23:55:00;00:07:14.32;;"),
                 ";10:00:00;10:12:14.32;31;", ";23:55:00;00:07:14.32;31;");
  ASSERT_NE(night.find("23:55:00;00:07:14.32;31;"), std::string::npos);
  EXPECT_NE(LoadedText(night).find("Anna Berg|OK Nord, Syd|1|0:12:14|1:48 4:26 2:29 3:31|"),
            std::string::npos)
      << LoadedText(night);
}

// A row of the layout with surname and first name: the given fields, then the control pairs.
std::string OeRow(std::initializer_list<std::pair<size_t, std::string>> fields,
                  const std::vector<std::string>& pairs) {
  std::vector<std::string> row(46);
  for (const auto& [at, value] : fields) row[at] = value;
  row.insert(row.end(), pairs.begin(), pairs.end());
  std::string line;
  for (const std::string& field : row) line += field + ";";
  return line + "\r\n";
}

// A SPORTident CSV whose header names fewer columns before the punches is read where the header
// names them; a row with a class and no punch is a runner who did not start.
TEST(ResultTables, SiCsvColumnsWhereTheHeaderNamesThem) {
  const std::string text = LoadedText(
      "RaceNumber,Name,Club,CourseClass,StartTime,RaceTime,Status,NumSplits,ControlCode1,Split1,"
      "Points1,ControlCode2,Split2,Points2\r\n"
      "1,Anna Berg,OK Nord,H21,10:00:00,00:06:00,,2,31,00:02:00,,32,00:05:00,\r\n"
      "2,Bo Ek,IFK,H21,10:01:00,,DNS,0\r\n"
      // Open is forked (31-32 most, 31-33 two): a runner the file gives as OK ran the other
      // fork, one without a status missed control 32.
      "3,Cy Dahl,OK,Open,10:00:00,00:06:00,OK,2,31,00:02:00,,33,00:05:00,\r\n"
      "4,Di Eng,OK,Open,10:00:00,00:07:00,OK,2,31,00:02:30,,32,00:05:30,\r\n"
      "5,Ed Fry,OK,Open,10:00:00,00:06:30,,2,31,00:02:10,,32,00:05:10,\r\n"
      "6,Fa Gil,OK,Open,10:00:00,00:06:40,ok,2,31,00:02:20,,32,00:05:20,\r\n"
      "7,Gu Hem,OK,Open,10:00:00,00:06:50,,2,31,00:02:40,,33,00:05:40,\r\n");
  EXPECT_NE(text.find("  Anna Berg|OK Nord||0:06:00|2:00 3:00 1:00|0|0|||36000||"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("  Bo Ek|IFK||DNS|"), std::string::npos) << text;
  EXPECT_NE(text.find("  Cy Dahl|OK||0:06:00|2:00 ↓ 4:00|"), std::string::npos) << text;
  EXPECT_NE(text.find("  Gu Hem|OK||MP|2:40 × 4:10|"), std::string::npos) << text;
}

// Two classes that share their short name are told apart by their long names, each on its own
// controls; a class of runners on courses of other lengths. A surname and first name in kanji
// read surname first, as such names are written.
TEST(ResultTables, OeClassesSharingAShortNameStayApartAndKanjiNames) {
  const std::string english = Fixture("oe-46-english.csv");
  const std::string head = english.substr(0, english.find("\r\n") + 2);
  const auto row = [](const char* name, const char* long_name, std::vector<std::string> pairs) {
    return OeRow({{3, name}, {11, "10:00"}, {12, "0"}, {18, "H21"}, {19, long_name}, {42, "2"}},
                 pairs);
  };
  const std::string text =
      LoadedText(head + row("Elite", "H21 Elite", {"31", "3:00", "32", "6:00"}) +
                 row("Open", "H21 Open", {"41", "2:00", "42", "7:00"}));
  EXPECT_NE(text.find("class H21 Elite|"), std::string::npos) << text;
  EXPECT_NE(text.find("  Open|||0:10:00|2:00 5:00 3:00|"), std::string::npos) << text;
  // Runners of one class on courses of other lengths: the class keeps the first course whole,
  // not only the control both share, and the other runner's legs cover the ones between.
  const auto h50 = [](const char* name, const char* time, std::vector<std::string> pairs) {
    const std::string count = std::to_string(pairs.size() / 2);
    return OeRow({{3, name}, {11, time}, {12, "0"}, {18, "H50"}, {42, count}}, pairs);
  };
  const std::string forks =
      LoadedText(head + h50("Gus", "6:00", {"51", "2:00", "58", "4:00"}) +
                 h50("Hans", "8:00", {"51", "2:00", "52", "4:00", "53", "6:00"}));
  EXPECT_NE(forks.find("  Gus|||0:06:00|2:00 2:00 2:00|"), std::string::npos) << forks;
  EXPECT_NE(forks.find("  Hans|||0:08:00|2:00 ↓ 6:00|"), std::string::npos) << forks;
  const std::string kanji = LoadedText(
      head + OeRow({{3, "山田"}, {4, "太郎"}, {11, "10:00"}, {12, "0"}, {18, "H21"}, {42, "1"}},
                   {"31", "3:00"}));
  EXPECT_NE(kanji.find("  山田 太郎|"), std::string::npos) << kanji;
}

// Loaded onto the English export, in tests/data/golden/files/tables/oe-left-out.txt: a class of 30
// controls and a finish leg is left out; so are a row too short for the layout and a last row
// of a finisher with fewer punches than its count (a file cut in a row); a header without runner
// rows is no result file.
TEST(ResultTables, OeCsvLeavesOutWhatItCannotHoldAndRefusesEmptyExports) {
  const std::string english = Fixture("oe-46-english.csv");
  std::vector<std::string> thirty;
  for (int k = 1; k <= 30; ++k) {
    thirty.push_back(std::to_string(100 + k));
    thirty.push_back(std::to_string(k) + ":00");
  }
  const std::string long_row = OeRow(
      {{3, "Long"}, {11, "40:00"}, {12, "0"}, {18, "H99"}, {39, "Course 9"}, {42, "30"}}, thirty);
  const std::string huge_count = OeRow({{3, "Huge"},
                                        {4, "Count"},
                                        {11, "30:00"},
                                        {12, "0"},
                                        {18, "H21"},
                                        {39, "Course 1"},
                                        {42, "2147483647"}},
                                       {"31", "abc", "32", "99:99", "33"});
  // An empty row, and the head of a second export pasted below, are passed over in silence.
  const std::string pasted = ";;;;;;\r\n" + english.substr(0, english.find("\r\n") + 2);
  qxtest::ExpectGolden("golden/files/tables/oe-left-out.txt",
                       LoadedText(english + pasted + long_row) + "==\n" +
                           LoadedText(english + ";;;Short;Row;;;;0;10:00\r\n" + huge_count) +
                           "==\n" +
                           LoadedText(english.substr(0, english.find("\r\n")) + "\r\n\r\n\r\n"));
}

// Commas inside names and clubs break the export's columns; this event has none.
TEST_F(ResultTablesTest, OurSplitsBrowserExportReadsBackToTheSameRunnersAndTimes) {
  std::string text = Fixture("sb-two-names.csv");
  text.replace(text.find("OKA,JKL"), 7, "OKA JKL");
  ASSERT_TRUE(Load(text));
  auto analyzer = root.NewAnalyzer();
  analyzer->AddClass("M21");
  analyzer->Execute();
  const std::string exported = root.TextControl()->OutputCsvSplitsBrowser(analyzer);
  std::vector<std::string> finishers;  // the export leaves out runners without a time
  const auto m21 = root.ClassData("M21");
  for (int32_t i = 1; i <= m21->LapCount(); ++i) {
    const auto& lap = *m21->LapData(i);
    if (IsValidTime(lap.Result())) finishers.push_back(qxtest::RunnerText(lap));
  }
  ASSERT_EQ(finishers.size(), 2u);
  clsQuorvex2 copy;
  ASSERT_TRUE(copy.FileControl()->LoadLapFile("export.csv", 0, 0, exported)) << copy.ErrorComment();
  EXPECT_EQ(qxtest::ClassRunners(copy, "M21"), finishers);
  EXPECT_EQ(copy.ClassData("M21")->LapData(1)->StartTime.ToString("hh:nn:ss"), "10:00:00");
}

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
  // Legs worked out from cumulative times are whole seconds, as the times are written.
  clsQuorvex2 root;
  ASSERT_TRUE(root.FileControl()->LoadLapFile(
      "t.csv", QX_FILETYPE_QUORVEX1, 0,
      "Class,Name,1,2,3,4,5,6,7,8,9,F\r\n"
      "M21,Ann,0:13,0:47,1:21,2:59,5:07,8:31,13:03,21:17,34:55,55:11\r\n"));
  EXPECT_EQ(qxtest::ExpectWholeSecondLegs(root), 10);
  // A table a spreadsheet saved with tabs (names with blanks, an empty club) reads like the same
  // table with commas, also when its type is told from its content.
  const std::string commas =
      "Class,Name,Shozoku,Time,1,2,F\r\nM21,Ann Berg,,4:00,1:00,2:30,4:00\r\n"
      "M21,Bob Ek,OK Nord,5:00,1:00,3:00,5:00\r\n";
  const std::string expected = qxtest::LoadedEvent("t.csv", 0, 0, commas);
  EXPECT_NE(expected.find("  Bob Ek|OK Nord|"), std::string::npos) << expected;
  EXPECT_EQ(qxtest::LoadedEvent("t.txt", 0, 0, ReplaceAll(commas, ",", "\t")), expected);
  // Every cell in quotes, or only the one that holds a comma, as spreadsheets write them.
  std::string quoted = "\"" + ReplaceAll(ReplaceAll(commas, ",", "\",\""), "\r\n", "\"\r\n\"");
  quoted.pop_back();  // the quote opened after the last line end
  EXPECT_EQ(qxtest::LoadedEvent("t.csv", 0, 0, quoted), expected);
  const std::string with_comma = ReplaceAll(expected, "OK Nord", "OK Nord, Syd");
  EXPECT_EQ(qxtest::LoadedEvent("t.csv", 0, 0, ReplaceAll(commas, "OK Nord", "\"OK Nord, Syd\"")),
            with_comma);
  // Tabs or semicolons between the cells; a quoted line break is a blank; a stray quote goes.
  const auto cells = [&](const std::string& delimiter) {
    return ReplaceAll(commas, ",", delimiter);
  };
  EXPECT_EQ(
      qxtest::LoadedEvent("t.txt", 0, 0, ReplaceAll(cells("\t"), "OK Nord", "\"OK Nord, Syd\"")),
      with_comma);
  EXPECT_EQ(qxtest::LoadedEvent("t.csv", 0, 0, cells(";")), expected);
  EXPECT_EQ(qxtest::LoadedEvent("t.csv", 0, 0, ReplaceAll(commas, "OK Nord", "\"OK\r\nNord\"")),
            expected);
  EXPECT_EQ(qxtest::LoadedEvent("t.csv", 0, 0, ReplaceAll(commas, "Bob Ek", "\"Bob Ek")), expected);
  // Times with minute and second marks hold quotes that open no cell.
  EXPECT_EQ(qxtest::LoadedEvent("t.csv", 0, 0,
                                "Class,Name,Time,1,F\r\nM21,Ann,1:23'45\",0:30'00\",1:23'45\"\r\n"
                                "M21,Bob,1:30'00\",0:31'00\",1:30'00\"\r\n"),
            qxtest::LoadedEvent("t.csv", 0, 0,
                                "Class,Name,Time,1,F\r\nM21,Ann,1:23:45,0:30:00,1:23:45\r\n"
                                "M21,Bob,1:30:00,0:31:00,1:30:00\r\n"));
}

TEST(CsvTable, RefusalsMergesAndHugeInput) {
  clsQuorvex2 root;
  auto& files = *root.FileControl();
  // Without a host callback, the message that no field names were found is the error comment.
  EXPECT_FALSE(files.LoadLapFile("t.csv", QX_FILETYPE_QUORVEX1, 0, "Ann,Bob\r\nCid,Dan\r\n"));
  EXPECT_EQ(root.ErrorComment(), "ＣＳＶファイルの１行目か１列目にフィールド名を入力してください");
  // Times that are empty clocks (a list saved before the race) are no results.
  EXPECT_FALSE(files.LoadLapFile("t.csv", QX_FILETYPE_QUORVEX1, 0,
                                 "Class,Name,Time\r\nM21,Ann,\"  :  :  \"\r\n"));
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

  // An OE export of a start list (classes and starts, nobody with a time or a punch; the course's
  // codes given or not, under a header that names the controls or ends before them) is refused;
  // the same rows merge into the runners held.
  const std::string english = Fixture("oe-46-english.csv");
  const std::string header = english.substr(0, english.find("\r\n"));
  const struct {
    std::string header, count, controls;
  } start_lists[] = {{header, "3", "31;;32;;33;"},
                     {header, "3", ""},
                     {header.substr(0, header.find(";Control1")), "", ""}};
  for (const auto& list : start_lists) {
    const std::string text =
        list.header + "\r\n" +
        "100;;;Berg;Anna;;;;0;10:00:00;;;0;;OK Nord;;;;H21;;;;;;;;;;;;;;;;;;;;;"
        "Course 1;4.1;35;" +
        list.count + ";;;;" + list.controls + "\r\n" +
        "101;;;Ek;Bo;;;;0;10:02:00;;;;;IFK;;;;H21;;;;;;;;;;;;;;;;;;;;;"
        "Course 1;4.1;35;" +
        list.count + ";;;;" + list.controls + "\r\n";
    EXPECT_FALSE(files.LoadLapFile("start.csv", 0, 0, text));
    EXPECT_NE(root.ErrorComment().find("スタートリスト"), std::string::npos) << root.ErrorComment();
    EXPECT_TRUE(files.LoadLapFile("start.csv", 0, QX_LOADMODE_MERGE_NAME, text));
  }
}

}  // namespace
}  // namespace quorvex2
