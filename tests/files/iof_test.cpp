// IOF XML ResultLists (3.0 and 2.0.3). Reading: our fixtures of every kind of runner, relay,
// 2.0.3 list and messy split times; detection whatever the name, encoding or prolog; names, load
// modes, what is left out, and failures on bad input. Writing: the exact documents, what reads back
// from them, and the verdicts of the published DTD and schema.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <regex>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <pugixml.hpp>

#include "files/detail/xml_parts.h"
#include "files/iof_reading.h"
#include "files_test_support.h"
#include "quorvex2/quorvex2.h"
#include "support/lap_text.h"

namespace quorvex2 {
namespace {

using qxtest::FindRunner;
using qxtest::LoadedEvent;

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
                    const std::string& splits = "") {
  return "<PersonResult><Person><Name><Family>" + family +
         "</Family><Given>A</Given></Name></Person><Result>" +
         (time.empty() ? "" : "<Time>" + time + "</Time>") + "<Status>" + status + "</Status>" +
         splits + "</Result></PersonResult>";
}

std::string Split(const std::string& code, const std::string& time) {
  return "<SplitTime><ControlCode>" + code + "</ControlCode><Time>" + time + "</Time></SplitTime>";
}

class IofReaderTest : public ::testing::Test {
 protected:
  bool Load(const std::string& text, int32_t type = 0, int32_t mode = 0) {
    return root.FileControl()->LoadLapFile("results.xml", type, mode, text);
  }

