// The CSV result files of today's event software, detected by content: OE CSV in every layout,
// language and separator, SPORTident CSV with code, split and points columns, SplitsBrowser CSV
// (our own export read back) and Emit CSV; what they leave out, and what is no result file.
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "files/table_fields.h"
#include "files_test_support.h"
#include "quorvex2/analysis/analyzer.h"
#include "quorvex2/core/course_data.h"
#include "quorvex2/core/root.h"
#include "quorvex2/export/text_control.h"
#include "quorvex2/files/file_control.h"
#include "support/lap_text.h"

namespace quorvex2 {
namespace {

std::string Fixture(const std::string& name) {
  return qxtest::ReadBytes(std::string(QX_TEST_DATA) + "/tables/" + name);
}

std::string Replaced(std::string text, char from, char to) {
  for (char& c : text) c = c == from ? to : c;
  return text;
}

class ResultTablesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root.ShowMessage = [this](const std::string& message) { shown += message; };
  }

  // Loads the text as a file of unknown type, as a user gives it.
  bool Load(const std::string& text, int32_t mode = QX_LOADMODE_NORMAL) {
    shown.clear();
    return root.FileControl()->LoadLapFile("results.csv", QX_FILETYPE_AUTODETECT, mode, text);
  }

  std::shared_ptr<clsLapData> Runner(const std::string& class_name, const std::string& name) {
    auto data = root.ClassData(class_name);
    for (int32_t i = 1; data && i <= data->LapCount(); ++i) {
      if (data->LapData(i)->RunnerName == name) return data->LapData(i);
    }
    ADD_FAILURE() << "no runner " << name << " in " << class_name;
    return std::make_shared<clsLapData>();
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
  EXPECT_EQ(detail::GuessDelimiter("a,b;c;d\te"), ';');
  EXPECT_EQ(detail::GuessDelimiter("a\tb\tc,d"), '\t');
  EXPECT_EQ(detail::ReadCount("2147483647"), 2147483647);
  EXPECT_FALSE(detail::ReadCount("2147483648"));
  EXPECT_FALSE(detail::ReadCount("-3"));
}

// The same event in each layout (one name column, surname and first name, the long layout),
// language, separator and header form; the class-less row is left out with a warning.
TEST_F(ResultTablesTest, OeCsvEveryLayoutLanguageAndSeparatorReadsTheSameEvent) {
  std::vector<std::pair<std::string, std::string>> files;
  for (const char* name :
       {"oe-46-english.csv", "oe-44-german-comma.csv", "oe-60-french-tab.txt",
        "oe-46-swedish-backslash.txt", "oe-46-headers-line.csv", "oe-60-no-header.csv"}) {
    files.emplace_back(name, Fixture(name));
  }
  files.emplace_back("Headers line before the names", "Headers\r\n" + files[0].second);
  for (const auto& [name, text] : files) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(Load(text)) << root.ErrorComment();
    EXPECT_NE(shown.find("clsFileControl.LoadOeCsv\r\nクラスもコースもない行 1 行"),
              std::string::npos)
        << shown;
    ASSERT_EQ(root.ClassCount(), 2);
    EXPECT_EQ(qxtest::CourseText(root, "H21"), "4100/35 m, 3 controls: 31 32 33");
    EXPECT_EQ(root.ClassData("Damen 21")->CourseNum, root.ClassData("H21")->CourseNum);
    EXPECT_EQ(root.ClassData("Damen 21")->LapCount(), 1);  // the long name stands in
    // 12:14.32 with the fractions dropped; classifier 0 despite a missing punch is a finisher
    // with a skipped control; the not-competing mark is NC; "dsq" in the place column DISQ.
    EXPECT_EQ(qxtest::ClassRunners(root, "H21"),
              (std::vector<std::string>{
                  "Anna Berg|OK Nord, Syd|1|0:12:14|1:48 4:26 2:29 3:31",
                  "Cia Dahl|IFK|2|0:16:04|3:33 ↓ 9:07 3:24", "Bo Ek|IFK||MP|3:37 × 6:55 3:40",
                  "Fia Holm|OKB||DISQ|3:01 4:04 2:54 3:33", "Eva Gran|OKA||NC|3:36 2:19 5:07 2:35",
                  "Dan Fors|OKA||DNS|－ － － －"}));
  }
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

TEST_F(ResultTablesTest, OeCsvLeavesOutWhatItCannotHoldAndRefusesEmptyExports) {
  const std::string english = Fixture("oe-46-english.csv");
  std::vector<std::string> thirty;
  for (int k = 1; k <= 30; ++k) {
    thirty.push_back(std::to_string(100 + k));
    thirty.push_back(std::to_string(k) + ":00");
  }
  ASSERT_TRUE(
      Load(english +
           OeRow({{3, "Long"}, {11, "40:00"}, {12, "0"}, {18, "H99"}, {39, "Course 9"}, {42, "30"}},
                 thirty)));
  EXPECT_NE(shown.find("クラス H99 は読み込みませんでした: 区間が 31"), std::string::npos) << shown;
  EXPECT_FALSE(root.IsClassExists("H99"));
  EXPECT_EQ(root.ClassData("H21")->LapCount(), 6);

  // A row too short for the layout; a count beyond any course and times that are none.
  ASSERT_TRUE(Load(english + ";;;Short;Row;;;;0;10:00\r\n" +
                   OeRow({{3, "Huge"},
                          {4, "Count"},
                          {11, "30:00"},
                          {18, "H21"},
                          {39, "Course 1"},
                          {42, "2147483647"}},
                         {"31", "abc", "32", "99:99", "33"})));
  EXPECT_NE(shown.find("形式に足りない短い行 1 行"), std::string::npos) << shown;
  EXPECT_EQ(root.ClassData("H21")->ControlCount, 3);
  EXPECT_EQ(Runner("H21", "Count Huge")->Result(), "MP");

  // A header without runner rows is no result file.
  EXPECT_FALSE(Load(english.substr(0, english.find("\r\n")) + "\r\n\r\n\r\n"));
  EXPECT_NE(root.ErrorComment().find("clsFileControl.LoadOeCsv\r\n選手が見つかりません: "),
            std::string::npos)
      << root.ErrorComment();
  EXPECT_EQ(root.ClassCount(), 0);
}

TEST_F(ResultTablesTest, SiCsvWithCommasOrSemicolons) {
  for (const char delimiter : {',', ';'}) {
    SCOPED_TRACE(delimiter);
    ASSERT_TRUE(Load(Replaced(Fixture("si-triple-column.csv"), ',', delimiter)))
        << root.ErrorComment();
    EXPECT_NE(shown.find("クラス Long は読み込みませんでした: 区間が 31"), std::string::npos)
        << shown;
    ASSERT_EQ(root.ClassCount(), 1);
    EXPECT_EQ(qxtest::CourseText(root, "Class 1"), "0/0 m, 3 controls: 212 229 208");
    EXPECT_EQ(Runner("Class 1", "Anna Berg")->StartTime.ToString("h:nn:ss"), "10:00:00");
    // A punch left out: the others still meet their controls by code. No finish time; the
    // name's separator spilled into the next field and is joined back.
    EXPECT_EQ(
        qxtest::ClassRunners(root, "Class 1"),
        (std::vector<std::string>{
            "Anna Berg|OK Nord||0:12:14|1:48 4:26 2:29 3:31", "Bo Ek|IFK||MP|3:37 × 6:55 3:40",
            std::string("Cia Dahl") + delimiter + " Jr.|IFK||DNF|3:01 4:04 2:54 －"}));
  }
}

// Two name fields, and the one-name form (made here from the same rows).
TEST_F(ResultTablesTest, SplitsBrowserCsvInBothNameForms) {
  const std::string two_names = Fixture("sb-two-names.csv");
  std::string one_name;
  for (size_t at = 0; at < two_names.size();) {
    const size_t end = two_names.find("\r\n", at) + 2;
    std::string line = two_names.substr(at, end - at);
    if (line.find(':') != std::string::npos) line[line.find(',')] = ' ';
    one_name += line;
    at = end;
  }
  ASSERT_NE(one_name, two_names);
  for (const std::string& text : {two_names, one_name}) {
    ASSERT_TRUE(Load(text)) << root.ErrorComment();
    ASSERT_EQ(root.ClassCount(), 2);
    EXPECT_EQ(qxtest::CourseText(root, "M21").substr(0, 20), "4200/180 m, 3 contro");
    // 0:00 is a missing punch: the next leg runs from the last punched control; a row that
    // ends before the finish is DNF with the legs it has.
    auto m21 = qxtest::ClassRunners(root, "M21");
    m21.resize(4);
    EXPECT_EQ(m21, (std::vector<std::string>{"Anna Berg|OK Nord||0:12:14|1:48 4:26 2:29 3:31",
                                             "Cia Dahl|OKA,JKL||0:13:22|3:01 4:04 2:44 3:33",
                                             "Bo Ek|IFK||MP|3:27 × 2:36 3:40",
                                             "Eva Gran|OKB||DNF|3:00 4:00 － －"}));
    EXPECT_EQ(qxtest::ClassRunners(root, "W21").at(0), "Fia Holm|OKB||0:07:00|4:00 3:00");
  }
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

TEST_F(ResultTablesTest, EmitCsv) {
  ASSERT_TRUE(Load(Fixture("emit.csv"))) << root.ErrorComment();
  EXPECT_EQ(root.ClassCount(), 2);
  EXPECT_EQ(root.ClassData("S14")->ControlCount, 3);
  EXPECT_EQ(root.ClassData("V18")->ControlCount, 2);
  EXPECT_EQ(Runner("S14", "Anna Berg")->ID, 247);
  auto s14 = qxtest::ClassRunners(root, "S14");
  ASSERT_EQ(s14.size(), 3u);
  EXPECT_EQ(s14[0], "Anna Berg|OK Nord|1|0:32:58|1:53 1:26 3:54 25:45");
  EXPECT_EQ(s14[1], "Bo Ek|IFK|2|0:35:00|2:00 1:30 3:50 27:40");
  EXPECT_EQ(Runner("S14", "Cia Dahl")->Result(), "DISQ");
  EXPECT_EQ(qxtest::ClassRunners(root, "V18").at(0).substr(0, 23), "Dan Fors|OKB|1|1:00:46|");

  // A generic table whose header begins alike is still read as one.
  ASSERT_TRUE(
      Load("Id,Name,Time,Class,Place,1,F\r\n7,Ann,3:00,M21,1,1:00,3:00\r\n"
           "8,Bob,4:00,M21,2,1:30,4:00\r\n"));
  EXPECT_EQ(qxtest::ClassRunners(root, "M21").at(0), "Ann|||0:03:00|1:00 2:00");
}

}  // namespace
}  // namespace quorvex2
