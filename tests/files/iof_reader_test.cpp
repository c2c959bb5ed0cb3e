// Reading IOF XML ResultLists (3.0 and 2.0.3): our fixtures of every kind of runner, relay and
// 2.0.3 list, detection whatever the name, encoding or prolog, messy split times, encodings,
// load modes, and failures on bad input.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "files/files_test_support.h"
#include "files/iof_reading.h"
#include "quorvex2/analysis/analyzed_runner_data.h"
#include "quorvex2/analysis/analyzer.h"
#include "quorvex2/core/encoding.h"
#include "quorvex2/core/load_mode.h"
#include "quorvex2/core/root.h"
#include "quorvex2/core/text.h"
#include "quorvex2/files/file_control.h"
#include "quorvex2/files/file_types.h"

namespace quorvex2 {
namespace {

constexpr Date kSec = 1.0 / 86400.0;
constexpr double SKIP = kTimeSkip, DISQ = kTimeDisq, NODATA = kTimeNoData;

std::string Doc3(const std::string& body,
                 const std::string& event = "<Event><Name>E</Name></Event>") {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ResultList xmlns=\"" +
         std::string(detail::kIof3Namespace) + "\" iofVersion=\"3.0\" status=\"Complete\">" +
         event + body + "</ResultList>";
}

std::string Class3(const std::string& name, const std::string& persons) {
  return "<ClassResult><Class><Name>" + name + "</Name></Class>" + persons + "</ClassResult>";
}

// A runner with a status, a time ("" leaves it out) and SplitTime elements.
std::string Person3(const std::string& family, const std::string& status, const std::string& time,
                    const std::string& splits) {
  return "<PersonResult><Person><Name><Family>" + family +
         "</Family><Given>A</Given></Name></Person><Result>" +
         (time.empty() ? "" : "<Time>" + time + "</Time>") + "<Status>" + status + "</Status>" +
         splits + "</Result></PersonResult>";
}

std::string Split(const std::string& code, const std::string& time,
                  const std::string& status = "") {
  return "<SplitTime" + (status.empty() ? "" : " status=\"" + status + "\"") + "><ControlCode>" +
         code + "</ControlCode>" + (time.empty() ? "" : "<Time>" + time + "</Time>") +
         "</SplitTime>";
}

class IofReaderTest : public ::testing::Test {
 protected:
  clsQuorvex2 root;

  bool Load(const std::string& text, int32_t type = 0, int32_t mode = 0) {
    return root.FileControl()->LoadLapFile("results.xml", type, mode, text);
  }

  std::shared_ptr<clsLapData> Runner(const std::string& class_name, const std::string& name) {
    auto data = root.ClassData(class_name);
    for (int32_t k = 1; data && k <= data->LapCount(); ++k) {
      if (data->LapData(k)->RunnerName == name) return data->LapData(k);
    }
    return nullptr;
  }

  static std::vector<double> Legs(const clsLapData& lap) {
    std::vector<double> seconds;
    for (int32_t k = 1; k <= lap.LegCount(); ++k) {
      const Date value = lap.LapValue(k);
      seconds.push_back(value > 0 ? std::round(value / kSec) : value);
    }
    return seconds;
  }

  std::vector<int32_t> Codes(int32_t course_number) {
    std::vector<int32_t> codes;
    auto course = root.CourseData(std::to_string(course_number));
    for (int32_t k = 1; course && k <= course->ControlCount; ++k) {
      codes.push_back(course->ControlNum(k));
    }
    return codes;
  }
};

struct RunnerRow {
  const char* class_name;
  const char* name;
  const char* result;
  const char* rank;
  std::vector<double> legs;  // seconds, or our codes
  double start;              // seconds of the day, 0 for none
};

class IofFixtureTest : public IofReaderTest {
 protected:
  void LoadFixture(const std::string& name) {
    ASSERT_TRUE(root.FileControl()->LoadLapFile(qxtest::IofTestFile(name))) << root.ErrorComment();
  }

  void ExpectRunners(const std::vector<RunnerRow>& rows) {
    for (const auto& row : rows) {
      auto lap = Runner(row.class_name, row.name);
      ASSERT_TRUE(lap) << row.name;
      EXPECT_EQ(lap->Result(), row.result) << row.name;
      EXPECT_EQ(lap->Rank, row.rank) << row.name;
      EXPECT_EQ(Legs(*lap), row.legs) << row.name;
      EXPECT_NEAR(lap->StartTime.Value(), row.start * kSec, 1e-9) << row.name;
    }
  }