  clsQuorvex2 root;
};

// Each fixture loads to its expected event. individual-3.0: every kind of runner of a timing
// program (a start in UTC read in the event's zone, a split missing, a punch off the course and
// an Additional one, a runner still out after the last control whose position is no rank, a
// PersonResult without a Result), a later race and a class whose runners punch different
// controls. relay-2.0.3: legs by number or place in the team, a forked leg, the team for a
// missing club. list-2.0.3: ids, Finished with fractions cut, sequences with and without codes,
// a sequence given twice. messy-splits-3.0: split times gone wrong, every status, classes
// that share a course by their controls or have one of their own, a class without runners.
TEST(IofFixtures, LoadToTheirExpectedEvents) {
  for (const std::string fixture :
       {"individual-3.0.xml", "relay-2.0.3.xml", "list-2.0.3.xml", "messy-splits-3.0.xml"}) {
    SCOPED_TRACE(fixture);
    qxtest::ExpectGolden("golden/files/iof/" + fixture + ".txt",
                         LoadedEvent(qxtest::IofTestFile(fixture)));
  }
  // Statuses sort after the times, in the status order.
  clsQuorvex2 root;
  ASSERT_TRUE(root.FileControl()->LoadLapFile(qxtest::IofTestFile("messy-splits-3.0.xml")));
  std::vector<std::string> order;
  for (int32_t k = 1; k <= root.ClassData("Statuses")->LapCount(); ++k) {
    order.push_back(root.ClassData("Statuses")->LapData(k)->Result());
  }
  EXPECT_EQ(order, (std::vector<std::string>{"0:01:00", "MP", "DNF", "OCL", "DISQ", "NC", "DNS"}));
}

// UTF-16 from text of ASCII characters.
std::string Utf16(const std::string& ascii, bool little) {
  std::string bytes;
  for (char c : ascii) bytes += little ? std::string{c, '\0'} : std::string{'\0', c};
  return bytes;
}

// A one-runner list in a declared encoding, its class and runner names in that encoding.
std::string Declared(const std::string& encoding, const std::string& class_name,
                     const std::string& family) {
  return "<?xml version=\"1.0\" encoding=\"" + encoding + "\"?>" +
         Doc3(Class3(class_name, Person3(family, "OK", "60"))).substr(38);
}

// Every form of a list loads, from a file of any name and from memory, like its UTF-8 text.
TEST(IofFixtures, DetectedWhateverTheNameEncodingOrProlog) {
  const std::string list = qxtest::ReadFile(qxtest::IofTestFile("individual-3.0.xml"));
  const std::string relay = qxtest::ReadFile(qxtest::IofTestFile("relay-2.0.3.xml"));
  const std::string subset = "<!DOCTYPE ResultList [\n<!-- " + std::string(100000, '-') +
                             " -->\n<!ELEMENT Note (#PCDATA)>\n] >";
  const std::string japanese = Doc3(Class3("男子", Person3("山田", "OK", "60")));
  const std::string western = Doc3(Class3("H\u00E4 \u2013 21", Person3("\u00D6st", "OK", "60")));
  const std::string women = Doc3(Class3("一般女子", Person3("山田", "OK", "60")));
  const struct {
    const char* name;
    std::string bytes;
    std::string text;
  } cases[] = {
      {"utf16.txt", "\xFF\xFE" + Utf16(list, true), list},
      {"utf16be", Utf16(list, false), list},
      {"comment-first.res", list.substr(list.find('\n') + 1), list},
      {"mark.lxm", "\xEF\xBB\xBF" + list, list},
      {"long-doctype.dat",
       ReplaceAll(relay, "<!DOCTYPE ResultList SYSTEM \"IOFdata.dtd\">", subset), relay},
      {"sjis.xml",
       Utf8ToSjis("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>" + japanese.substr(39)),
       japanese},
      // Encodings the XML parser does not know; Latin-1 read as Windows-1252.
      {"cp1252.xml", Declared("windows-1252", "H\xE4 \x96 21", "\xD6st"), western},
      {"latin1.xml", Declared("ISO-8859-1", "H\xE4 \x96 21", "\xD6st"), western},
      {"latin2.xml",
       Declared("ISO-8859-2",
                "\xA3\xF3"
                "d\xBC",
                "\xD6st"),
       Doc3(Class3("\u0141\u00F3d\u017A", Person3("\u00D6st", "OK", "60")))},
      // Valid UTF-8 is UTF-8 whatever is declared; an unknown name gives way to the bytes.
      {"says-latin1.xml", Declared("ISO-8859-1", "H\u00E4 \u2013 21", "\u00D6st"), western},
      {"says-utf16.xml", Declared("UTF16", "H\u00E4 \u2013 21", "\u00D6st"), western},
      {"unknown.xml", Declared("x-unknown", "H\xE4 \x96 21", "\xD6st"), western},
      // No UTF-8, declared as UTF-8 or not at all: the code page the bytes tell.
      {"says-utf8.xml", Declared("UTF-8", "H\xE4 \x96 21", "\xD6st"), western},
      {"undeclared.xml", Declared("UTF-8", "H\xE4 \x96 21", "\xD6st").substr(38), western},
      // Shift-JIS whose "般女" ends in bytes that are also UTF-8 (CA 8F).
      {"sjis-undeclared.xml", Utf8ToSjis(women.substr(39)), women},
      {"spaced.xml",
       ReplaceAll(Declared("windows-1252", "H\xE4 \x96 21", "\xD6st"), "encoding=", "encoding = "),
       western},
  };
  for (const auto& file : cases) {
    SCOPED_TRACE(file.name);
    const std::string expected = LoadedEvent("text.xml", 0, 0, file.text);
    const std::string path = qxtest::TempPath(file.name);
    qxtest::WriteBytes(path, file.bytes);
    EXPECT_EQ(LoadedEvent(path), expected);
    EXPECT_EQ(LoadedEvent(file.name, 0, 0, file.bytes), expected);
  }
  // The offset of an error counts the file's bytes, not those of the text decoded from them
  // (the parser points at the name of the stray end tag).
  const std::string broken = Declared("windows-1252", "\xE4\xE4\xE4", "</x>");
  const size_t at = broken.find("</x>") + 2;
  EXPECT_NE(LoadedEvent("broken.xml", 0, 0, broken).find("(位置 " + std::to_string(at) + ")"),
            std::string::npos);
}

// A plain UTF-8 list is read class by class; it must give what the whole document gives, with
// a namespace prefix, without a version (3.0 told by its Class elements) and in 2.0.3 (there with
// lengths in any unit).
TEST(IofFixtures, ReadInPartsLikeWhole) {
  const auto plain = [](const std::string& fixture) {
    const std::string text = qxtest::ReadFile(qxtest::IofTestFile(fixture));
    const bool latin1 = text.find("ISO-8859-1") != std::string::npos;
    std::string utf8;
    for (const char c : std::regex_replace(text, std::regex("<!--[^]*?-->|<!DOCTYPE[^>]*>"), "")) {
      const auto byte = static_cast<unsigned char>(c);
      if (latin1 && byte >= 0x80) {
        utf8 += {static_cast<char>(0xC0 | byte >> 6), static_cast<char>(0x80 | (byte & 0x3F))};
      } else {
        utf8 += c;
      }
    }
    return ReplaceAll(utf8, "ISO-8859-1", "UTF-8");
  };
  const std::string messy = plain("messy-splits-3.0.xml");
  const std::string space = " xmlns=\"" + std::string(detail::kIof3Namespace) + "\"";
  const std::string prefixed =
      ReplaceAll(ReplaceAll(std::regex_replace(messy, std::regex("<(/?)([A-Za-z])"), "<$1iof:$2"),
                            space, " xmlns:iof=\"" + std::string(detail::kIof3Namespace) + "\""),
                 "<iof:?xml", "<?xml");
  const std::string unversioned =
      ReplaceAll(ReplaceAll(messy, space, ""), " iofVersion=\"3.0\"", "");
  const std::pair<std::string, std::string> cases[] = {
      {"individual-3.0.xml", plain("individual-3.0.xml")},
      {"messy-splits-3.0.xml", messy},
      {"messy-splits-3.0.xml", prefixed},
      {"messy-splits-3.0.xml", unversioned},
      {"messy-splits-3.0.xml", ReplaceAll(messy, space, ReplaceAll(space, "3.0\"", "3.0/\""))},
      {"relay-2.0.3.xml", plain("relay-2.0.3.xml")},
      // A 2.0.3 length given in kilometres or feet.
      {"list-2.0.3.xml", ReplaceAll(plain("list-2.0.3.xml"), "<CourseLength unit=\"m\">3900",
                                    "<CourseLength unit=\"km\">3.9")},
      {"list-2.0.3.xml", ReplaceAll(plain("list-2.0.3.xml"), "<CourseLength unit=\"m\">3900",
                                    "<CourseLength unit=\"ft\">12795.3")},
      // 2.0.3 times in a Clock element.
      {"list-2.0.3.xml",
       std::regex_replace(plain("list-2.0.3.xml"), std::regex("<Time([^>]*)>([^<]+)</Time>"),
                          "<Time$1><Clock>$2</Clock></Time>")},
  };
  for (const auto& [fixture, text] : cases) {
    SCOPED_TRACE(text.substr(0, 160));
    EXPECT_TRUE(detail::ScanXmlParts(text, {"", "ClassResult"}).split.has_value());
    EXPECT_EQ(LoadedEvent("list.xml", 0, 0, text),
              LoadedEvent("list.xml", 0, 0, qxtest::ReadFile(qxtest::IofTestFile(fixture))));
  }
}

TEST_F(IofReaderTest, DetectionKeepsNativeFilesAndType7ForWriting) {
  EXPECT_EQ(detail::IofResultListType("\xEF\xBB\xBF<?xml version='1.0'?><!-- c --><!DOCTYPE "
                                      "ResultList [<!ENTITY a '>'>]><ResultList>"),
            QX_FILETYPE_IOF_XML_20_RESULT);
  EXPECT_EQ(detail::IofResultListType("<iof:ResultList xmlns:iof=\"" +
                                      std::string(detail::kIof3Namespace) + "\">"),
            QX_FILETYPE_IOF_XML_30_RESULT);
  EXPECT_EQ(detail::IofResultListType(
                "<ResultList xmlns=\"https://www.orienteering.org/datastandard/3.0/\">"),
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
  // Type 7 is only written: asked for, it reads not even a list. Type 8 reads 2.0.3 lists too.
  EXPECT_FALSE(
      Load(Doc3(Class3("M21", Person3("Aa", "OK", "100"))), QX_FILETYPE_IOF_XML_20_RESULT));
  EXPECT_EQ(root.ErrorComment(), "");
  EXPECT_TRUE(
      Load("<ResultList><IOFVersion version=\"2.0.3\"/><ClassResult><ClassShortName>H"
           "</ClassShortName></ClassResult></ResultList>",
           QX_FILETYPE_IOF_XML_30_RESULT))
      << root.ErrorComment();
  EXPECT_TRUE(root.IsClassExists("H"));
}

// Japanese puts the family name first; English the given name, except for names in kana or
// kanji. The writers keep the parts a list gave, so a list reads back to the names it was made of.
TEST_F(IofReaderTest, NameOrderFollowsTheLanguage) {
  const struct {
    const char* language;
    const char* family;
    const char* given;
    const char* name;
  } rows[] = {
      {"ja", "Berg", "Anna", "Berg Anna"},         {"en", "Berg", "Anna", "Anna Berg"},
      {"en", "Dijk", "Jan Piet", "Jan Piet Dijk"}, {"en", "山田", "太郎", "山田 太郎"},
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
    EXPECT_TRUE(FindRunner(root, "M21", row.name));
    for (const int32_t type : {QX_FILETYPE_IOF_XML_20_RESULT, QX_FILETYPE_IOF_XML_30_RESULT}) {
      const std::string path = qxtest::TempPath("names.xml");
      ASSERT_TRUE(root.FileControl()->SaveLapFile(path, type));
      const std::string written = qxtest::ReadFile(path);
      EXPECT_NE(written.find(std::string("<Family>") + row.family + "</Family>"), std::string::npos)
          << written;
      ASSERT_TRUE(root.FileControl()->LoadLapFile(path)) << root.ErrorComment();
      EXPECT_TRUE(FindRunner(root, "M21", row.name)) << type;
    }
  }
  // A name given whole: 2.0.3 parts it family first in every language; 3.0 parts it the way it
  // is read back in the language, so that it comes back unchanged.
  for (const auto& [language, type, name, family] :
       {std::tuple{"en", QX_FILETYPE_IOF_XML_20_RESULT, "Clara Novak", "Clara"},
        {"en", QX_FILETYPE_IOF_XML_30_RESULT, "Eva Berg", "Berg"},
        {"ja", QX_FILETYPE_IOF_XML_30_RESULT, "Maja Horvat", "Maja"}}) {
    SCOPED_TRACE(std::string(language) + " " + std::to_string(type));
    root.Language(language);
    root.ClassData("M21")->LapData(1)->RunnerName = name;
    const std::string path = qxtest::TempPath("whole.xml");
    ASSERT_TRUE(root.FileControl()->SaveLapFile(path, type));
    const std::string written = qxtest::ReadFile(path);
    EXPECT_NE(written.find(std::string("<Family>") + family + "</Family>"), std::string::npos)
        << written;
    ASSERT_TRUE(root.FileControl()->LoadLapFile(path)) << root.ErrorComment();
    EXPECT_EQ(FindRunner(root, "M21", name) != nullptr, type == QX_FILETYPE_IOF_XML_30_RESULT);
  }
}

// One person merges by name whichever way round a file joins her family and given name: the OE
// table's "Anna Berg" (its own two columns) with the list's "Berg Anna" in Japanese, and in
// English the list's "Anna Berg" with a name written whole the other way round.
TEST_F(IofReaderTest, MergedByNameEitherWayRound) {
  const std::string berg =
      Doc3(Class3("H21",
                  "<PersonResult><Person><Name><Family>Berg</Family><Given>Anna</Given></Name>"
                  "</Person><Result><Time>60</Time><Status>OK</Status></Result></PersonResult>"));
  const std::string table = std::string(QX_TEST_DATA) + "/tables/oe-46-english.csv";
  for (const bool whole : {false, true}) {
    for (const char* language : {"ja", "en"}) {
      SCOPED_TRACE(std::string(language) + (whole ? " whole" : ""));
      root.Language(language);
      ASSERT_TRUE(root.FileControl()->LoadLapFile(table)) << root.ErrorComment();
      const auto h21 = root.ClassData("H21");
      ASSERT_EQ(h21->LapData(1)->RunnerName, "Anna Berg");
      if (whole) h21->LapData(1)->RunnerName = "Berg Anna";
      const int32_t runners = h21->LapCount();
      ASSERT_TRUE(Load(berg, 0, QX_LOADMODE_MERGE_NAME));
      EXPECT_EQ(h21->LapCount(), runners);
    }
  }
}

// A list of one stage of a multi-day event, whose classes name the courses of every race, reads
// that stage; a class's course is the one of the race read, in whatever order the courses come;
// a start punch among the splits is no control.
TEST_F(IofReaderTest, StagesCoursesAndStartPunches) {
  const auto person = [](const std::string& results) {
    return "<PersonResult><Person><Name><Family>Aa</Family><Given>A</Given></Name></Person>" +
           results + "</PersonResult>";
  };
  const auto result = [](int race, int seconds, const std::string& splits = "") {
    return "<Result raceNumber=\"" + std::to_string(race) + "\"><Time>" + std::to_string(seconds) +
           "</Time><Status>OK</Status>" + splits + "</Result>";
  };
  const auto course = [](int race, int length) {
    return "<Course raceNumber=\"" + std::to_string(race) + "\"><Length>" + std::to_string(length) +
           "</Length></Course>";
  };
  const std::string splits = Split("31", "600") + Split("32", "1200");
  const struct {
    const char* name;
    std::string list;
    int32_t length;
    const char* result;
  } cases[] = {
      {"stage 2 alone", course(1, 5200) + course(2, 6100) + person(result(2, 1800, splits)), 6100,
       "0:30:00"},
      {"latest course first",
       course(2, 6100) + course(1, 5200) + person(result(1, 1500, splits) + result(2, 1800)), 5200,
       "0:25:00"},
      {"start punch", course(1, 5200) + person(result(1, 1500, Split("S1", "0") + splits)), 5200,
       "0:25:00"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(
        Load(Doc3("<ClassResult><Class><Name>H21</Name></Class>" + c.list + "</ClassResult>")))
        << root.ErrorComment();
    const auto h21 = root.ClassData("H21");
    EXPECT_EQ(h21->Length, c.length);
    EXPECT_EQ(h21->ControlCount, 2);
    EXPECT_EQ(h21->LapData(1)->Result(), c.result);
    const auto course = root.CourseData(h21->CourseNum);
    EXPECT_TRUE(course && course->ControlNum(1) == 31);
  }
}

// A runner of a longer fork of his class (31 35 36 37 34 where most run 31 32 33 34) has his
// splits on the controls he shares with the course: the leg to 34 covers 32 and 33, and his
// finish leg is his own.
TEST_F(IofReaderTest, LongerForkOnTheControlsShared) {
  const auto splits = [](const std::vector<std::pair<const char*, int>>& punches) {
    std::string text;
    for (const auto& [code, seconds] : punches) text += Split(code, std::to_string(seconds));
    return text;
  };
  const std::string course = splits({{"31", 400}, {"32", 800}, {"33", 1200}, {"34", 1600}});
  ASSERT_TRUE(Load(Doc3(Class3(
      "H16",
      Person3("Aa", "OK", "2000", course) + Person3("Bb", "OK", "2010", course) +
          Person3("Cc", "OK", "2100",
                  splits({{"31", 300}, {"35", 600}, {"36", 1000}, {"37", 1300}, {"34", 1600}}))))));
  const auto h16 = root.ClassData("H16");
  ASSERT_EQ(h16->ControlCount, 4);
  const auto cc = h16->LapData(3);
  ASSERT_EQ(cc->RunnerName, "Cc A");
  std::vector<double> legs;
  for (int32_t k = 1; k <= 5; ++k) legs.push_back(std::round(cc->Lap(k)->Value() * 86400));
  EXPECT_EQ(legs, (std::vector<double>{300, -86400, -86400, 1300, 500}));
}

TEST_F(IofReaderTest, BadInputFailsWithTheErrorComment) {
  const std::string location = "ファイルを開けません\r\nclsFileControl.LoadIofResultList\r\n";
  EXPECT_FALSE(Load(Doc3(Class3("M", "<PersonResult>")).substr(0, 200)));
  EXPECT_TRUE(root.ErrorComment().starts_with(location + "XML の誤り: ")) << root.ErrorComment();
  EXPECT_EQ(root.ClassCount(), 0);

  // Deep nesting inside a result: no crash; nothing to read there.
  std::string deep;
  for (int i = 0; i < 200000; ++i) deep += "<Extensions>";
  for (int i = 0; i < 200000; ++i) deep += "</Extensions>";
  EXPECT_TRUE(Load(Doc3(Class3("Deep", Person3("N", "OK", "60", deep))))) << root.ErrorComment();
  EXPECT_EQ(FindRunner(root, "Deep", "N A")->Result(), "0:01:00");
}

// A list loaded onto another, in tests/data/golden/files/iof/second-loads.txt: merged by name, the
// card fills the runner held and the event stays; appended, the runners are added; a class that
// runs the controls of a course held reuses that course.
TEST_F(IofReaderTest, LoadedOntoAnEventHeld) {
  const std::string first =
      Doc3(Class3("M21", Person3("Aa", "OK", "100") + Person3("Bb", "DidNotStart", "")),
           "<Event><Name>Cup</Name><StartTime><Date>2024-05-18</Date></StartTime>"
           "<URL>https://example.org/cup</URL></Event>");
  std::vector<int32_t> progress;
  root.FileControl()->Progress = [&progress](int32_t percent) { progress.push_back(percent); };
  ASSERT_TRUE(Load(first));
  EXPECT_EQ(progress, (std::vector<int32_t>{0, 100, 100}));
  const std::string second =
      Doc3(Class3("M21",
                  "<PersonResult><Person><Name><Family>Aa</Family><Given>A</Given></Name>"
                  "</Person><Result><Status>OK</Status><ControlCard>555</ControlCard></Result>"
                  "</PersonResult>" +
                      Person3("Cc", "OK", "90")),
           "<Event><Name>Other</Name></Event>");
  std::string events = "== first\n" + qxtest::EventText(root);
  ASSERT_TRUE(Load(second, 0, QX_LOADMODE_MERGE_NAME | QX_LOADMODE_NOTADD_NEWDATA));
  events += "== merged by name, nothing added\n" + qxtest::EventText(root);
  ASSERT_TRUE(Load(second, 0, QX_LOADMODE_APPEND));
  events += "== appended\n" + qxtest::EventText(root);
  ASSERT_TRUE(root.FileControl()->LoadLapFile(qxtest::IofTestFile("messy-splits-3.0.xml")));
  const std::string splits = Split("31", "80") + Split("32", "180");
  ASSERT_TRUE(Load(Doc3(Class3("D", Person3("W", "OK", "300", splits))), 0, QX_LOADMODE_APPEND));
  events += "== class D onto messy-splits-3.0.xml\n" + qxtest::EventText(root);
  qxtest::ExpectGolden("golden/files/iof/second-loads.txt", events);
  // A lettered code keeps its number from one list to the next loaded onto it; a new one takes
  // none the event holds, so that K7 M31 is no course of M31 M32.
  const auto lettered = [](const char* first, const char* second) {
    return Class3(std::string("L") + first,
                  Person3("P", "OK", "60", Split(first, "10") + Split(second, "20")));
  };
  ASSERT_TRUE(Load(Doc3(lettered("M31", "M32"))));
  ASSERT_TRUE(Load(Doc3(lettered("K7", "M31")), 0, QX_LOADMODE_APPEND));
  const auto codes = [this](const char* name) {
    const auto course = root.CourseData(std::to_string(root.ClassData(name)->CourseNum));
    return std::vector<int32_t>{course->ControlNum(1), course->ControlNum(2)};
  };
  EXPECT_EQ(codes("LM31"), (std::vector<int32_t>{9000, 9001}));
  EXPECT_EQ(codes("LK7"), (std::vector<int32_t>{9002, 9000}));
  // Saved as a native file and loaded again with the first list, the codes number as before:
  // the runners' controls are the class's.
  const std::string saved = qxtest::TempPath("lettered.lxm");
  ASSERT_TRUE(Load(Doc3(lettered("M31", "M32"))));
  ASSERT_TRUE(root.FileControl()->SaveLapFile(saved));
  ASSERT_TRUE(root.FileControl()->LoadLapFile(saved));
  ASSERT_TRUE(Load(Doc3(lettered("M31", "M32")), 0, QX_LOADMODE_MERGE_NAME));
  EXPECT_EQ(root.ErrorComment().find("違う"), std::string::npos) << root.ErrorComment();
  EXPECT_EQ(codes("LM31"), (std::vector<int32_t>{9000, 9001}));
}

// Later races and the legs after the 30th are left out and reported; the class of 35 controls
// cannot be analysed: it is left out with its course, the rest loads
// (tests/data/golden/files/iof/left-out.txt). The stretch W21 shares with M30 is the one segment
// left: M35's course, which ran the whole of M30's, gives none.
TEST(IofReader, WhatIsLeftOutIsReported) {
  std::string full, many;
  for (int i = 1; i <= 35; ++i) {
    (i <= 29 ? full : many) += Split(std::to_string(100 + i), std::to_string(i * 10));
  }
  const std::string shared = Split("101", "10") + Split("102", "20") + Split("103", "30");
  const std::string w21 = Class3("W21", Person3("Short", "OK", "60", shared + Split("150", "50")));
  const std::string body =
      Class3("M21",
             "<PersonResult><Person><Name><Family>Two</Family><Given>Races</Given></Name></Person>"
             "<Result raceNumber=\"1\"><Time>60</Time><Status>OK</Status></Result>"
             "<Result raceNumber=\"2\"><Time>70</Time><Status>OK</Status></Result>"
             "</PersonResult>") +
      Class3("M29", Person3("Full", "OK", "400", full)) +
      Class3("M35", Person3("Long", "OK", "400", full + many)) + w21 +
      // Lettered codes are numbered apart, and apart from the codes of digits (9000); a missed
      // one keeps the later times in place.
      Class3("D45", Person3("Lettered", "OK", "60",
                            Split("9000", "5") + Split("31a", "10") + Split("M31", "20") +
                                Split("K7", "30")) +
                        Person3("Missed", "OK", "70",
                                Split("9000", "5") + Split("31a", "10") + Split("K7", "35")));
  qxtest::ExpectGolden("golden/files/iof/left-out.txt",
                       LoadedEvent("results.xml", 0, 0, Doc3(body)));
  // A list of one stage (race 2) is read as its first race.
  clsQuorvex2 stage;
  ASSERT_TRUE(stage.FileControl()->LoadLapFile(
      "stage.xml", 0, 0,
      Doc3(Class3("M21",
                  "<PersonResult><Person><Name><Family>Stage</Family></Name></Person>"
                  "<Result raceNumber=\"2\"><Time>70</Time><Status>OK</Status></Result>"
                  "</PersonResult>"))));
  EXPECT_EQ(stage.ClassData(1)->LapData(1)->Result(), "0:01:10");
  for (const std::string& classes :
       {body, Class3("M29", Person3("Full", "OK", "400", full)) + w21}) {
    clsQuorvex2 root;
    ASSERT_TRUE(root.FileControl()->LoadLapFile("results.xml", 0, 0, Doc3(classes)));
    ASSERT_EQ(root.SegmentCount(), 1);
    EXPECT_EQ(root.SegmentData(1)->SegmentName(), "S-101-102-103");
  }
}

TEST(IofValues, TimesDatesAndLegs) {
  using detail::IofClockSeconds;
  using detail::IofSecondsValue;
  EXPECT_EQ(IofClockSeconds("27:52.5"), 1672.5);
  EXPECT_EQ(IofClockSeconds("26:44,9"), 1604.9);  // a European decimal comma
  EXPECT_EQ(IofClockSeconds("1:02:03"), 3723);
  EXPECT_EQ(IofClockSeconds("75:03"), 4503);
  EXPECT_EQ(IofClockSeconds("-0:05"), -5);
  EXPECT_EQ(IofSecondsValue(" 2001.25 "), 2001.25);
  for (const char* text : {"1:2:3:4", "ab", "1::2", "24:00:00", "1:2,3.4", "1:2,,3"}) {
    EXPECT_FALSE(IofClockSeconds(text)) << text;
  }
  // A day or more is no time.
  for (const char* text : {"1e400", "12s", "86400", "99999999999999999999999999"}) {
    EXPECT_FALSE(IofSecondsValue(text)) << text;
  }
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
    EXPECT_DOUBLE_EQ(value->time, row.seconds / 86400) << row.text;
    EXPECT_EQ(value->zone, row.zone) << row.text;
    EXPECT_EQ(value->day.value_or(0), row.day) << row.text;
  }
  EXPECT_EQ(*detail::IofDateValue("2003-05-18"), 37759);
  EXPECT_FALSE(detail::IofDateValue("2003-13-18"));
  EXPECT_FALSE(detail::IofDateValue("18.05.2003"));
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

// Loads the event to write, a native file of tests/data/iof that says what it holds.
void FillEvent(clsQuorvex2& root, const std::string& version) {
  ASSERT_TRUE(root.FileControl()->LoadLapFile(qxtest::IofTestFile("to-write-" + version + ".lxm")));
  if (version == "3.0") root.EventData()->TimeZone = "+09:00";
}

std::string Save(clsQuorvex2& root, const std::string& name, int32_t type) {
  const std::string path = qxtest::TempPath(name);
  EXPECT_TRUE(root.FileControl()->SaveLapFile(path, type));
  return path;
}

std::string Validate(const std::string& path, const std::string& against) {
  return qxtest::RunCommand("xmllint --noout " + against + " '" + path + "' 2>&1");
}

std::string Schema() {
  return "--schema '" + qxtest::IofTestFile("IOF.xsd") + "'";
}

// Both documents as written, an element a line.
TEST(IofWriters, WriteTheExpectedDocuments) {
  ::setenv("SOURCE_DATE_EPOCH", "1779091200", 1);  // 2026-05-18, the 3.0 list's createTime
  for (const int32_t type : {QX_FILETYPE_IOF_XML_20_RESULT, QX_FILETYPE_IOF_XML_30_RESULT}) {
    const bool v2 = type == QX_FILETYPE_IOF_XML_20_RESULT;
    const std::string name = v2 ? "written-2.0.3.xml" : "written-3.0.xml";
    SCOPED_TRACE(name);
    clsQuorvex2 root;
    FillEvent(root, v2 ? "2.0.3" : "3.0");
    const std::string written = qxtest::ReadFile(Save(root, name, type));
    qxtest::ExpectGolden("golden/files/iof/" + name, ReplaceAll(written, "><", ">\n<"));
  }
  ::unsetenv("SOURCE_DATE_EPOCH");
}

// ".xml" saves as 2.0.3.
TEST(IofWriters, Only203ClubCountryDeviatesFromTheDtd) {
  clsQuorvex2 root;
  FillEvent(root, "2.0.3");
  root.EventData()->OfficialSite = "http://example.org/";
  const std::string path = Save(root, "results.xml", QX_FILETYPE_AUTODETECT);
  std::istringstream lines(
      Validate(path, "--dtdvalid '" + qxtest::IofTestFile("IOFdata.dtd") + "'"));
  int club_errors = 0;
  for (std::string line; std::getline(lines, line);) {
    if (line.find("error") == std::string::npos) continue;
    EXPECT_NE(line.find("Element Club content does not follow the DTD"), std::string::npos) << line;
    ++club_errors;
  }
  pugi::xml_document doc;
  ASSERT_TRUE(doc.load_file(path.c_str()));
  EXPECT_EQ(club_errors, static_cast<int>(doc.select_nodes("//PersonResult").size()));
}

// The event as EventText writes it, less what a list does not carry back: the event line (an
// undated event is given the day the list is written), legs without data at the end and the
// sex as we spell it.
std::string CarriedBack(const clsQuorvex2& root) {
  std::string text = qxtest::EventText(root);
  text.erase(0, text.find('\n'));
  while (text.find(" －|") != std::string::npos) text = ReplaceAll(text, " －|", "|");
  return ReplaceAll(text, "|男|", "|M|");
}

// The 3.0 list gives back every figure. The 2.0.3 list has no status of its own for a runner
// without a time, no place for a split without one and a single given name, so its runners come
// back otherwise, as the expected event says.
TEST(IofWriters, OurEventsReadBack) {
  clsQuorvex2 v2;
  FillEvent(v2, "2.0.3");
  qxtest::ExpectGolden("golden/files/iof/written-2.0.3.xml.txt",
                       qxtest::LoadedEvent(Save(v2, "back.xml", QX_FILETYPE_IOF_XML_20_RESULT)));

  clsQuorvex2 root;
  FillEvent(root, "3.0");
  const std::string path = Save(root, "round.xml", QX_FILETYPE_IOF_XML_30_RESULT);
  clsQuorvex2 back;
  ASSERT_TRUE(back.FileControl()->LoadLapFile(path)) << back.ErrorComment();
  EXPECT_EQ(back.ErrorComment(), "");
  EXPECT_EQ(CarriedBack(back), CarriedBack(root));
}

TEST(IofWriters, Our3ListValidatesAgainstThePublishedSchema) {
  clsQuorvex2 root;
  FillEvent(root, "3.0");
  root.ClassData("M21")->LapData(1)->RunnerName = "Solo";    // an empty Given name
  root.ClassData("M21")->LapData(1)->ClubName = "Club\x1A";  // no control character in XML 1.0
  root.AddClass("Empty");
  const std::string path = Save(root, "valid.xml", QX_FILETYPE_IOF_XML_30_RESULT);
  EXPECT_EQ(Validate(path, Schema()), path + " validates\n");

  // An event without a date: start times on the day the list is written, never on day 0.
  clsQuorvex2 undated;
  auto early = undated.AddClass("M21")->AddLap();
  early->RunnerName = "Early Eve";
  early->Result("0:30:00");
  early->StartTime.Value(0.25);
  const std::string undated_path = Save(undated, "undated.xml", QX_FILETYPE_IOF_XML_30_RESULT);
  EXPECT_EQ(Validate(undated_path, Schema()), undated_path + " validates\n");
  pugi::xml_document doc;
  ASSERT_TRUE(doc.load_file(undated_path.c_str()));
  const std::string created = doc.child("ResultList").attribute("createTime").value();
  EXPECT_EQ(doc.select_node("//Result/StartTime").node().text().as_string(),
            created.substr(0, 10) + "T06:00:00");
  EXPECT_FALSE(doc.child("ResultList").child("Event").child("StartTime"));
  // Read back, the event still has no date.
  clsQuorvex2 reread;
  ASSERT_TRUE(reread.FileControl()->LoadLapFile(undated_path));
  EXPECT_EQ(reread.EventData()->EventDate.Value(), 0);
  EXPECT_EQ(reread.ClassData("M21")->LapData(1)->StartTime.Value(), 0.25);
}

// What a user gets from convert --to iof3: every runner of our IOF lists comes back as read,
// in a file the schema accepts, with a time only for those who have one.
TEST(IofWriters, OurListsComeBackThrough3) {
  const struct {
    const char* file;
    std::vector<std::string> untimed;  // runners without a Time element
  } cases[] = {
      {"individual-3.0.xml", {"Falk", "Gran", "Eklund"}},
      {"relay-2.0.3.xml", {"Fox"}},
      {"list-2.0.3.xml", {"114", "132"}},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.file);
    clsQuorvex2 read;
    ASSERT_TRUE(read.FileControl()->LoadLapFile(qxtest::IofTestFile(row.file)));
    const std::string path =
        Save(read, std::string("round-") + row.file, QX_FILETYPE_IOF_XML_30_RESULT);
    EXPECT_EQ(Validate(path, Schema()), path + " validates\n");
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_file(path.c_str()));
    std::vector<std::string> untimed;
    for (const auto& node : doc.select_nodes("//PersonResult[not(Result/Time)]")) {
      untimed.push_back(node.node().child("Person").child("Name").child_value("Family"));
    }
    EXPECT_EQ(untimed, row.untimed);
    clsQuorvex2 back;
    ASSERT_TRUE(back.FileControl()->LoadLapFile(path)) << back.ErrorComment();
    EXPECT_EQ(back.EventData()->TimeZone, read.EventData()->TimeZone);
    EXPECT_EQ(CarriedBack(back), CarriedBack(read));
  }
}

}  // namespace
}  // namespace quorvex2
