// Reading IOF XML ResultLists (3.0 and 2.0.3): the official examples, detection beside the
// native file, messy split times and encodings, load modes, and failures on bad input.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "files/files_test_support.h"
#include "files/iof_reading.h"
#include "quorvex2/core/encoding.h"
#include "quorvex2/core/load_mode.h"
#include "quorvex2/core/root.h"
#include "quorvex2/files/file_control.h"
#include "quorvex2/files/file_types.h"

namespace quorvex2 {
namespace {

constexpr Date kSec = 1.0 / 86400.0;

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

TEST_F(IofReaderTest, OfficialIndividualExampleOf30) {
  const std::string path = qxtest::SharedIofFile("ResultList1.xml");
  if (path.empty()) GTEST_SKIP() << "the official IOF examples are not present";
  ASSERT_TRUE(root.FileControl()->LoadLapFile(path)) << root.ErrorComment();
  EXPECT_EQ(root.EventData()->EventName, "Example event");
  EXPECT_EQ(root.EventData()->EventDate.ToString("yyyy-mm-dd"), "2011-07-30");
  ASSERT_EQ(root.ClassCount(), 2);

  auto wood = Runner("Men Elite", "Wood George");
  ASSERT_TRUE(wood);
  EXPECT_EQ(wood->ClubName, "OC Back and Forth");
  EXPECT_EQ(wood->Result(), "0:33:21");
  EXPECT_EQ(wood->Rank, "1");
  EXPECT_EQ(wood->ID, 101);
  EXPECT_EQ(wood->Ecard, 794021);
  EXPECT_EQ(wood->StartTime.ToString("hh:nn:ss"), "10:00:00");
  // Cumulative 501, 720, 818, 1136, 1593, finish 2001; the Additional splits of others ignored.
  EXPECT_EQ(Legs(*wood), (std::vector<double>{501, 219, 98, 318, 457, 408}));

  // Missing controls are mispunches; the finish leg carries the time after the last punch.
  auto martin = Runner("Men Elite", "Martin Edgar");
  ASSERT_TRUE(martin);
  EXPECT_EQ(martin->Result(), "MP");
  EXPECT_EQ(Legs(*martin), (std::vector<double>{693, 888, 339, kTimeDisq, kTimeDisq, 282}));
  EXPECT_EQ(root.ClassData("Men Elite")->LapData(1)->RunnerName, "Wood George");

  auto men = root.ClassData("Men Elite");
  EXPECT_EQ(men->Length, 4650);
  EXPECT_EQ(men->Climb, 160);
  EXPECT_EQ(men->ControlCount, 5);
  EXPECT_EQ(Codes(men->CourseNum), (std::vector<int32_t>{31, 32, 31, 33, 31}));

  auto lawson = Runner("Open", "Lawson Toni");
  ASSERT_TRUE(lawson);
  EXPECT_EQ(lawson->Result(), "DNS");
  EXPECT_EQ(lawson->LegCount(), 0);
  EXPECT_EQ(root.ClassData("Open")->Length, 2990);
  EXPECT_EQ(root.ClassData("Open")->CourseNum, 0);
  // The butterfly class is named in the note the load leaves (no message callback here).
  EXPECT_NE(root.ErrorComment().find("Men Elite"), std::string::npos) << root.ErrorComment();
}

TEST_F(IofReaderTest, OfficialRelayExampleOf30ReadsOneClassPerLeg) {
  const std::string path = qxtest::SharedIofFile("ResultList2.xml");
  if (path.empty()) GTEST_SKIP() << "the official IOF examples are not present";
  ASSERT_TRUE(root.FileControl()->LoadLapFile(path)) << root.ErrorComment();
  ASSERT_EQ(root.ClassCount(), 3);
  EXPECT_FALSE(root.IsClassExists("Open"));
  int32_t members = 0;
  for (int32_t i = 1; i <= 3; ++i) members += root.ClassData(i)->LapCount();
  EXPECT_EQ(members, 11);
  // Every runner of a leg class has legs that sum to a positive time or a status.
  auto first_leg = root.ClassData("Open 1");
  ASSERT_TRUE(first_leg);
  EXPECT_GT(first_leg->ControlCount, 0);
}

TEST_F(IofReaderTest, OfficialExampleOf203) {
  const std::string path = qxtest::SharedIofFile("ResultList_example_203.xml");
  if (path.empty()) GTEST_SKIP() << "the official IOF examples are not present";
  ASSERT_TRUE(root.FileControl()->LoadLapFile(path)) << root.ErrorComment();
  ASSERT_EQ(root.ClassCount(), 2);
  EXPECT_EQ(root.ClassData("Men")->LapCount(), 40);
  EXPECT_EQ(root.ClassData("Women")->LapCount(), 40);
  // Men and Women run the same controls: one course.
  EXPECT_EQ(root.CourseCount(), 1);
  EXPECT_EQ(root.ClassData("Men")->CourseNum, root.ClassData("Women")->CourseNum);
  EXPECT_EQ(Codes(root.ClassData("Men")->CourseNum),
            (std::vector<int32_t>{31, 33, 34, 38, 42, 43, 46, 40, 35, 100, 300}));

  // Runners without a name are known by their id; "27:52.5" is cut to whole seconds.
  auto first = Runner("Men", "101");
  ASSERT_TRUE(first);
  EXPECT_EQ(first->Result(), "0:27:52");
  EXPECT_EQ(first->Rank, "17");
  EXPECT_EQ(Legs(*first),
            (std::vector<double>{141, 151, 31, 211, 77, 23, 193, 330, 315, 137, 663}));

  EXPECT_EQ(Runner("Men", "129")->Result(), "MP");
  EXPECT_EQ(Runner("Women", "224")->Result(), "0:27:35");  // Finished keeps its time
  // A runner still out lists only the split of sequence 7: the earlier controls have no time.
  auto active = Runner("Men", "140");
  EXPECT_EQ(active->Result(), "");
  EXPECT_EQ(Legs(*active), (std::vector<double>{kTimeSkip, kTimeSkip, kTimeSkip, kTimeSkip,
                                                kTimeSkip, kTimeSkip, 852}));
  int32_t dns = 0;
  for (int32_t k = 1; k <= root.ClassData("Women")->LapCount(); ++k) {
    dns += root.ClassData("Women")->LapData(k)->Result() == "DNS";
  }
  EXPECT_EQ(dns, 15);  // Inactive
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
            "The root element is not an IOF ResultList");
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
  const std::string body = Class3(
      "M21",
      // No Time in a split: skipped, the next split carries it.
      Person3("Skip", "OK", "400", Split("31", "100") + Split("32", "") + Split("33", "300")) +
          // Out of order, zero and negative cumulative times are skipped the same way.
          Person3("Order", "OK", "400",
                  Split("31", "200") + Split("32", "150") + Split("33", "0") + Split("34", "-5") +
                      Split("35", "300")) +
          // A finish punch among the splits is the finish; fractions are cut.
          Person3("Finish", "OK", "",
                  Split("31", "100.9") + Split("32", "200.4") + Split("F", "350.7")) +
          // Given up: the splits after the last time carry nothing, and no finish leg.
          Person3("Gave", "DidNotFinish", "250", Split("31", "100") + Split("32", "")) +
          Person3("Over", "OverTime", "9000", "") + Person3("Disq", "Disqualified", "", "") +
          Person3("Open", "NotCompeting", "500", "") + Person3("Moved", "Moved", "", ""));
  ASSERT_TRUE(Load(Doc3(body))) << root.ErrorComment();
  EXPECT_EQ(Legs(*Runner("M21", "Skip A")), (std::vector<double>{100, kTimeSkip, 200, 100}));
  EXPECT_EQ(Legs(*Runner("M21", "Order A")),
            (std::vector<double>{200, kTimeSkip, kTimeSkip, kTimeSkip, 100, 100}));
  auto finish = Runner("M21", "Finish A");
  EXPECT_EQ(finish->Result(), "0:05:50");
  EXPECT_EQ(Legs(*finish), (std::vector<double>{100, 100, 150}));
  auto gave = Runner("M21", "Gave A");
  EXPECT_EQ(gave->Result(), "DNF");
  EXPECT_EQ(Legs(*gave), (std::vector<double>{100, kTimeNoData}));
  EXPECT_EQ(Runner("M21", "Over A")->Result(), "OCL");
  EXPECT_EQ(Runner("M21", "Disq A")->Result(), "DISQ");
  EXPECT_EQ(Runner("M21", "Open A")->Result(), "NC");
  EXPECT_EQ(Runner("M21", "Moved A")->Result(), "DNS");
  // Statuses sort after the times, in the status order.
  auto data = root.ClassData("M21");
  std::vector<std::string> order;
  for (int32_t k = 1; k <= data->LapCount(); ++k) order.push_back(data->LapData(k)->Result());
  EXPECT_EQ(order, (std::vector<std::string>{"0:05:50", "0:06:40", "0:06:40", "DNF", "OCL", "DISQ",
                                             "NC", "DNS"}));
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

TEST_F(IofReaderTest, EncodingsAndByteOrderMark) {
  const std::string latin1 =
      "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><ResultList><IOFVersion version=\"2.0.3\"/>"
      "<ClassResult><ClassShortName>H21</ClassShortName><PersonResult><Person sex=\"M\">"
      "<PersonName><Family>J\xE4rvi</Family><Given>Pekka</Given><Given>Olavi</Given></PersonName>"
      "<PersonId/></Person><Club><ClubId/><ShortName>\xC5s OK</ShortName></Club><Result>"
      "<StartNumber>7</StartNumber><CCardId>123456</CCardId><StartTime><Clock>10:05:00</Clock>"
      "</StartTime><Time>1:02:03</Time><ResultPosition>1</ResultPosition>"
      "<CompetitorStatus value=\"OK\"/></Result></PersonResult></ClassResult></ResultList>";
  const std::string path = qxtest::TempPath("latin1.xml");
  qxtest::WriteBytes(path, latin1);
  ASSERT_TRUE(root.FileControl()->LoadLapFile(path)) << root.ErrorComment();
  auto runner = Runner("H21", "Järvi Pekka Olavi");
  ASSERT_TRUE(runner);
  EXPECT_EQ(runner->ClubName, "Ås OK");
  EXPECT_EQ(runner->Sex, "M");
  EXPECT_EQ(runner->ID, 7);
  EXPECT_EQ(runner->Ecard, 123456);
  EXPECT_EQ(runner->Result(), "1:02:03");
  EXPECT_EQ(runner->StartTime.ToString("hh:nn:ss"), "10:05:00");

  const std::string sjis =
      Utf8ToSjis("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>" +
                 Doc3(Class3("男子", Person3("山田", "OK", "60", ""))).substr(39));
  const std::string sjis_path = qxtest::TempPath("sjis.xml");
  qxtest::WriteBytes(sjis_path, sjis);
  ASSERT_TRUE(root.FileControl()->LoadLapFile(sjis_path)) << root.ErrorComment();
  EXPECT_TRUE(Runner("男子", "山田 A"));  // family and given names join with a blank

  const std::string bom_path = qxtest::TempPath("bom.xml");
  qxtest::WriteBytes(bom_path, "\xEF\xBB\xBF" + Doc3(Class3("K", Person3("Bom", "OK", "60", ""))));
  ASSERT_TRUE(root.FileControl()->LoadLapFile(bom_path)) << root.ErrorComment();
  EXPECT_TRUE(Runner("K", "Bom A"));
}

TEST_F(IofReaderTest, BadInputFailsWithTheErrorComment) {
  const std::string location = "ファイルを開けません\r\nclsFileControl.LoadIofResultList\r\n";
  EXPECT_FALSE(Load(Doc3(Class3("M", "<PersonResult>")).substr(0, 200)));
  EXPECT_TRUE(root.ErrorComment().starts_with(location + "XML error: ")) << root.ErrorComment();
  EXPECT_EQ(root.ClassCount(), 0);

  EXPECT_FALSE(Load("<ResultList xmlns=\"http://www.orienteering.org/datastandard/2.0\"/>"));
  EXPECT_EQ(root.ErrorComment(), location +
                                     "Unknown namespace of the ResultList: "
                                     "http://www.orienteering.org/datastandard/2.0");

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
  std::string many;
  for (int i = 1; i <= 35; ++i) many += Split(std::to_string(100 + i), std::to_string(i * 10));
  const std::string body =
      Class3("M21",
             "<PersonResult><Person><Name><Family>Two</Family><Given>Races</Given></Name></Person>"
             "<Result raceNumber=\"1\"><Time>60</Time><Status>OK</Status></Result>"
             "<Result raceNumber=\"2\"><Time>70</Time><Status>OK</Status></Result>"
             "</PersonResult>") +
      Class3("M35", Person3("Long", "OK", "400", many));
  std::vector<std::string> messages;
  root.ShowMessage = [&messages](const std::string& message) { messages.push_back(message); };
  ASSERT_TRUE(Load(Doc3(body))) << root.ErrorComment();
  EXPECT_EQ(root.ErrorComment(), "");
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0],
            "一部のデータを読み込みませんでした\r\nclsFileControl.LoadIofResultList\r\n"
            "1 result(s) of races after the first left out\r\n"
            "1 runner(s) with more than 30 legs: later legs left out");
  // The class of 35 controls cannot be analysed: it is left out, the rest loads.
  EXPECT_EQ(messages[1],
            "一部のデータを読み込みませんでした\r\nclsFileControl.LoadLapFile\r\n"
            "Class M35 left out: 35 controls, at most 30 can be analysed");
  EXPECT_EQ(Runner("M21", "Two Races")->Result(), "0:01:00");  // the first race
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
  add("Cc Dd", "0:06:00", {110 * kSec, 150 * kSec, 100 * kSec});
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
  EXPECT_EQ(Legs(*m21->LapData(2)), (std::vector<double>{110, 150, 100}));
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
  EXPECT_DOUBLE_EQ(*detail::IofTimeOfDay("2011-07-30T10:03:00.7+01:00"), 36180 * kSec);
  EXPECT_DOUBLE_EQ(*detail::IofTimeOfDay("2011-07-30T23:59:59Z"), 86399 * kSec);
  EXPECT_FALSE(detail::IofTimeOfDay("2011-07-30T24:00:00"));
  EXPECT_FALSE(detail::IofTimeOfDay("2011-07-30"));
  EXPECT_DOUBLE_EQ(*detail::IofTimeOfDay("09:30:00"), 34200 * kSec);
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