  std::map<std::string, std::string> RanksInDataSet(const std::string& class_name) {
    auto analyzer = root.NewAnalyzer();
    analyzer->AddClass(class_name);
    analyzer->Execute();
    std::map<std::string, std::string> ranks;
    for (int32_t i = 1; i <= analyzer->Count(); ++i) {
      ranks[analyzer->Item(i)->RunnerName()] = analyzer->Item(i)->RankInDataSet();
    }
    return ranks;
  }
};

TEST_F(IofFixtureTest, EveryKindOfRunnerOf30) {
  LoadFixture("individual-3.0.xml");
  ExpectRunners({
      {"M21", "Ahola Aino", "0:40:00", "1", {300, 600, 600, 600, 300}, 36000},
      // 09:30:00Z is 10:30:00 in the event's zone (+01:00).
      {"M21", "Holm Ha", "0:41:00", "2", {310, 610, 610, 610, 320}, 37800},
      // No split at 32: the later splits keep their controls.
      {"M21", "Carr Cy", "0:43:20", "3", {310, SKIP, 1290, 650, 350}, 0},
      // The punch at 99 is no control of the course; the Additional one is ignored.
      {"M21", "Dahl Di", "0:45:00", "4", {330, 620, 700, 650, 400}, 0},
      {"M21", "Berg Bo", "MP", "", {320, DISQ, 1230, 650, 300}, 0},
      {"M21", "Falk Fi", "DNF", "", {400, 600}, 37200},
      // Still out after the last control: no result, no rank (the file says 1), no finish.
      {"M21", "Eklund Ed", "", "", {200, 300, 300, 300, NODATA}, 36600},
      // A PersonResult without a Result.
      {"M21", "Gran Gu", "DNS", "", {}, 0},
  });
  auto m21 = root.ClassData("M21");
  EXPECT_EQ(m21->LapCount(), 8);
  EXPECT_EQ(Codes(m21->CourseNum), (std::vector<int32_t>{31, 32, 33, 34}));
  EXPECT_EQ(m21->Length, 4200);
  EXPECT_EQ(m21->Climb, 120);
  EXPECT_EQ(Runner("M21", "Ahola Aino")->ID, 101);
  EXPECT_EQ(Runner("M21", "Ahola Aino")->Ecard, 5001);
  EXPECT_EQ(Runner("M21", "Gran Gu")->ClubName, "OK Beta");
  EXPECT_EQ(root.EventData()->EventName, "Spring Cup");
  EXPECT_EQ(root.EventData()->EventDate.ToString("yyyy-mm-dd"), "2024-05-18");
  EXPECT_EQ(root.EventData()->TimeZone, "+01:00");
  EXPECT_EQ(root.ErrorComment(),
            "一部のデータを読み込みませんでした\r\nclsFileControl.LoadIofResultList\r\n"
            "最初のレースより後のレースの成績 1 件を読み込みませんでした\r\n"
            "クラス Open: 選手ごとに通過したコントロールが違うので、区間を順番で比べます");
}

TEST_F(IofFixtureTest, OnlyFinishersAreRanked) {
  LoadFixture("individual-3.0.xml");
  EXPECT_EQ(RanksInDataSet("M21"), (std::map<std::string, std::string>{{"Ahola Aino", "1"},
                                                                       {"Holm Ha", "2"},
                                                                       {"Carr Cy", "3"},
                                                                       {"Dahl Di", "4"},
                                                                       {"Berg Bo", ""},
                                                                       {"Falk Fi", ""},
                                                                       {"Eklund Ed", ""}}));
}

TEST_F(IofFixtureTest, RelayLegsByNumberOrPlaceInTheTeam) {
  LoadFixture("relay-2.0.3.xml");
  ASSERT_EQ(root.ClassCount(), 3);
  ExpectRunners({
      {"Relay 1", "Äijälä Aki", "0:20:00", "", {300, 420, 480}, 0},
      // A forked leg: another course, legs by its own order.
      {"Relay 1", "Dunn Dag", "0:21:00", "", {360, 420, 480}, 0},
      {"Relay 2", "Bäck Bea", "0:18:20", "", {360, 360, 380}, 0},
      {"Relay 2", "Ek Eva", "MP", "", {420, SKIP, 720}, 0},
      {"Relay 3", "Cole Cid", "0:15:00", "", {420, 480}, 0},
      {"Relay 3", "Fox Fay", "DNS", "", {}, 0},
  });
  // The team stands in for a missing club.
  EXPECT_EQ(Runner("Relay 1", "Dunn Dag")->ClubName, "Beta");
  EXPECT_EQ(Runner("Relay 2", "Bäck Bea")->ClubName, "OK Bay");
  EXPECT_NE(root.ClassData("Relay 1")->CourseNum, root.ClassData("Relay 2")->CourseNum);
  EXPECT_NE(root.ErrorComment().find("クラス Relay 1:"), std::string::npos) << root.ErrorComment();
}

TEST_F(IofFixtureTest, List203WithIdsSequencesAndGaps) {
  LoadFixture("list-2.0.3.xml");
  ExpectRunners({
      {"H21", "Järvi Pekka Olavi", "0:25:00", "1", {120, 150, 30, 240, 960}, 36300},
      // Finished keeps its time; fractions are cut.
      {"H21", "101", "0:27:52", "2", {141, 151, 31, 211, 1138}, 0},
      // No codes: the sequence numbers place the splits (none at 3).
      {"H21", "140", "0:30:00", "3", {180, 180, SKIP, 360, 1080}, 0},
      // The sequence counts punches; the codes place them.
      {"H21", "114", "MP", "", {120, SKIP, 180, 240}, 0},
      {"H21", "132", "", "", {SKIP, SKIP, 814, NODATA}, 0},
      // Sequence 2 twice: the first punch counts.
      {"D21", "Virtanen Koski Liisa", "0:20:00", "", {240, 300, 360, 300}, 0},
  });
  EXPECT_EQ(Runner("D21", "Virtanen Koski Liisa")->ClubName, "FIN");
  auto jarvi = Runner("H21", "Järvi Pekka Olavi");
  EXPECT_EQ(jarvi->ClubName, "Ås OK");
  EXPECT_EQ(jarvi->Sex, "M");
  EXPECT_EQ(jarvi->ID, 7);
  EXPECT_EQ(jarvi->Ecard, 123456);
  EXPECT_EQ(root.ClassData("H21")->CourseNum, 3);
  EXPECT_EQ(root.ClassData("H21")->Length, 3900);
  EXPECT_EQ(root.EventData()->EventDate.Value(), 0);
  EXPECT_EQ(root.EventData()->TimeZone, "");
}

// UTF-16 from text of ASCII characters.
std::string Utf16(const std::string& ascii, bool little) {
  std::string bytes;
  for (char c : ascii) bytes += little ? std::string{c, '\0'} : std::string{'\0', c};
  return bytes;
}

TEST_F(IofFixtureTest, DetectedWhateverTheNameEncodingOrProlog) {
  const std::string list = qxtest::ReadBytes(qxtest::IofTestFile("individual-3.0.xml"));
  const std::string body = list.substr(list.find('\n') + 1);  // from the comment on
  const std::string relay = qxtest::ReadBytes(qxtest::IofTestFile("relay-2.0.3.xml"));
  const std::string subset = "<!DOCTYPE ResultList [\n<!-- " + std::string(100000, '-') +
                             " -->\n<!ELEMENT Note (#PCDATA)>\n] >";
  const struct {
    const char* name;
    std::string bytes;
    const char* some_class;
  } cases[] = {
      {"utf16.txt", "\xFF\xFE" + Utf16(list, true), "M21"},
      {"utf16be", Utf16(list, false), "M21"},
      {"comment-first.res", body, "M21"},
      {"mark.lxm", "\xEF\xBB\xBF" + list, "M21"},
      {"long-doctype.dat",
       ReplaceAll(relay, "<!DOCTYPE ResultList SYSTEM \"IOFdata.dtd\">", subset), "Relay 3"},
  };
  for (const auto& file : cases) {
    const std::string path = qxtest::TempPath(file.name);
    qxtest::WriteBytes(path, file.bytes);
    EXPECT_TRUE(root.FileControl()->LoadLapFile(path)) << file.name << ": " << root.ErrorComment();
    EXPECT_TRUE(root.IsClassExists(file.some_class)) << file.name;
    // The same text handed over in memory.
    EXPECT_TRUE(root.FileControl()->LoadLapFile(file.name, 0, 0, file.bytes)) << file.name;
    EXPECT_TRUE(root.IsClassExists(file.some_class)) << file.name;
  }
}

TEST_F(IofReaderTest, DetectionKeepsNativeFilesAndType7ForOthers) {
  const std::string iof = Doc3(Class3("M21", Person3("Aa", "OK", "100", "")));
  const std::string path = qxtest::TempPath("detect.xml");
  qxtest::WriteBytes(path, iof);
  ASSERT_TRUE(root.FileControl()->LoadLapFile(path)) << root.ErrorComment();
  EXPECT_EQ(root.ClassData("M21")->LapData(1)->Result(), "0:01:40");
  EXPECT_EQ(detail::IofResultListType("\xEF\xBB\xBF<?xml version='1.0'?><!-- c --><!DOCTYPE "
                                      "ResultList [<!ENTITY a '>'>]><ResultList>"),
            QX_FILETYPE_IOF_XML_20_RESULT);
  EXPECT_EQ(detail::IofResultListType("<iof:ResultList xmlns:iof=\"" +
                                      std::string(detail::kIof3Namespace) + "\">"),
            QX_FILETYPE_IOF_XML_30_RESULT);
  EXPECT_EQ(detail::IofResultListType("<quorvex version=\"2\">"), 0);
  EXPECT_EQ(detail::IofResultListType("<!-- never closed"), 0);

  // A native document under ".xml" still loads as native; type 7 on it fails quietly.
  const std::string native = qxtest::NativeDocument(
      "<classes><class name=\"W21\"><runner name=\"B\" result=\"0:20:00\"/></class></classes>");
  ASSERT_TRUE(Load(native)) << root.ErrorComment();
  EXPECT_TRUE(root.IsClassExists("W21"));
  EXPECT_FALSE(Load(native, QX_FILETYPE_IOF_XML_20_RESULT));
  EXPECT_EQ(root.ErrorComment(), "");
  EXPECT_FALSE(root.FileControl()->LoadLapFile("list.lap", QX_FILETYPE_IOF_XML_20_RESULT, 0,
                                               "$LAPFILE Ver=2\r\nx\r\ny"));
  EXPECT_EQ(root.ErrorComment(), "");
  // Type 8 says why.
  EXPECT_FALSE(Load(native, QX_FILETYPE_IOF_XML_30_RESULT));
  EXPECT_EQ(root.ErrorComment(),
            "ファイルを開けません\r\nclsFileControl.LoadIofResultList\r\n"
            "ルート要素が IOF の ResultList ではありません");
  // Type 7 reads a 3.0 list, type 8 a 2.0.3 one.
  EXPECT_TRUE(Load(iof, QX_FILETYPE_IOF_XML_20_RESULT)) << root.ErrorComment();
  EXPECT_TRUE(
      Load("<ResultList><IOFVersion version=\"2.0.3\"/><ClassResult><ClassShortName>H"
           "</ClassShortName></ClassResult></ResultList>",
           QX_FILETYPE_IOF_XML_30_RESULT))
      << root.ErrorComment();
  EXPECT_TRUE(root.IsClassExists("H"));
}

TEST_F(IofReaderTest, MessySplitTimes) {
  const struct {
    const char* name;
    std::string person;
    std::vector<double> legs;
  } cases[] = {
      // No Time in a split: skipped, the next split carries it.
      {"Skip",
       Person3("Skip", "OK", "400", Split("31", "100") + Split("32", "") + Split("33", "300")),
       {100, SKIP, 200, 100}},
      // Out of order, zero and negative cumulative times are skipped the same way.
      {"Order",
       Person3("Order", "OK", "400",
               Split("31", "200") + Split("32", "150") + Split("33", "0") + Split("34", "-5") +
                   Split("35", "300")),
       {200, SKIP, SKIP, SKIP, 100, 100}},
      // A finish punch among the splits is the finish; fractions are cut.
      {"Finish",
       Person3("Finish", "OK", "",
               Split("31", "100.9") + Split("32", "200.4") + Split("F", "350.7")),
       {100, 100, 150}},
      // Given up with a time: the finish leg covers the controls after his last split.
      {"Gave",
       Person3("Gave", "DidNotFinish", "250", Split("31", "100") + Split("32", "")),
       {100, SKIP, 150}},
      // Off the class's course with fewer controls: the finish is still the leg after them.
      {"Short",
       Person3("Full", "OK", "500", Split("31", "100") + Split("32", "200") + Split("33", "300")) +
           Person3("Short", "OK", "400", Split("41", "100") + Split("33", "300")),
       {100, 200, SKIP, 100}},
      // Given up without one: no finish leg.
      {"Quit",
       Person3("Quit", "DidNotFinish", "", Split("31", "100") + Split("32", "160")),
       {100, 60}},
  };
  std::string body;
  for (const auto& row : cases) body += Class3(row.name, row.person);
  body +=
      Class3("Statuses",
             Person3("Over", "OverTime", "9000", "") + Person3("Disq", "Disqualified", "", "") +
                 Person3("Open", "NotCompeting", "500", "") + Person3("Moved", "Moved", "", "") +
                 Person3("Ok", "OK", "60", "") + Person3("Mp", "MissingPunch", "", "") +
                 Person3("Dnf", "DidNotFinish", "", ""));
  ASSERT_TRUE(Load(Doc3(body))) << root.ErrorComment();
  for (const auto& row : cases) {
    EXPECT_EQ(Legs(*Runner(row.name, std::string(row.name) + " A")), row.legs) << row.name;
  }
  EXPECT_EQ(Runner("Finish", "Finish A")->Result(), "0:05:50");
  // Statuses sort after the times, in the status order.
  auto data = root.ClassData("Statuses");
  std::vector<std::string> order;
  for (int32_t k = 1; k <= data->LapCount(); ++k) order.push_back(data->LapData(k)->Result());
  EXPECT_EQ(order, (std::vector<std::string>{"0:01:00", "MP", "DNF", "OCL", "DISQ", "NC", "DNS"}));
}

TEST_F(IofReaderTest, EmptyClassesAndCoursesSharedByControls) {
  const std::string body =
      Class3("Empty", "") +
      Class3("A", Person3("X", "OK", "300", Split("31", "100") + Split("32", "200"))) +
      Class3("B", Person3("Y", "OK", "300", Split("31", "90") + Split("32", "190"))) +
      Class3("C", Person3("Z", "OK", "300", Split("32", "100") + Split("31", "200")));
  ASSERT_TRUE(Load(Doc3(body))) << root.ErrorComment();
  EXPECT_EQ(root.ClassData("Empty")->LapCount(), 0);
  EXPECT_EQ(root.ClassData("A")->CourseNum, root.ClassData("B")->CourseNum);
  EXPECT_NE(root.ClassData("A")->CourseNum, root.ClassData("C")->CourseNum);
  EXPECT_EQ(root.CourseCount(), 2);
  EXPECT_EQ(root.ErrorComment(), "");  // nothing left out

  // Appending a file with the same controls reuses the course.
  ASSERT_TRUE(
      Load(Doc3(Class3("D", Person3("W", "OK", "300", Split("31", "80") + Split("32", "180")))), 0,
           QX_LOADMODE_APPEND));
  EXPECT_EQ(root.ClassData("D")->CourseNum, root.ClassData("A")->CourseNum);
  EXPECT_EQ(root.CourseCount(), 2);
}

// Japanese puts the family name first; English the given name, except for names in kana or
// kanji. The writers part a name the same way, so a list reads back to the names it was made of.
TEST_F(IofReaderTest, NameOrderFollowsTheLanguage) {
  const struct {
    const char* language;
    const char* family;
    const char* given;
    const char* name;
  } rows[] = {
      {"ja", "Berg", "Anna", "Berg Anna"},
      {"en", "Berg", "Anna", "Anna Berg"},
      {"en", "Dijk", "Jan Piet", "Jan Piet Dijk"},
      {"en", "山田", "太郎", "山田 太郎"},
      {"ja", "山田", "太郎", "山田 太郎"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.language) + " " + row.name);
    root.Language(row.language);
    const std::string person = "<PersonResult><Person><Name><Family>" + std::string(row.family) +
                               "</Family><Given>" + row.given +
                               "</Given></Name></Person><Result><Time>60</Time><Status>OK</Status>"
                               "</Result></PersonResult>";
    ASSERT_TRUE(Load(Doc3(Class3("M21", person)))) << root.ErrorComment();
    EXPECT_TRUE(Runner("M21", row.name));
    for (const int32_t type : {QX_FILETYPE_IOF_XML_20_RESULT, QX_FILETYPE_IOF_XML_30_RESULT}) {
      const std::string path = qxtest::TempPath("names.xml");
      ASSERT_TRUE(root.FileControl()->SaveLapFile(path, type));
      const std::string written = qxtest::ReadBytes(path);
      EXPECT_NE(written.find(std::string("<Family>") + row.family + "</Family>"), std::string::npos)
          << written;
      ASSERT_TRUE(root.FileControl()->LoadLapFile(path)) << root.ErrorComment();
      EXPECT_TRUE(Runner("M21", row.name)) << type;
    }
  }
}

TEST_F(IofReaderTest, ShiftJisDeclared) {
  const std::string sjis =
      Utf8ToSjis("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>" +
                 Doc3(Class3("男子", Person3("山田", "OK", "60", ""))).substr(39));
  const std::string sjis_path = qxtest::TempPath("sjis.xml");
  qxtest::WriteBytes(sjis_path, sjis);
  ASSERT_TRUE(root.FileControl()->LoadLapFile(sjis_path)) << root.ErrorComment();
  EXPECT_TRUE(Runner("男子", "山田 A"));  // family and given names join with a blank
}

TEST_F(IofReaderTest, BadInputFailsWithTheErrorComment) {
  const std::string location = "ファイルを開けません\r\nclsFileControl.LoadIofResultList\r\n";
  EXPECT_FALSE(Load(Doc3(Class3("M", "<PersonResult>")).substr(0, 200)));
  EXPECT_TRUE(root.ErrorComment().starts_with(location + "XML の誤り: ")) << root.ErrorComment();
  EXPECT_EQ(root.ClassCount(), 0);

  EXPECT_FALSE(Load("<ResultList xmlns=\"http://www.orienteering.org/datastandard/2.0\"/>"));
  EXPECT_EQ(root.ErrorComment(),
            location +
                "ResultList の名前空間 http://www.orienteering.org/datastandard/2.0 は IOF "
                "のものではありません");

  // Deep nesting inside a result: no crash; nothing to read there.
  std::string deep;
  for (int i = 0; i < 200000; ++i) deep += "<Extensions>";
  for (int i = 0; i < 200000; ++i) deep += "</Extensions>";
  EXPECT_TRUE(Load(Doc3(Class3("Deep", Person3("N", "OK", "60", deep))))) << root.ErrorComment();
  EXPECT_EQ(Runner("Deep", "N A")->Result(), "0:01:00");

  EXPECT_FALSE(root.FileControl()->LoadLapFile(qxtest::TempPath("missing.xml"),
                                               QX_FILETYPE_IOF_XML_30_RESULT));
  EXPECT_TRUE(root.ErrorComment().starts_with(location)) << root.ErrorComment();
}

TEST_F(IofReaderTest, LoadModesEventAndProgress) {
  const std::string first =
      Doc3(Class3("M21", Person3("Aa", "OK", "100", "") + Person3("Bb", "DidNotStart", "", "")),
           "<Event><Name>Cup</Name><StartTime><Date>2024-05-18</Date></StartTime>"
           "<URL>https://example.org/cup</URL></Event>");
  std::vector<int32_t> progress;
  root.FileControl()->Progress = [&progress](int32_t percent) { progress.push_back(percent); };
  ASSERT_TRUE(Load(first));
  EXPECT_EQ(progress, (std::vector<int32_t>{0, 100, 100}));
  EXPECT_EQ(root.EventData()->EventName, "Cup");
  EXPECT_EQ(root.EventData()->EventDate.ToString("yyyy/mm/dd"), "2024/05/18");
  EXPECT_EQ(root.EventData()->OfficialSite, "https://example.org/cup");

  // Merge by name: the card fills the existing runner, the event name stays.
  const std::string second =
      Doc3(Class3("M21",
                  "<PersonResult><Person><Name><Family>Aa</Family><Given>A</Given></Name>"
                  "</Person><Result><Status>OK</Status><ControlCard>555</ControlCard></Result>"
                  "</PersonResult>" +
                      Person3("Cc", "OK", "90", "")),
           "<Event><Name>Other</Name></Event>");
  ASSERT_TRUE(Load(second, 0, QX_LOADMODE_MERGE_NAME | QX_LOADMODE_NOTADD_NEWDATA));
  EXPECT_EQ(root.EventData()->EventName, "Cup");
  EXPECT_EQ(root.ClassData("M21")->LapCount(), 2);
  EXPECT_EQ(Runner("M21", "Aa A")->Ecard, 555);
  EXPECT_EQ(Runner("M21", "Aa A")->Result(), "0:01:40");
  ASSERT_TRUE(Load(second, 0, QX_LOADMODE_APPEND));
  EXPECT_EQ(root.ClassData("M21")->LapCount(), 4);
}

TEST_F(IofReaderTest, WhatIsLeftOutIsReported) {
  std::string thirty, many;
  for (int i = 1; i <= 35; ++i) {
    (i <= 30 ? thirty : many) += Split(std::to_string(100 + i), std::to_string(i * 10));
  }
  many = thirty + many;
  const std::string body =
      Class3("M21",
             "<PersonResult><Person><Name><Family>Two</Family><Given>Races</Given></Name></Person>"
             "<Result raceNumber=\"1\"><Time>60</Time><Status>OK</Status></Result>"
             "<Result raceNumber=\"2\"><Time>70</Time><Status>OK</Status></Result>"
             "</PersonResult>") +
      Class3("M30", Person3("Full", "OK", "400", thirty)) +
      Class3("M35", Person3("Long", "OK", "400", many));
  std::vector<std::string> messages;
  root.ShowMessage = [&messages](const std::string& message) { messages.push_back(message); };
  ASSERT_TRUE(Load(Doc3(body))) << root.ErrorComment();
  EXPECT_EQ(root.ErrorComment(), "");
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0],
            "一部のデータを読み込みませんでした\r\nclsFileControl.LoadIofResultList\r\n"
            "最初のレースより後のレースの成績 1 件を読み込みませんでした\r\n"
            "区間が 30 を超える選手 1 人: 後の区間を読み込みませんでした");
  // The class of 35 controls cannot be analysed: it is left out, the rest loads.
  EXPECT_EQ(
      messages[1],
      "一部のデータを読み込みませんでした\r\nclsFileControl.LoadLapFile\r\n"
      "クラス M35 は読み込みませんでした: コントロールが 35 個あり、分析できるのは 30 個までです");
  EXPECT_EQ(Runner("M21", "Two Races")->Result(), "0:01:00");  // the first race
  EXPECT_EQ(Runner("M30", "Full A")->LegCount(), 30);          // the finish leg is one too many
  EXPECT_FALSE(root.IsClassExists("M35"));
}

