// Dispatch, type detection, error texts, progress and load modes of clsFileControl, and the
// append-only runner information file.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "files/csv_table_lines.h"
#include "files/detail/detect_file_type.h"
#include "files/detail/progress.h"
#include "files_test_support.h"
#include "quorvex2/quorvex2.h"
#include "support/lap_text.h"

namespace quorvex2 {
namespace {

using qxtest::NativeDocument;
using qxtest::TempPath;
using qxtest::WriteBytes;

constexpr const char* kDetectFailed =
    "ファイルタイプ判別に失敗しました\r\nclsFileControl.DetectFileType";

// Detected from a file, the text stays with the file: the reader reads it as the detection did.
// Detected from memory, the text is handed back with CR LF line ends; there a last line end
// gives a last, empty line.
TEST(DetectFileType, FromFilesAndFromMemory) {
  clsQuorvex2 root;
  // A long file is detected from its head, cut after a line end: here the head's last bytes
  // would split a double-byte character.
  const std::string sjis = "\x83\x89\x83\x62\x83\x76\r\n2\r\nSPORTident results";
  std::string long_text = sjis + "\r\nx";
  while (long_text.size() < 300 * 1024) long_text += "\x83\x41\x83\x41\x83\x41\r\n";
  constexpr int32_t kNotTried = -1;
  const struct {
    const char* name;
    std::string bytes;
    int32_t from_file, from_memory;
  } cases[] = {
      {"a.xml", "anything", QX_FILETYPE_QUORVEX2, QX_FILETYPE_QUORVEX2},
      {"a.LXM", "", QX_FILETYPE_QUORVEX2, QX_FILETYPE_QUORVEX2},
      {"a.csv", "x,$lapfile ver=2\r\nb\r\nc\r\n", QX_FILETYPE_QUORVEX1, QX_FILETYPE_QUORVEX1},
      // Only a file is for appending only; text in memory needs three lines for any rule.
      {"a.txt", "$import_only\r\nb\r\nc", QX_FILETYPE_IMPORT_ONLY, QX_FILETYPE_QUORVEX1},
      {"oe2.txt", "T\r\nSplit times of x", QX_FILETYPE_OEVENT, QX_FILETYPE_UNKNOWN},
      {"b.txt", " $IMPORT_ONLY\r\nb\r\nc", QX_FILETYPE_QUORVEX1, QX_FILETYPE_QUORVEX1},
      {"c.txt", "<?XML version='1.0'?>\r\n<a/>", QX_FILETYPE_QUORVEX2, QX_FILETYPE_UNKNOWN},
      {"d.txt", "title\rSplit times of M21\r", QX_FILETYPE_OEVENT, QX_FILETYPE_OEVENT},
      {"e.txt", "1\r\n2\r\n  sportident RESULTS  \r\n", QX_FILETYPE_SPORTIDENT,
       QX_FILETYPE_SPORTIDENT},
      {"f.txt", "1\r\n2\r\n3", QX_FILETYPE_QUORVEX1, QX_FILETYPE_QUORVEX1},
      {"shift-jis.txt", sjis, QX_FILETYPE_SPORTIDENT, kNotTried},
      {"long.txt", long_text, QX_FILETYPE_SPORTIDENT, kNotTried},
      {"lf.txt", "a\nSplit times of\nc\n", QX_FILETYPE_OEVENT, QX_FILETYPE_OEVENT},
      {"cr.txt", "a\rb\rSPORTident results", QX_FILETYPE_SPORTIDENT, QX_FILETYPE_SPORTIDENT},
      {"lf1.txt", "$lapfile ver=2\n", QX_FILETYPE_QUORVEX1, QX_FILETYPE_UNKNOWN},
      {"lf2.txt", "$import_only\nNAME,CLUB\n", QX_FILETYPE_IMPORT_ONLY, QX_FILETYPE_QUORVEX1},
      {"iof.txt", "<?xml?>\r\n<ResultList>\r\n", QX_FILETYPE_IOF_XML_20_RESULT,
       QX_FILETYPE_IOF_XML_20_RESULT},
      {"upper.txt", "t\r\nSPLIT TIMES OF x\r\n", QX_FILETYPE_OEVENT, QX_FILETYPE_OEVENT},
      {"si.txt", "t\r\n\r\nSPORTident results", QX_FILETYPE_SPORTIDENT, QX_FILETYPE_SPORTIDENT},
      {"info.txt", "$IMPORT_ONLY\r\n\r\n", QX_FILETYPE_IMPORT_ONLY, QX_FILETYPE_QUORVEX1},
      {"lap.txt", "$LAPFILE Ver=2\r\n\r\n", QX_FILETYPE_QUORVEX1, QX_FILETYPE_QUORVEX1},
      // Two lines, whatever ends them (in a file a last line end starts no line).
      {"two.txt", "a\r\nb\r\n", QX_FILETYPE_UNKNOWN, QX_FILETYPE_QUORVEX1},
      {"two-lf.txt", "a\nb\n", QX_FILETYPE_UNKNOWN, QX_FILETYPE_QUORVEX1},
      {"two-cr.txt", "a\rb", QX_FILETYPE_UNKNOWN, QX_FILETYPE_UNKNOWN},
      {"two-lf-open.txt", "a\nb", QX_FILETYPE_UNKNOWN, QX_FILETYPE_UNKNOWN},
      // A result table of one runner is known by its content.
      {"sb-one.csv", "M21,2\r\nAnn,Berg,OK,10:00,01:00,02:00,03:00\r\n",
       QX_FILETYPE_SPLITSBROWSER_CSV, QX_FILETYPE_SPLITSBROWSER_CSV},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = TempPath(c.name);
    WriteBytes(path, c.bytes);
    std::string data;
    EXPECT_EQ(detail::DetectFileType(path, data), c.from_file);
    EXPECT_EQ(data, "");
    if (c.from_memory == kNotTried) continue;
    data = c.bytes;
    EXPECT_EQ(detail::DetectFileType(c.name, data), c.from_memory);
    EXPECT_EQ(data, NormalizeLineEnds(c.bytes));
  }
  EXPECT_EQ(root.ErrorComment(), kDetectFailed);
}

// The event as EventText writes it from the first class on.
// Each refusal says what is wrong with which file; "{}" stands for the path as given.
TEST(LoadLapFile, RefusalsSayWhatIsWrongWithWhichFile) {
  const std::string detection =
      "ファイルタイプが判別に失敗しました\r\nclsFileControl.DetectFileType\r\n";
  const std::string cannot_open = "ファイルを開けません\r\nclsFileControl.Load";
  const std::string native = cannot_open + "Quorvex2\r\n", si = cannot_open + "SportIdent\r\n",
                    oevent = cannot_open + "OEvent\r\n", iof = cannot_open + "IofResultList\r\n";
  const std::string not_read =
      " は成績ファイルではありません: 成績かラップタイムのある選手が見つかりません (";
  struct Refusal {
    const char* file;
    std::optional<std::string> bytes;  // nothing: no such file; "/": a directory; "|": a pipe
    std::string comment;
    int32_t type = QX_FILETYPE_AUTODETECT;
  };
  const std::vector<Refusal> refusals = {
      {"missing.csv", std::nullopt, detection + "{} がありません"},
      {"missing.lxm", std::nullopt, native + "{} がありません"},
      {"empty.lxm", "",
       native + "{} はラップファイルではありません: XML の誤り: ルート要素がありません (位置 0)"},
      {"empty.csv", "", detection + "{} は空です"},
      {"folder.lxm", "/", detection + "{} はファイルではなくフォルダーです"},
      {"pipe.csv", "|", detection + "{} はファイルではなくパイプかデバイスです"},
      {"two.csv", "a\r\nb\r\n", kDetectFailed},
      {"junk.lxm", "junk <",
       native + "{} はラップファイルではありません: XML の誤り: タグの種類がわかりません (位置 5)"},
      {"other.lxm", "<?xml version='1.0'?><lapfile/>",
       native +
           "{} はラップファイルではありません: ルート要素が <quorvex> ではなく <lapfile> です"},
      {"oevent.csv", "Cup\r\nSplit times of Cup\r\nM21A\r\nCreated with OEvent\r\n2026.05.18",
       "{}" + not_read +
           "クラスごとに選手が並ぶ OEvent のラップタイム出力が必要です)\r\n"
           "clsFileControl.LoadLapFile"},
      {"missing.lap", std::nullopt, "", QX_FILETYPE_QUORVEX1},
      {"missing-iof.xml", std::nullopt, iof + "{} がありません", QX_FILETYPE_IOF_XML_30_RESULT},
      {"native.xml", NativeDocument(""), iof + "ルート要素が IOF の ResultList ではありません",
       QX_FILETYPE_IOF_XML_30_RESULT},
      {"namespace.xml", "<ResultList xmlns=\"http://www.orienteering.org/datastandard/2.0\"/>",
       iof + "ResultList の名前空間 http://www.orienteering.org/datastandard/2.0 は IOF のもので"
             "はありません"},
      {"missing-si.txt", std::nullopt, si + "{} がありません", QX_FILETYPE_SPORTIDENT},
      // The marker must stand on the third line, even when everything else is in place.
      {"si-marker.txt",
       "\r\nCup  2026/05/18\r\nresults\r\nSI\r\n\r\n    Pl    Stno Name    Time\r\n",
       si + "SPORTident の成績リストではありません: 3 行目に \"SPORTident results\" がありません",
       QX_FILETYPE_SPORTIDENT},
      {"si-short.txt", "\r\nCup\r\n",
       si + "SPORTident の成績リストではありません: "
            "コントロールの行を持つクラスの見出しがありません",
       QX_FILETYPE_SPORTIDENT},
      // A web page no reader knows is read as a listing, whose reader says what it lacks.
      {"page.html", "<html><body>\r\n<p>Cup</p>\r\n<p>M21</p>\r\n</body></html>\r\n",
       si + "SPORTident の成績リストではありません: "
            "コントロールの行を持つクラスの見出しがありません"},
      // A class with its controls, but no runner under it (nor captions to cut one out).
      {"si-captions.txt",
       "\r\nCup  2026/05/18\r\nSPORTident results\r\nSI\r\n\r\n\r\nM21 (1)\r\n"
       "                  1(101)        F\r\n",
       si + "SPORTident の成績リストが空です: クラスの下に選手がいません", QX_FILETYPE_SPORTIDENT},
      {"missing-oevent.csv", std::nullopt, oevent + "{} がありません", QX_FILETYPE_OEVENT},
      {"oevent-marker.csv", "Cup\r\nSplits\r\nM21\r\n",
       oevent + "OEvent のラップタイム出力ではありません", QX_FILETYPE_OEVENT},
      // A runner line with no class before it and none named on it.
      {"oevent-class.csv", "Cup\r\nSplit times of Cup\r\n1.,Kato Ken,,,2:30\r\n",
       oevent + "クラスより前に選手の行があります", QX_FILETYPE_OEVENT},
  };
  const std::string cup = NativeDocument(
      "<event name='Cup'/><classes><class name='M21A'><runner name='A' result='1:00:00'/></class>"
      "</classes>");
  for (const Refusal& refusal : refusals) {
    SCOPED_TRACE(refusal.file);
    const std::string path = TempPath(refusal.file);
    if (refusal.bytes == "/") {
      std::filesystem::create_directories(path);
    } else if (refusal.bytes == "|") {
      std::filesystem::remove(path);
      ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    } else if (refusal.bytes) {
      WriteBytes(path, *refusal.bytes);
    }
    clsQuorvex2 root;
    ASSERT_TRUE(root.FileControl()->LoadLapFile("cup.lxm", 0, 0, cup));
    EXPECT_FALSE(root.FileControl()->LoadLapFile(path, refusal.type));
    EXPECT_EQ(root.ErrorComment(), ReplaceAll(refusal.comment, "{}", path));
    // A fresh load that fails leaves no class; added to an event, a refused file leaves the event
    // as it was: its records, classes, runners and courses.
    EXPECT_EQ(std::to_string(root.ClassCount()) + root.FileName, "0");
    ASSERT_TRUE(root.FileControl()->LoadLapFile("cup.lxm", 0, 0, cup));
    const std::string held = qxtest::EventText(root);
    EXPECT_FALSE(root.FileControl()->LoadLapFile(path, refusal.type, QX_LOADMODE_APPEND));
    EXPECT_EQ(qxtest::EventText(root) + root.FileName, held + "cup.lxm");
  }
  clsQuorvex2 root;
  auto& files = *root.FileControl();
  // Runners without times are no results to add, but they merge into the runners held.
  const std::string names = "Cup\r\nSplit times of Cup\r\nM21A\r\n1.,Kato Ken,M21A,1,\r\n\r\n";
  root.AddClass("M21A")->AddLap()->RunnerName = "Kato Ken";
  EXPECT_FALSE(files.LoadLapFile("names.csv", 0, QX_LOADMODE_APPEND, names));
  EXPECT_TRUE(files.LoadLapFile("names.csv", 0, QX_LOADMODE_MERGE_NAME, names));
  EXPECT_EQ(root.ClassData("M21A")->LapCount(), 1);
  const std::string import_only = TempPath("import.txt");
  WriteBytes(import_only, "$import_only\r\n1,2\r\n");
  for (int32_t mode : {QX_LOADMODE_NORMAL, QX_LOADMODE_MERGE_ID}) {
    EXPECT_FALSE(files.LoadLapFile(import_only, 0, mode));
    EXPECT_EQ(root.ErrorComment(), "このファイルは追加読み込み専用です");
  }
  EXPECT_FALSE(
      files.LoadLapFile(TempPath("none.csv"), QX_FILETYPE_IMPORT_ONLY, QX_LOADMODE_APPEND));
  EXPECT_EQ(root.ErrorComment(), "");
  // Type 7 is written only: asked for, even an IOF list the detection would read is not read.
  const std::string iof_list = std::string(QX_TEST_DATA) + "/iof/individual-3.0.xml";
  EXPECT_FALSE(files.LoadLapFile(iof_list, QX_FILETYPE_IOF_XML_20_RESULT));
  EXPECT_EQ(root.ErrorComment(), "");
  EXPECT_TRUE(files.LoadLapFile(iof_list));
  EXPECT_FALSE(files.LoadLapFile("x.xml", QX_FILETYPE_UNKNOWN, 0, "<a/>"));
  EXPECT_FALSE(files.LoadLapFile("x.xml", 99, 0, "<a/>"));
  EXPECT_EQ(root.ErrorComment(), "");
}

// XML the parser would read but that is not well-formed is refused by both XML readers, saying
// what is wrong and where ("`" marks the place); text that only looks like it reads. A value
// is the native runner's club and the IOF result's attribute of that name; a text is the IOF club
// and text of the native class.
TEST(LoadLapFile, XmlThatIsNotWellFormedIsRefused) {
  struct Case {
    const char* label;
    std::string value, text;
    std::string fault;  // "": the document reads, its club `club`
    std::string club = "", prolog = "";
    std::string after = "";  // after the document; "twice": the document again
    bool utf16 = false;
  };
  const std::string declared = "<!DOCTYPE x [<!ENTITY tc 'Tokyo \"O\" OLC'>]>";
  const std::vector<Case> cases = {
      {"bare &", "Smith `& Sons", "Smith `& Sons",
       "「&」のあとに参照がありません (「&」そのもの"
       "は &amp; と書きます)"},
      {"no ;", "`&amp", "`&amp",
       "「&」のあとに参照がありません (「&」そのものは &amp; と書きます)"},
      {"undeclared", "a`&nbsp;b", "a`&nbsp;b", "宣言されていない実体 &nbsp; を参照しています"},
      {"declared with markup", "`&tc;", "`&tc;",
       "文書型宣言の中で宣言された実体 &tc; を参照しています (値が文字だけの実体のほかは読み"
       "ません)",
       "", "<!DOCTYPE x [<!ENTITY tc \"<b>T</b>\">]>"},
      {"control", "a`\x0B", "a`\x0B", "XML で使えない文字 U+000B があります"},
      {"&#0;", "`&#0;", "`&#0;", "XML で使えない文字 &#0; があります"},
      {"&#x1;", "`&#x1;", "`&#x1;", "XML で使えない文字 &#x1; があります"},
      {"&#xD800;", "`&#xD800;", "`&#xD800;", "XML で使えない文字 &#xD800; があります"},
      {"&#x;", "`&#x;", "`&#x;", "文字参照 &#x; が正しくありません"},
      {"attribute twice", "1\" `club=\"2", "A", "一つのタグに属性 club が 2 度あります"},
      {"< in a value", "a`<b", "A", "属性値の中に「<」があります"},
      {"second root", "A", "A", "ルート要素のあとに別の要素があります", "", "", "`<x/>"},
      {"text after the root", "A", "A", "ルート要素の外に文字があります", "", "", "\n`junk"},
      {"two documents", "A", "A", "XML 宣言か処理命令が正しくありません", "", "", "\n`twice"},
      {"UTF-16", "a`&b", "a`&b", "「&」のあとに参照がありません (「&」そのものは &amp; と書きます)",
       "", "", "", true},
      {"references", "A &amp; B &#38; C &#x26; D", "A &amp; B &#38; C &#x26; D", "",
       "A & B & C & D"},
      {"CDATA, comment", "A &amp; &lt;B>", "<![CDATA[A & <B>]]><!-- & < -->", "", "A & <B>"},
      {"text in pieces", "ABC", "A<!-- & -->B<![CDATA[C]]>", "", "ABC"},
      {"document types", "&quot;A'", "&quot;A&apos;", "", "\"A'",
       "<!DOCTYPE ResultList SYSTEM \"IOFdata.dtd\">"},
      {"unused declaration", "A", "A", "", "A", declared},
      {"declared", "&tc;", "&tc;", "", "Tokyo \"O\" OLC", declared},
      {"UTF-16 reads", "A&amp;", "A&amp;", "", "A&", "", "", true},
      {"closing Ctrl-Z", "A", "A", "", "A", "", "\r\n\x1A"},
  };
  const auto native = [](const Case& c) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>" + c.prolog +
           "<quorvex><classes><class name=\"M21\"><runner name=\"A\" club=\"" + c.value +
           "\" result=\"1:00:00\"/>" + c.text + "</class></classes></quorvex>";
  };
  const auto iof = [](const Case& c) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>" + c.prolog +
           "<ResultList xmlns=\"http://www.orienteering.org/datastandard/3.0\"><ClassResult>"
           "<Class><Name>M21</Name></Class><PersonResult><Person><Name><Family>A</Family>"
           "</Name></Person><Organisation><Name>" +
           c.text + "</Name></Organisation><Result club=\"" + c.value +
           "\"><Time>3600</Time><Status>OK</Status></Result></PersonResult></ClassResult>"
           "</ResultList>";
  };
  const std::string cannot_open = "ファイルを開けません\r\nclsFileControl.Load";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    for (const bool is_native : {true, false}) {
      const std::string path = TempPath(is_native ? "wf.lxm" : "wf.xml");
      const std::string document = is_native ? native(c) : iof(c);
      std::string text = document + ReplaceAll(c.after, "twice", ReplaceAll(document, "`", ""));
      const size_t mark = text.find('`');
      text = ReplaceAll(text, "`", "");
      std::string bytes = text;
      if (c.utf16) {
        bytes = "\xFF\xFE";
        for (const char ch : text) bytes += std::string{ch, '\0'};
      }
      WriteBytes(path, bytes);
      clsQuorvex2 root;
      const bool loaded = root.FileControl()->LoadLapFile(path);
      if (c.fault.empty()) {
        ASSERT_TRUE(loaded) << root.ErrorComment();
        EXPECT_EQ(root.ClassData("M21")->LapData(1)->ClubName, c.club);
        continue;
      }
      const std::string where = "XML の誤り: " + c.fault + " (位置 " +
                                std::to_string(c.utf16 ? 2 + 2 * mark : mark) + ")";
      EXPECT_FALSE(loaded);
      EXPECT_EQ(root.ErrorComment(), is_native ? cannot_open + "Quorvex2\r\n" + path +
                                                     " はラップファイルではありません: " + where
                                               : cannot_open + "IofResultList\r\n" + where);
    }
  }
}

