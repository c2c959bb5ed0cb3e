// The native XML lap file: the exact document, round trips in both save modes, the reading
// rules and the failure paths.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <algorithm>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "files/detail/xml_parts.h"
#include "files_test_support.h"
#include "quorvex2/quorvex2.h"
#include "support/lap_text.h"

namespace quorvex2 {
namespace {

using qxtest::NativeDocument;
using qxtest::ReadFile;
using qxtest::TempPath;
using qxtest::WriteBytes;

const std::string kOpenError = "ファイルを開けません\r\nclsFileControl.LoadQuorvex2\r\n";

// Every field the format carries, in a file we wrote in full mode (an element a line here).
const std::string kEveryField = qxtest::DataPath("native/every-field.lxm");

void FillEvent(clsQuorvex2& root) {
  ASSERT_TRUE(root.FileControl()->LoadLapFile(kEveryField)) << root.ErrorComment();
}

// The file reads to its expected event and writes back as it was: in full mode byte for byte,
// in normal mode without the rank mark and the age; each reads back to the same event.
TEST(NativeXml, EveryFieldReadsAndWritesBackInBothSaveModes) {
  ::setenv("SOURCE_DATE_EPOCH", "0", 1);
  const std::string full_path = TempPath("every-full.lxm"), normal_path = TempPath("every.lxm");
  {
    clsQuorvex2 root;
    FillEvent(root);
    ASSERT_TRUE(root.FileControl()->SaveLapFile(full_path, 0, QX_SAVEMODE_FULL));
    ASSERT_TRUE(root.FileControl()->SaveLapFile(normal_path));
  }
  const std::string full = ReadFile(full_path);
  EXPECT_EQ(ReplaceAll(full, "><", ">\n<"), ReadFile(kEveryField));
  EXPECT_EQ(ReadFile(normal_path), ReplaceAll(full, " rankfix=\"*\" age=\"35\"", ""));
  const std::string event = qxtest::LoadedEvent(kEveryField);
  qxtest::ExpectGolden("golden/files/native/every-field.lxm.txt", event);
  EXPECT_EQ(qxtest::LoadedEvent(full_path), event);
  EXPECT_EQ(qxtest::LoadedEvent(normal_path), ReplaceAll(event, "|*|35\n", "||\n"));
  ASSERT_TRUE(clsQuorvex2().FileControl()->SaveLapFile(normal_path));
  EXPECT_EQ(ReadFile(normal_path),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?><quorvex version=\"2.19\" "
            "filedate=\"1970/01/01 00:00:00\" type=\"application/x-quorvex2\"><meta/><event "
            "name=\"\"/><classes/><courses/></quorvex>");
  // XML 1.0 holds no control character but tab, line feed and carriage return.
  clsQuorvex2 marked;
  marked.AddClass("M21\x1A")->AddLap()->RunnerName = "Eve\x01\tLind";
  ASSERT_TRUE(marked.FileControl()->SaveLapFile(normal_path));
  EXPECT_NE(ReadFile(normal_path).find("<class name=\"M21\"><runner name=\"Eve&#09;Lind\"/>"),
            std::string::npos);
  ::unsetenv("SOURCE_DATE_EPOCH");
}

// A class element of the document with the given runners.
std::string ClassElement(const std::string& attributes, const std::string& runners) {
  return "<classes><class " + attributes + ">" + runners + "</class></classes>";
}

bool Load(clsQuorvex2& root, const std::string& document, int32_t mode = 0) {
  return root.FileControl()->LoadLapFile("data.lxm", 0, mode, document);
}

// Values are trimmed (laptimes are not); whole numbers read their numeric prefix with halves to
// even (4200.5, id 12.5, ecard 13.5abc, leg index 10.5); a start or laptime of 24 hours or more
// and an unknown laptime are no data; X and × are disqualified, ↓ → + skipped; file names are
// lower case and half width; a meta record of another type, unknown elements and attributes are
// ignored.
TEST(NativeXmlReader, ReadsLegTimesWholeNumbersAndDates) {
  qxtest::ExpectGolden("golden/files/native/reading-rules.lxm.txt",
                       qxtest::LoadedEvent(qxtest::DataPath("native/reading-rules.lxm")));
}

// Large files are read class by class when a scan of the text can vouch for it. Whatever the
// scan decides, the event is the one the whole document gives: an instruction after the root
// makes the scan refuse, so the whole parse reads that copy.
TEST(NativeXmlReader, ClassByClassReadingGivesTheEventOfTheWholeDocument) {
  struct Case {
    std::string name;
    std::string text;
    bool in_parts;
  };
  const std::string path = TempPath("parts.lxm");
  const std::string runner =
      "<runner name='Taro' result='1:00:00'><leg index='1' laptime='0:10:00'/></runner>";
  const std::vector<Case> cases{
      {"as written", ReplaceAll(ReadFile(kEveryField), ">\n<", "><"), true},
      {"blanks, line ends, quotes",
       "<?xml version = \"1.0\" encoding = 'utf-8' ?>\r\n<quorvex filedate='2026/01/02 "
       "03:04:05'>\r\n <classes >\r\n\t<class\r\n name = \"A\" >" +
           runner + "</class >\n <class name='B'/>\n</classes>\n</quorvex>\n",
       true},
      {"mark, prefixes, references",
       "\xEF\xBB\xBF<q:quorvex xmlns:q='urn:x'><q:classes><q:class name='A&amp;B &#x4E00;'>"
       "<q:runner name='&lt;x>' result='0:30:00'><q:leg index='1' laptime='0:30:00'/>"
       "</q:runner></q:class></q:classes></q:quorvex>",
       true},
      {"two lists, text and other elements",
       "<quorvex><classes><class name='A'>note<runner name='R'><x><y/></x></runner></class>"
       "</classes><courses/><classes><class name='A'>" +
           runner + "</class><class name='C'></class></classes></quorvex>",
       true},
      {"empty list", "<quorvex><classes/></quorvex>", true},
      {"comments",
       "<!-- a --><quorvex><classes><!-- <class name='F'/> --><class name='A'><!-- <runner "
       "name='G'/> --></class></classes></quorvex><!-- b -->",
       true},
      {"CDATA",
       "<quorvex><classes><class name='A'><![CDATA[<runner name='F'/>]]></class></classes>"
       "</quorvex>",
       false},
      {"document type", "<!DOCTYPE quorvex><quorvex><classes><class name='A'/></classes></quorvex>",
       true},
      // The parser skips a literal whole; a scan that took its ">" for the end would read the
      // class inside it.
      {"'>' in a document type's literal",
       "<!DOCTYPE quorvex SYSTEM \"x><quorvex><classes><class name='F'/></classes></quorvex><!-- "
       "\"><quorvex><classes><class name='A'/></classes></quorvex><!-- -->",
       false},
      {"entity declarations",
       "<!DOCTYPE quorvex [<!ENTITY e 'x'>]><quorvex><classes><class name='A'/></classes>"
       "</quorvex>",
       false},
      {"instruction",
       "<quorvex><classes><?pi <class name='F'/>?><class name='A'/></classes></quorvex>", false},
      {"Latin-1",
       "<?xml version='1.0' encoding='ISO-8859-1'?><quorvex><classes><class name='Caf\xE9'/>"
       "</classes></quorvex>",
       false},
      {"'<' in a value", "<quorvex><classes><class name='a<b'/></classes></quorvex>", false},
      {"crossed tags", "<quorvex><classes><class name='A'></classes></class></quorvex>", false},
      {"second root", "<quorvex><classes><class name='A'/></classes></quorvex><quorvex/>", false},
  };
  const auto loaded = [](const std::string& text) {
    clsQuorvex2 root;
    const bool read = Load(root, text);
    return std::to_string(read) + root.ErrorComment() + "\n" + qxtest::EventText(root) +
           std::to_string(root.FileDate);
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(detail::ScanXmlParts(c.text, {"classes", ""}).split.has_value(), c.in_parts);
    EXPECT_EQ(loaded(c.text), loaded(c.text + "<?pi?>"));
  }
  // A file is read in its declared encoding, the parser's own (Latin-1) or another (Shift_JIS:
  // 男子 in CP932), whole or class by class.
  const std::vector<std::pair<std::string, std::string>> declared{
      {std::find_if(cases.begin(), cases.end(), [](const Case& c) { return c.name == "Latin-1"; })
           ->text,
       "Caf\u00e9"},
      {"<?xml version='1.0' encoding='Shift_JIS'?><quorvex><classes><class "
       "name='\x92\x6A\x8E\x71'/>"
       "</classes></quorvex>",
       "\u7537\u5B50"},
      {"<?xml version='1.0' encoding='Shift_JIS'?><!DOCTYPE quorvex [<!ENTITY e 'x'>]><quorvex>"
       "<classes><class name='\x92\x6A\x8E\x71'/></classes></quorvex>",
       "\u7537\u5B50"},
  };
  for (const auto& [bytes, class_name] : declared) {
    WriteBytes(path, bytes);
    clsQuorvex2 root;
    ASSERT_TRUE(root.FileControl()->LoadLapFile(path)) << root.ErrorComment();
    EXPECT_TRUE(root.IsClassExists(class_name)) << bytes;
  }
}

// Appended, the event, the meta record, a class's length and climb held stay; of two courses
// of one number the first is kept (tests/data/golden/files/native/appended.txt).
TEST(NativeXmlReader, AppendKeepsTheHeldClassEventAndFirstCourse) {
  clsQuorvex2 root;
  ASSERT_TRUE(Load(
      root,
      NativeDocument(
          "<event name='First'/><meta><file type='create' application='A'/></meta>" +
          ClassElement("name='M21A' length='4200'", "<runner name='Taro' id='1'/>") +
          "<courses><course number='1' controls='1'><control index='1' unit-number='101'/></course>"
          "<course number='1' controls='2'><control index='1' unit-number='555'/></course>"
          "</courses>")));
  std::string events = qxtest::EventText(root);
  ASSERT_TRUE(Load(
      root,
      NativeDocument(
          "<event name='Second'/><meta><file type='create' application='B'/></meta>" +
          ClassElement("name='M21A' length='9999' climb='50'", "<runner name='Jiro' id='2'/>") +
          "<courses><course number='1' controls='3'><control index='1' unit-number='777'/></course>"
          "</courses>"),
      QX_LOADMODE_APPEND));
  EXPECT_EQ(root.FileName, "data.lxm");
  qxtest::ExpectGolden("golden/files/native/appended.txt",
                       events + "== appended\n" + qxtest::EventText(root));
}

// Documents that fail while they are walked: appended, they keep what came before and what they
// added before the failure; loaded fresh, they leave nothing. (Files that are no lap file at all,
// XML errors and a foreign root, are the refusal table's of the file control tests.)
TEST(NativeXmlReader, BadDocumentsFailWithTheErrorCommentAndKeepWhatWasAdded) {
  const std::string good_class = ClassElement("name='Kept'", "<runner name='A'/>");
  const std::pair<const char*, std::string> documents[] = {
      {"leg 0", ClassElement("name='B'", "<runner><leg index='0' laptime='0:01:00'/></runner>")},
      {"leg 31", ClassElement("name='B'", "<runner><leg index='31'/></runner>")},
      {"leg -1", ClassElement("name='B'", "<runner><leg index='-1'/></runner>")},
      {"huge id", ClassElement("name='B'", "<runner id='99999999999'/>")},
      {"control 51",
       "<courses><course number='1'><control index='51' unit-number='1'/></course></courses>"},
  };
  for (const auto& [name, bad] : documents) {
    SCOPED_TRACE(name);
    const std::string text = NativeDocument(good_class + bad);
    clsQuorvex2 root;
    root.AddClass("Before");
    EXPECT_FALSE(Load(root, text, QX_LOADMODE_APPEND));
    const std::string comment = root.ErrorComment();
    EXPECT_EQ(comment.substr(0, std::string(kOpenError).size()), kOpenError);
    EXPECT_GT(comment.size(), std::string(kOpenError).size());
    EXPECT_EQ(comment.find("data.lxm はラップファイルではありません: "), std::string::npos)
        << comment;
    EXPECT_TRUE(root.IsClassExists("Before"));
    EXPECT_TRUE(root.IsClassExists("Kept"));  // added before the failure

    EXPECT_FALSE(Load(root, text, QX_LOADMODE_NORMAL));
    EXPECT_EQ(root.ErrorComment(), comment);
    EXPECT_FALSE(root.IsClassExists("Before"));
    EXPECT_EQ(root.FileName, "");
  }
}

TEST(NativeXmlReader, FreshLoadRebuildsSegmentsEvenWhenItFails) {
  std::string courses = "<courses>";
  for (const auto& [number, last] : {std::pair{"1", "103"}, std::pair{"2", "104"}}) {
    courses += std::string("<course number='") + number +
               "' controls='3'><control index='1' unit-number='101'/><control index='2' "
               "unit-number='102'/><control index='3' unit-number='" +
               last + "'/></course>";
  }
  courses += "</courses>";
  const std::string good = "<class name='A' course='1'/><class name='B' course='2'/>";
  const std::string bad = "<class name='C'><runner><leg index='31'/></runner></class>";
  for (const bool fails : {false, true}) {
    SCOPED_TRACE(fails);
    clsQuorvex2 root;
    const std::string classes = "<classes>" + good + (fails ? bad : "") + "</classes>";
    EXPECT_EQ(Load(root, NativeDocument(courses + classes)), !fails);
    ASSERT_EQ(root.SegmentCount(), 1);
    EXPECT_EQ(root.SegmentData(1)->SegmentName(), "S-101-102");
    EXPECT_EQ(root.SegmentData(1)->TargetClassList, (std::vector<std::string>{"A;1", "B;1"}));
  }
}

TEST(NativeXmlWriter, FailingSaveLeavesTheOldFileIntact) {
  const std::string path = TempPath("old.lxm");
  WriteBytes(path, "old contents");
  clsQuorvex2 root;
  FillEvent(root);
  // A file size limit makes the write of the new document fail part way.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit saved{};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  rlimit limited = saved;
  limited.rlim_cur = 64;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
  const bool written = root.FileControl()->SaveLapFile(path);
  ::setrlimit(RLIMIT_FSIZE, &saved);
  EXPECT_FALSE(written);
  EXPECT_EQ(ReadFile(path), "old contents");
  int32_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(TempPath(""))) {
    files += entry.path().filename().string().rfind("old.lxm", 0) == 0;
  }
  EXPECT_EQ(files, 1);  // no temporary file left behind

  EXPECT_FALSE(root.FileControl()->SaveLapFile(TempPath("no/such/folder/x.lxm")));

  // Counts beyond what a record holds fail the save instead of dropping legs or controls.
  ASSERT_TRUE(root.FileControl()->SaveLapFile(path));
  const std::string before = ReadFile(path);
  root.ClassData(1)->LapData(1)->LegCount(31);
  EXPECT_FALSE(root.FileControl()->SaveLapFile(path));
  EXPECT_EQ(ReadFile(path), before);
  root.ClassData(1)->LapData(1)->LegCount(30);
  root.CourseData(1)->ControlCount = 51;
  EXPECT_FALSE(root.FileControl()->SaveLapFile(path));
  EXPECT_EQ(ReadFile(path), before);
  root.CourseData(1)->ControlCount = 50;
  ASSERT_TRUE(root.FileControl()->SaveLapFile(path));
  const std::string full = ReadFile(path);
  EXPECT_NE(full.find("<leg index=\"30\" laptime=\"－\"/></runner>"), std::string::npos);
  EXPECT_NE(full.find("<control index=\"50\" unit-number=\"\"/></course>"), std::string::npos);
}

}  // namespace
}  // namespace quorvex2