TEST_F(IofReaderTest, OurOwn203ListReadsBack) {
  auto course = root.AddCourse(1);
  course->ControlCount = 2;
  course->ControlNum(1, 31);
  course->ControlNum(2, 32);
  auto data = root.AddClass("M21");
  data->CourseNum = 1;
  data->Length = 3000;
  auto add = [&data](const std::string& name, const std::string& result, std::vector<Date> legs) {
    auto lap = data->AddLap();
    lap->RunnerName = name;
    lap->Result(result);
    for (size_t k = 0; k < legs.size(); ++k) lap->Lap(static_cast<int32_t>(k + 1))->Value(legs[k]);
  };
  add("Aa Bb", "0:05:00", {100 * kSec, 120 * kSec, 80 * kSec});
  add("Cc Dd", "0:06:00", {110 * kSec, kTimeSkip, 250 * kSec});
  add("Ee Ff", "DNS", {});
  const std::string path = qxtest::TempPath("own203.xml");
  ASSERT_TRUE(root.FileControl()->SaveLapFile(path, QX_FILETYPE_IOF_XML_20_RESULT));

  clsQuorvex2 back;
  ASSERT_TRUE(back.FileControl()->LoadLapFile(path)) << back.ErrorComment();
  auto m21 = back.ClassData("M21");
  ASSERT_TRUE(m21);
  EXPECT_EQ(m21->Length, 3000);
  EXPECT_EQ(m21->ControlCount, 2);
  ASSERT_EQ(m21->LapCount(), 3);
  EXPECT_EQ(m21->LapData(1)->RunnerName, "Aa Bb");
  EXPECT_EQ(m21->LapData(1)->Result(), "0:05:00");
  EXPECT_EQ(Legs(*m21->LapData(1)), (std::vector<double>{100, 120, 80}));
  // Only timed legs get a split: the codes place them again, the finish has no code.
  EXPECT_EQ(Legs(*m21->LapData(2)), (std::vector<double>{110, SKIP, 250}));
  EXPECT_EQ(m21->LapData(3)->Result(), "DNS");
  auto course_back = back.CourseData(std::to_string(m21->CourseNum));
  ASSERT_TRUE(course_back);
  EXPECT_EQ(course_back->ControlNum(2), 32);
}