// A class of more controls than the analysis holds is left out; without a host callback the
// note stays in the error comment of the successful load.
TEST(LoadLapFile, ClassesWithMoreControlsThanTheAnalysisHoldsAreLeftOut) {
  clsQuorvex2 root;
  ASSERT_TRUE(root.FileControl()->LoadLapFile(
      "long.lxm", 0, 0,
      NativeDocument("<classes><class name='Long' controls='30'/><class name='Full' "
                     "controls='29'/></classes>")));
  EXPECT_EQ(root.ErrorComment(),
            "一部のデータを読み込みませんでした\r\nclsFileControl.LoadLapFile\r\n"
            "クラス Long は読み込みませんでした: コントロールが 30 個あり、分析できるのは 29 "
            "個までです");
  EXPECT_EQ(root.ClassCount(), 1);
  // With every class left out there is no event: the load fails, saying so.
  EXPECT_FALSE(root.FileControl()->LoadLapFile(
      "long.lxm", 0, 0, NativeDocument("<classes><class name='Long' controls='30'/></classes>")));
  EXPECT_TRUE(root.ErrorComment().starts_with(
      "long.lxm: 解析できるクラスが一つも残りません\r\nclsFileControl.LeaveOutClasses\r\n"))
      << root.ErrorComment();
  EXPECT_EQ(root.ClassCount(), 0);
}

