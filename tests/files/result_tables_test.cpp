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

namespace quorvex2 {
namespace {

constexpr double kMissed = QX_TIME_DISQ;
constexpr double kSkipped = QX_TIME_SKIP;

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

  // Leg times in whole seconds, the codes as they are.
  std::vector<double> Legs(const std::string& class_name, const std::string& name) {
    std::vector<double> legs;
    const auto lap = Runner(class_name, name);
    for (int32_t k = 1; k <= lap->LegCount(); ++k) {
      const double value = lap->LapValue(k);
      legs.push_back(value > 0 ? std::round(value * 86400) : value);
    }
    return legs;
  }

  std::vector<int32_t> CourseCodes(const std::string& class_name) {
    std::vector<int32_t> codes;
    const auto course = root.CourseData(std::to_string(root.ClassData(class_name)->CourseNum));
    for (int32_t k = 1; course && k <= course->ControlCount; ++k) {
      codes.push_back(course->ControlNum(k));
    }
    return codes;
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
    EXPECT_NE(shown.find("clsFileControl.LoadOeCsv\r\n1 row(s) without a class or course"),
              std::string::npos)
        << shown;
    ASSERT_EQ(root.ClassCount(), 2);
    EXPECT_EQ(root.ClassData("H21")->LapCount(), 6);
    EXPECT_EQ(root.ClassData("Damen 21")->LapCount(), 1);  // the long name stands in
    EXPECT_EQ(root.ClassData("H21")->ControlCount, 3);
    EXPECT_EQ(root.ClassData("H21")->Length, 4100);
    EXPECT_EQ(root.ClassData("H21")->Climb, 35);
    EXPECT_EQ(CourseCodes("H21"), (std::vector<int32_t>{31, 32, 33}));
    EXPECT_EQ(root.ClassData("Damen 21")->CourseNum, root.ClassData("H21")->CourseNum);

    const auto anna = Runner("H21", "Anna Berg");
    EXPECT_EQ(anna->ClubName, "OK Nord, Syd");
    EXPECT_EQ(anna->Result(), "0:12:14");  // 12:14.32, the fractions dropped
    EXPECT_EQ(anna->Rank, "1");
    EXPECT_EQ(Legs("H21", "Anna Berg"), (std::vector<double>{108, 266, 149, 211}));
    // Classifier 0 despite a missing punch: a finisher with a skipped control.
    EXPECT_EQ(Runner("H21", "Cia Dahl")->Result(), "0:16:04");
    EXPECT_EQ(Legs("H21", "Cia Dahl"), (std::vector<double>{213, kSkipped, 547, 204}));
    EXPECT_EQ(Runner("H21", "Bo Ek")->Result(), "MP");
    EXPECT_EQ(Legs("H21", "Bo Ek"), (std::vector<double>{217, kMissed, 415, 220}));
    EXPECT_EQ(Runner("H21", "Dan Fors")->Result(), "DNS");
    EXPECT_EQ(Legs("H21", "Dan Fors"), (std::vector<double>{0, 0, 0, 0}));
    EXPECT_EQ(Runner("H21", "Eva Gran")->Result(), "NC");    // the not-competing mark
    EXPECT_EQ(Runner("H21", "Fia Holm")->Result(), "DISQ");  // "dsq" in the place column
    EXPECT_EQ(Runner("H21", "Fia Holm")->Rank, "");
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
  EXPECT_NE(shown.find("Class H99: 31 legs (30 controls and the finish)"), std::string::npos)
      << shown;
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
  EXPECT_NE(shown.find("1 row(s) too short"), std::string::npos) << shown;
  EXPECT_EQ(root.ClassData("H21")->ControlCount, 3);
  EXPECT_EQ(Runner("H21", "Count Huge")->Result(), "MP");

  // A header without runner rows is no result file.
  EXPECT_FALSE(Load(english.substr(0, english.find("\r\n")) + "\r\n\r\n\r\n"));
  EXPECT_NE(root.ErrorComment().find("clsFileControl.LoadOeCsv\r\nNo runner found: expected"),
            std::string::npos)
      << root.ErrorComment();
  EXPECT_EQ(root.ClassCount(), 0);
}

TEST_F(ResultTablesTest, SiCsvWithCommasOrSemicolons) {
  for (const char delimiter : {',', ';'}) {
    SCOPED_TRACE(delimiter);
    ASSERT_TRUE(Load(Replaced(Fixture("si-triple-column.csv"), ',', delimiter)))
        << root.ErrorComment();
    EXPECT_NE(shown.find("Class Long: 31 legs"), std::string::npos) << shown;
    ASSERT_EQ(root.ClassCount(), 1);
    EXPECT_EQ(CourseCodes("Class 1"), (std::vector<int32_t>{212, 229, 208}));
    EXPECT_EQ(Runner("Class 1", "Anna Berg")->Result(), "0:12:14");
    EXPECT_EQ(Runner("Class 1", "Anna Berg")->StartTime.ToString("h:nn:ss"), "10:00:00");
    EXPECT_EQ(Legs("Class 1", "Anna Berg"), (std::vector<double>{108, 266, 149, 211}));
    // A punch left out: the others still meet their controls by code.
    EXPECT_EQ(Runner("Class 1", "Bo Ek")->Result(), "MP");
    EXPECT_EQ(Legs("Class 1", "Bo Ek"), (std::vector<double>{217, kMissed, 415, 220}));
    // No finish time; the name's separator spilled into the next field and is joined back.
    const std::string cia = std::string("Cia Dahl") + delimiter + " Jr.";
    EXPECT_EQ(Runner("Class 1", cia)->Result(), "DNF");
    EXPECT_EQ(Legs("Class 1", cia), (std::vector<double>{181, 244, 174, 0}));
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
    EXPECT_EQ(root.ClassData("M21")->ControlCount, 3);
    EXPECT_EQ(root.ClassData("M21")->Length, 4200);
    EXPECT_EQ(root.ClassData("M21")->Climb, 180);
    EXPECT_EQ(Runner("M21", "Anna Berg")->Result(), "0:12:14");
    EXPECT_EQ(Legs("M21", "Anna Berg"), (std::vector<double>{108, 266, 149, 211}));
    EXPECT_EQ(Runner("M21", "Cia Dahl")->ClubName, "OKA,JKL");
    // 0:00 is a missing punch: the next leg runs from the last punched control.
    EXPECT_EQ(Runner("M21", "Bo Ek")->Result(), "MP");
    EXPECT_EQ(Legs("M21", "Bo Ek"), (std::vector<double>{207, kMissed, 156, 220}));
    EXPECT_EQ(Runner("M21", "Dan Fors")->Result(), "DNS");
    EXPECT_EQ(Runner("M21", "Eva Gran")->Result(), "DNF");  // too few leg times to place
    EXPECT_EQ(Runner("W21", "Fia Holm")->Result(), "0:07:00");
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
  const auto original = root.ClassData("M21");
  std::vector<std::shared_ptr<clsLapData>> finishers;
  for (int32_t i = 1; i <= original->LapCount(); ++i) {
    if (original->LapData(i)->Result().find(':') != std::string::npos) {
      finishers.push_back(original->LapData(i));
    }
  }

  ASSERT_EQ(finishers.size(), 2u);
  clsQuorvex2 copy;
  ASSERT_TRUE(copy.FileControl()->LoadLapFile("export.csv", 0, 0, exported)) << copy.ErrorComment();
  const auto read = copy.ClassData("M21");
  ASSERT_TRUE(read);
  ASSERT_EQ(read->LapCount(), static_cast<int32_t>(finishers.size()));
  for (int32_t i = 1; i <= read->LapCount(); ++i) {
    const auto& a = *finishers[static_cast<size_t>(i - 1)];
    const auto& b = *read->LapData(i);
    EXPECT_EQ(b.RunnerName, a.RunnerName);
    EXPECT_EQ(b.ClubName, a.ClubName);
    EXPECT_EQ(b.Result(), a.Result());
    EXPECT_EQ(b.StartTime.ToString("hh:nn:ss"), a.StartTime.ToString("hh:nn:ss"));
    ASSERT_EQ(b.LegCount(), a.LegCount());
    for (int32_t k = 1; k <= a.LegCount(); ++k) {
      EXPECT_NEAR(b.LapValue(k), a.LapValue(k), 0.5 / 86400) << a.RunnerName << " leg " << k;
    }
  }
}

TEST_F(ResultTablesTest, EmitCsv) {
  ASSERT_TRUE(Load(Fixture("emit.csv"))) << root.ErrorComment();
  EXPECT_EQ(root.ClassCount(), 2);
  EXPECT_EQ(root.ClassData("S14")->ControlCount, 3);
  EXPECT_EQ(root.ClassData("V18")->ControlCount, 2);
  EXPECT_EQ(Runner("S14", "Anna Berg")->Result(), "0:32:58");
  EXPECT_EQ(Runner("S14", "Anna Berg")->ID, 247);
  EXPECT_EQ(Legs("S14", "Anna Berg"), (std::vector<double>{113, 86, 234, 1545}));
  EXPECT_EQ(Runner("S14", "Cia Dahl")->Result(), "DISQ");
  EXPECT_EQ(Runner("V18", "Dan Fors")->Result(), "1:00:46");

  // A generic table whose header begins alike is still read as one.
  ASSERT_TRUE(Load("Id,Name,Time,Class,Place,1,F\r\n7,Ann,3:00,M21,1,1:00,3:00\r\n"
                   "8,Bob,4:00,M21,2,1:30,4:00\r\n"));
  EXPECT_EQ(Legs("M21", "Ann"), (std::vector<double>{60, 120}));
}

}  // namespace
}  // namespace quorvex2