TEST(IofValues, TimesDatesAndLegs) {
  using detail::IofClockSeconds;
  EXPECT_EQ(IofClockSeconds("27:52.5"), 1672.5);
  EXPECT_EQ(IofClockSeconds("1:02:03"), 3723);
  EXPECT_EQ(IofClockSeconds("75:03"), 4503);
  EXPECT_EQ(IofClockSeconds("-0:05"), -5);
  EXPECT_FALSE(IofClockSeconds("1:2:3:4"));
  EXPECT_FALSE(IofClockSeconds("ab"));
  EXPECT_FALSE(IofClockSeconds("1::2"));
  EXPECT_EQ(detail::IofSecondsValue(" 2001.25 "), 2001.25);
  EXPECT_FALSE(detail::IofSecondsValue("1e400"));
  EXPECT_FALSE(detail::IofSecondsValue("12s"));
  EXPECT_FALSE(detail::IofSecondsValue("86400"));
  EXPECT_FALSE(detail::IofSecondsValue("99999999999999999999999999"));
  EXPECT_FALSE(IofClockSeconds("24:00:00"));
  const struct {
    const char* text;
    double seconds;  // -1: no time
    const char* zone;
    double day;
  } date_times[] = {
      {"2011-07-30T10:03:00.7+01:00", 36180, "+01:00", 40754},
      {"2011-07-30T23:59:59Z", 86399, "Z", 40754},
      {"2011-07-30T08:00:00-0530", 28800, "-05:30", 40754},
      {"2011-07-30T08:00:00+00:00", 28800, "+00:00", 40754},
      {"2014-060-07T11:30:00", 41400, "", 0},  // a broken date keeps the time
      {"09:30:00", 34200, "", 0},
      {"09:30:00+25:00", 34200, "", 0},  // no such zone
      {"2011-07-30T24:00:00", -1, "", 0},
      {"2011-07-30", -1, "", 0},
  };
  for (const auto& row : date_times) {
    const auto value = detail::IofDateTimeValue(row.text);
    ASSERT_EQ(value.has_value(), row.seconds >= 0) << row.text;
    if (!value) continue;
    EXPECT_DOUBLE_EQ(value->time, row.seconds * kSec) << row.text;
    EXPECT_EQ(value->zone, row.zone) << row.text;
    EXPECT_EQ(value->day.value_or(0), row.day) << row.text;
  }
  EXPECT_EQ(*detail::IofDateValue("2003-05-18"), 37759);
  EXPECT_FALSE(detail::IofDateValue("2003-13-18"));
  EXPECT_FALSE(detail::IofDateValue("18.05.2003"));

  // A mispunch before a time, trailing skips turned into no data, no finish when it is early.
  const std::vector<detail::IofSplit> splits{{"31", 60.0, false},
                                             {"32", std::nullopt, true},
                                             {"33", 180.0, false},
                                             {"34", std::nullopt, false}};
  const auto legs = detail::IofLegTimes(splits, 170.0);
  ASSERT_EQ(legs.size(), 4u);
  EXPECT_DOUBLE_EQ(legs[0], 60 * kSec);
  EXPECT_EQ(legs[1], kTimeDisq);
  EXPECT_DOUBLE_EQ(legs[2], 120 * kSec);
  EXPECT_EQ(legs[3], kTimeNoData);
  EXPECT_DOUBLE_EQ(detail::IofLegTimes(splits, 200.0).back(), 20 * kSec);
  EXPECT_EQ(detail::IofLegTimes(splits, 200.0)[3], kTimeSkip);
}