std::string Runner(const std::string& name, int id, const std::string& club,
                   const std::string& result) {
  return "<runner name='" + name + "' id='" + std::to_string(id) + "' club='" + club +
         "' result='" + result + "'/>";
}

// The event after the update is loaded onto the base in each mode, in
// tests/data/golden/files/load-modes.txt: Taro Yamada (id 1) comes again as TaroYamada (id 9), Jiro
// (id 2) with a result and a new club, and Saburo is new.
TEST(LoadLapFile, MergeModesThroughFiles) {
  const std::string base = TempPath("base.lxm");
  WriteBytes(base, NativeDocument("<classes><class name='M21A'>" +
                                  Runner("Taro Yamada", 1, "", "1:00:00") +
                                  Runner("Jiro", 2, "Old", "") + "</class></classes>"));
  const std::string update = TempPath("update.lxm");
  WriteBytes(update,
             NativeDocument("<classes><class name='M21A'>" + Runner("TaroYamada", 9, "New", "") +
                            Runner("Jiro", 2, "New", "0:50:00") + Runner("Saburo", 3, "New", "") +
                            "</class></classes>"));
  std::string loaded;
  const int32_t modes[] = {
      QX_LOADMODE_APPEND, QX_LOADMODE_MERGE_ID, QX_LOADMODE_MERGE_ID | QX_LOADMODE_PRIORITY_NEWDATA,
      QX_LOADMODE_MERGE_ID | QX_LOADMODE_NOTADD_NEWDATA, QX_LOADMODE_MERGE_NAME};
  for (const int32_t mode : modes) {
    clsQuorvex2 root;
    ASSERT_TRUE(root.FileControl()->LoadLapFile(base));
    ASSERT_TRUE(root.FileControl()->LoadLapFile(update, 0, mode));
    EXPECT_EQ(root.FileName, update);
    loaded += "== mode " + std::to_string(mode) + "\n" + qxtest::EventText(root);
  }
  qxtest::ExpectGolden("golden/files/load-modes.txt", loaded);
}

TEST(Progress, RaisedPerClassWithHalvesToEvenAndOnEveryWayOut) {
  clsQuorvex2 root;
  std::vector<int32_t> seen;
  root.FileControl()->Progress = [&seen](int32_t percent) { seen.push_back(percent); };
  std::string classes;
  for (int i = 1; i <= 8; ++i) classes += "<class name='C" + std::to_string(i) + "'/>";
  ASSERT_TRUE(root.FileControl()->LoadLapFile(
      "p.lxm", 0, 0, NativeDocument("<classes>" + classes + "</classes>")));
  EXPECT_EQ(seen, (std::vector<int32_t>{0, 12, 25, 38, 50, 62, 75, 88, 100, 100}));

  seen.clear();
  EXPECT_FALSE(root.FileControl()->LoadLapFile("p.lxm", 0, 0, "<broken"));
  EXPECT_EQ(seen, (std::vector<int32_t>{0, 100}));
  // Readers that give up before they start raise nothing; a failure path raises 100.
  struct WayOut {
    const char* name;
    int32_t type;
    int32_t mode;
    const char* text;
    std::vector<int32_t> seen;
  };
  const std::vector<WayOut> ways_out = {
      {"no reader ran", 0, 0, "a\r\nb", {}},
      {"table without field names", 3, 0, "a,b\r\nc,d\r\ne,f", {}},
      {"own mail report", 3, 0, "a\r\nb\r\nMade with Quorvex 2", {}},
      {"missing import file", QX_FILETYPE_IMPORT_ONLY, 1, "", {}},
      {"export without its marker", QX_FILETYPE_OEVENT, 0, "a\r\nb\r\nc", {100}},
  };
  for (const WayOut& way : ways_out) {
    seen.clear();
    EXPECT_FALSE(root.FileControl()->LoadLapFile("p.txt", way.type, way.mode, way.text));
    EXPECT_EQ(seen, way.seen) << way.name;
  }
}