TEST(IofValues, SplitsPlacedOnTheCourseByCode) {
  const std::vector<int32_t> course{31, 32, 33, 34};
  const struct {
    const char* name;
    std::vector<std::string> codes;   // each split's code; its time is 100 s times its place
    std::vector<std::string> placed;  // code@seconds, "code@" without a time
    bool fits;
  } cases[] = {
      {"same", {"31", "32", "33", "34"}, {"31@100", "32@200", "33@300", "34@400"}, true},
      {"missed", {"31", "33"}, {"31@100", "32@", "33@200", "34@"}, true},
      {"extra",
       {"31", "99", "32", "33", "31", "34"},
       {"31@100", "32@300", "33@400", "34@600"},
       true},
      {"other course", {"41", "42", "43", "44"}, {"41@100", "42@200", "43@300", "44@400"}, false},
      {"wrong control", {"31", "99", "33", "34"}, {"31@100", "99@200", "33@300", "34@400"}, false},
      {"no codes", {"", ""}, {"@100", "@200"}, true},
      {"none", {}, {"31@", "32@", "33@", "34@"}, true},
  };
  for (const auto& row : cases) {
    std::vector<detail::IofSplit> splits;
    for (const auto& code : row.codes) splits.push_back({code, 100.0 * (splits.size() + 1), false});
    const auto aligned = detail::IofAlignSplits(splits, course);
    std::vector<std::string> placed;
    for (const auto& split : aligned.splits) {
      placed.push_back(split.code + "@" +
                       (split.seconds ? std::to_string(int(*split.seconds)) : ""));
    }
    EXPECT_EQ(placed, row.placed) << row.name;
    EXPECT_EQ(aligned.fits, row.fits) << row.name;
  }
}

TEST(IofValues, StatusesBothWays) {
  using detail::Iof3Status;
  using detail::IofStatusResult;
  EXPECT_EQ(IofStatusResult("OK", 3723.9), "1:02:03");
  EXPECT_EQ(IofStatusResult("OK", std::nullopt), "");
  EXPECT_EQ(IofStatusResult("MisPunch", 100.0), "MP");
  EXPECT_EQ(IofStatusResult("SportWithdr", std::nullopt), "DNF");
  EXPECT_EQ(IofStatusResult("Inactive", std::nullopt), "DNS");
  EXPECT_EQ(IofStatusResult("Unheard", std::nullopt), "NC");
  for (const std::string status : {"OK", "MissingPunch", "DidNotFinish", "OverTime", "Disqualified",
                                   "NotCompeting", "DidNotStart", "Active"}) {
    const std::string text = IofStatusResult(status, 100.0);
    EXPECT_EQ(Iof3Status(text), status) << text;
  }
  EXPECT_EQ(Iof3Status("P2"), "MissingPunch");
  EXPECT_EQ(Iof3Status("DNQ"), "Disqualified");
  EXPECT_EQ(Iof3Status("OP"), "NotCompeting");
}

}  // namespace
}  // namespace quorvex2