TEST(SaveLapFile, TypesFiltersAndSaveModes) {
  clsQuorvex2 root;
  auto& files = *root.FileControl();
  // The type each save filter entry (1 to 5) saves as, then the filters in Japanese and English
  // (tests/data/golden/files/file-filters.txt).
  std::string said;
  for (int32_t index = 0; index <= 6; ++index) said += std::to_string(files.FileSaveMode(index));
  said += "\n" + files.FileSaveFilter() + "\n" + files.FileLoadFilter() + "\n";
  root.Language("en");
  said += files.FileSaveFilter() + "\n" + files.FileLoadFilter() + "\n";
  root.Language("ja");
  qxtest::ExpectGolden("golden/files/file-filters.txt", said);

  // Filter entry 4 writes the native format under an ".xml" name, which loads back as native.
  root.AddClass("M21A");
  const std::string xml = TempPath("native.xml");
  ASSERT_TRUE(files.SaveLapFile(xml, files.FileSaveMode(4)));
  ASSERT_TRUE(files.LoadLapFile(xml));
  EXPECT_TRUE(root.IsClassExists("M21A"));
  // Any type without a writer of its own saves as a native file.
  const std::string other = TempPath("other.txt");
  ASSERT_TRUE(files.SaveLapFile(other, QX_FILETYPE_SPORTIDENT));
  EXPECT_EQ(qxtest::ReadFile(other).rfind("<?xml", 0), 0u);
}

// No reader steps without a total today; a step of nothing done out of nothing reports nothing.
TEST(ProgressReporter, NothingToReportWithoutATotal) {
  std::vector<int32_t> seen;
  detail::ProgressReporter([&seen](int32_t p) { seen.push_back(p); }).Step(1, 0);
  EXPECT_TRUE(seen.empty());
}

// Each import is loaded onto four runners, the name keys of 山田 太郎 and Anna Berg in two classes
// (tests/data/golden/files/import-only.txt). Appended: empty clubs and sexes are filled for every
// runner of the key (half-width and ideographic blanks agree, letter case must), set ones stay,
// a line before the header and an unknown name are ignored, nothing is added. With new data
// first: clubs are replaced, an empty one clears, sexes stay. Ragged and empty lines are harmless.
TEST(ImportOnly, FillsClubsAndSexesByNameKey) {
  const std::string held = qxtest::NativeDocument(
      "<classes><class name='M21'><runner name='山田 太郎'/><runner name='Anna Berg' club='Old "
      "Club' sex='F'/></class><class name='M40'><runner name='山田太郎'/><runner name='anna "
      "berg'/></class></classes>");
  const int32_t priority = QX_LOADMODE_APPEND | QX_LOADMODE_PRIORITY_NEWDATA;
  const struct {
    const char* name;
    int32_t mode;
    std::string body;
  } imports[] = {
      {"appended", QX_LOADMODE_APPEND,
       "山田　太郎,Ignored Club,M\r\nSHOZOKU,NAME,性別\r\nTokyo OLC,山田　太郎,M\r\n"
       "New Club,Anna Berg,M\r\nNobody Club,Nobody,F\r\n"},
      {"new data first", priority, "氏名,所属,性別\r\nAnna Berg,,M\r\n山田太郎,New Club,M\r\n"},
      {"a set club replaced", priority, "氏名,所属\r\nAnna Berg,Newer Club\r\n"},
      {"ragged lines", QX_LOADMODE_MERGE_NAME,
       "\r\n,,,\r\nNAME,所属,性別\r\n山田太郎\r\n,Club Only\r\nAnna Berg,A,B,C,D\r\n"},
  };
  std::string loaded;
  for (const auto& import : imports) {
    clsQuorvex2 root;
    ASSERT_TRUE(root.FileControl()->LoadLapFile("held.lxm", 0, 0, held));
    const std::string path = qxtest::TempPath("info.csv");
    qxtest::WriteBytes(path, Utf8ToSjis("$IMPORT_ONLY\r\n" + import.body));
    ASSERT_TRUE(root.FileControl()->LoadLapFile(path, QX_FILETYPE_AUTODETECT, import.mode));
    loaded += std::string("== ") + import.name + "\n" + qxtest::EventText(root);
  }
  qxtest::ExpectGolden("golden/files/import-only.txt", loaded);
}

}  // namespace
}  // namespace quorvex2
