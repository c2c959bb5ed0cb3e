// Dispatch, type detection, error texts, progress and load modes of clsFileControl.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <vector>

#include "files/csv_table_lines.h"
#include "files/detail/detect_file_type.h"
#include "files/detail/progress.h"
#include "files_test_support.h"
#include "quorvex2/quorvex2.h"

namespace quorvex2 {
namespace {

using qxtest::NativeDocument;
using qxtest::TempPath;
using qxtest::WriteBytes;

constexpr const char* kDetectFailed =
    "ファイルタイプ判別に失敗しました\r\nclsFileControl.DetectFileType";

int32_t DetectFile(const std::string& name, const std::string& bytes, std::string* data = nullptr) {
  const std::string path = TempPath(name);
  WriteBytes(path, bytes);
  std::string file_data;
  const int32_t type = detail::DetectFileType(path, file_data);
  if (data) *data = file_data;
  return type;
}

int32_t DetectData(const std::string& name, std::string data) {
  return detail::DetectFileType(name, data);
}

TEST(DetectFileType, FromFiles) {
  clsQuorvex2 root;
  EXPECT_EQ(DetectFile("a.xml", "anything"), QX_FILETYPE_QUORVEX2);
  EXPECT_EQ(DetectFile("a.LXM", ""), QX_FILETYPE_QUORVEX2);
  EXPECT_EQ(DetectFile("a.csv", "x,$lapfile ver=2\r\nb\r\nc\r\n"), QX_FILETYPE_QUORVEX1);
  EXPECT_EQ(DetectFile("a.txt", "$import_only\r\nb\r\nc"), QX_FILETYPE_IMPORT_ONLY);
  EXPECT_EQ(DetectFile("b.txt", " $IMPORT_ONLY\r\nb\r\nc"), QX_FILETYPE_QUORVEX1);
  EXPECT_EQ(DetectFile("c.txt", "<?XML version='1.0'?>\r\n<a/>"), QX_FILETYPE_QUORVEX2);
  EXPECT_EQ(DetectFile("d.txt", "title\rSplit times of M21\r"), QX_FILETYPE_OEVENT);
  EXPECT_EQ(DetectFile("e.txt", "1\r\n2\r\n  sportident RESULTS  \r\n"), QX_FILETYPE_SPORTIDENT);
  EXPECT_EQ(DetectFile("f.txt", "1\r\n2\r\n3"), QX_FILETYPE_QUORVEX1);
  // Shift-JIS text is read as such.
  EXPECT_EQ(DetectFile("g.txt", "\x83\x89\x83\x62\x83\x76\r\n2\r\nSPORTident results"),
            QX_FILETYPE_SPORTIDENT);
  // A long file is detected from its head, cut after a line end: here the head's last bytes
  // would split a double-byte character.
  std::string long_text = "\x83\x89\x83\x62\x83\x76\r\n2\r\nSPORTident results\r\nx";
  while (long_text.size() < 300 * 1024) long_text += "\x83\x41\x83\x41\x83\x41\r\n";
  EXPECT_EQ(DetectFile("h.txt", long_text), QX_FILETYPE_SPORTIDENT);
}

TEST(DetectFileType, LineEndsAreNormalisedFirst) {
  clsQuorvex2 root;
  struct Case {
    const char* bytes;
    int32_t type;
  };
  const std::vector<Case> cases = {
      {"a\nSplit times of\nc\n", QX_FILETYPE_OEVENT},
      {"a\rb\rSPORTident results", QX_FILETYPE_SPORTIDENT},
      {"$lapfile ver=2\n", QX_FILETYPE_QUORVEX1},
      {"$import_only\nNAME,CLUB\n", QX_FILETYPE_IMPORT_ONLY},
      // Two lines, whatever ends them (a last line end starts no line).
      {"a\r\nb\r\n", QX_FILETYPE_UNKNOWN},
      {"a\nb\n", QX_FILETYPE_UNKNOWN},
      {"a\rb", QX_FILETYPE_UNKNOWN},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes);
    std::string data;
    EXPECT_EQ(DetectFile("lines.txt", c.bytes, &data), c.type);
    EXPECT_EQ(data, "");  // the reader reads the file as the detection did
    std::string in_memory = c.bytes;
    const int32_t from_memory = detail::DetectFileType("lines.txt", in_memory);
    // In memory, a last line end gives a last, empty line: "a\nb\n" has three.
    if (c.type != QX_FILETYPE_UNKNOWN) {
      EXPECT_EQ(from_memory, c.type);
    }
    EXPECT_EQ(in_memory, NormalizeLineEnds(c.bytes));
  }
  EXPECT_EQ(DetectFile("lf3.txt", "a\nb"), QX_FILETYPE_UNKNOWN);
  EXPECT_EQ(root.ErrorComment().rfind(std::string(kDetectFailed) + "\r\n", 0), 0u);
}

TEST(DetectFileType, FromFileData) {
  clsQuorvex2 root;
  EXPECT_EQ(DetectData("x.lxm", "a"), QX_FILETYPE_QUORVEX2);
  EXPECT_EQ(DetectData("x.txt", "$LAPFILE Ver=2\r\n\r\n"), QX_FILETYPE_QUORVEX1);
  EXPECT_EQ(DetectData("x.txt", "<?xml?>\r\n\r\n"), QX_FILETYPE_QUORVEX2);
  EXPECT_EQ(DetectData("x.txt", "<?xml?>\r\n<ResultList>\r\n"), QX_FILETYPE_IOF_XML_20_RESULT);
  EXPECT_EQ(DetectData("x.txt", "t\r\nSPLIT TIMES OF x\r\n"), QX_FILETYPE_OEVENT);
  EXPECT_EQ(DetectData("x.txt", "t\r\n\r\nSPORTident results"), QX_FILETYPE_SPORTIDENT);
  EXPECT_EQ(DetectData("x.txt", "$IMPORT_ONLY\r\n\r\n"), QX_FILETYPE_IMPORT_ONLY);
  std::string cr_only = "a\rb\rSPORTident results";
  EXPECT_EQ(detail::DetectFileType("x.txt", cr_only), QX_FILETYPE_SPORTIDENT);
  EXPECT_EQ(cr_only, "a\r\nb\r\nSPORTident results");
  root.FileControl()->LoadLapFile("x.txt", 0, 1, "only\r\ntwo");  // clears the comment
  EXPECT_EQ(DetectData("x.txt", "one\ntwo"), QX_FILETYPE_UNKNOWN);
  EXPECT_EQ(root.ErrorComment().rfind(std::string(kDetectFailed) + "\r\n", 0), 0u);
}

// Each refusal says what is wrong with which file; "{}" stands for the path as given.
TEST(LoadLapFile, RefusalsSayWhatIsWrongWithWhichFile) {
  const std::string detection =
      "ファイルタイプが判別に失敗しました\r\nclsFileControl.DetectFileType\r\n";
  const std::string not_read =
      " は成績ファイルではありません: 成績かラップタイムのある選手が見つかりません (";
  struct Refusal {
    const char* file;
    std::optional<std::string> bytes;  // nothing: no such file; "/": a directory
    std::string comment;
  };
  const std::vector<Refusal> refusals = {
      {"missing.csv", std::nullopt, detection + "{} がありません"},
      {"empty.csv", "", detection + "{} は空です"},
      {"folder.lxm", "/", detection + "{} はファイルではなくフォルダーです"},
      {"two.csv", "a\r\nb\r\n",
       std::string(kDetectFailed) + "\r\n{} は 3 行に満たないので、ラップファイルでも成績リストでも"
                                    "ラップタイムの表でもありません"},
      {"junk.lxm", "junk <",
       "ファイルを開けません\r\nclsFileControl.LoadQuorvex2\r\n{} はラップファイルではありません: "
       "XML の誤り: タグの種類がわかりません (位置 5)"},
      {"other.lxm", "<?xml version='1.0'?><lapfile/>",
       "ファイルを開けません\r\nclsFileControl.LoadQuorvex2\r\n{} はラップファイルではありません: "
       "ルート要素が <quorvex> ではなく <lapfile> です"},
      {"oevent.csv", "Cup\r\nSplit times of Cup\r\nM21A\r\nCreated with OEvent\r\n2026.05.18",
       "{}" + not_read +
           "クラスごとに選手が並ぶ OEvent のラップタイム出力が必要です)\r\n"
           "clsFileControl.LoadLapFile"},
  };
  for (const Refusal& refusal : refusals) {
    SCOPED_TRACE(refusal.file);
    const std::string path = TempPath(refusal.file);
    if (refusal.bytes == "/") {
      std::filesystem::create_directories(path);
    } else if (refusal.bytes) {
      WriteBytes(path, *refusal.bytes);
    }
    clsQuorvex2 root;
    root.AddClass("Before");
    EXPECT_FALSE(root.FileControl()->LoadLapFile(path));
    EXPECT_EQ(root.ErrorComment(), ReplaceAll(refusal.comment, "{}", path));
    EXPECT_EQ(root.ClassCount(), 0);
    // Added to an event, a refused file takes back what it made and keeps what was there.
    root.AddClass("Before");
    EXPECT_FALSE(root.FileControl()->LoadLapFile(path, 0, QX_LOADMODE_APPEND));
    EXPECT_EQ(root.ClassCount(), 1);
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
  EXPECT_FALSE(files.LoadLapFile("x.xml", QX_FILETYPE_IOF_XML_20_RESULT, 0, "<a/>"));
  EXPECT_EQ(root.ErrorComment(), "");
  EXPECT_FALSE(files.LoadLapFile("x.xml", QX_FILETYPE_UNKNOWN, 0, "<a/>"));
  EXPECT_FALSE(files.LoadLapFile("x.xml", 99, 0, "<a/>"));
  EXPECT_EQ(root.ErrorComment(), "");
}

TEST(LoadLapFile, ClassesWithMoreControlsThanTheAnalysisHoldsAreLeftOut) {
  const std::string document = NativeDocument(
      "<classes><class name='Long' controls='31'><runner name='A' result='1:00:00'/></class>"
      "<class name='Full' controls='30'><runner name='B' result='1:00:00'/></class></classes>");
  const std::string note =
      "一部のデータを読み込みませんでした\r\nclsFileControl.LoadLapFile\r\n"
      "クラス Long は読み込みませんでした: コントロールが 31 個あり、分析できるのは 30 個までです";
  clsQuorvex2 root;
  std::vector<std::string> shown;
  root.ShowMessage = [&shown](const std::string& message) { shown.push_back(message); };
  ASSERT_TRUE(root.FileControl()->LoadLapFile("long.lxm", 0, 0, document));
  EXPECT_EQ(shown, std::vector<std::string>{note});
  EXPECT_FALSE(root.IsClassExists("Long"));
  EXPECT_TRUE(root.IsClassExists("Full"));
  // Without a host callback the note stays in the error comment of the successful load.
  root.ShowMessage = nullptr;
  ASSERT_TRUE(root.FileControl()->LoadLapFile("long.lxm", 0, 0, document));
  EXPECT_EQ(root.ErrorComment(), note);
  EXPECT_EQ(root.ClassCount(), 1);
}

TEST(LoadLapFile, FailedLoadInModeZeroLeavesAnEmptyEventAndAppendKeepsIt) {
  clsQuorvex2 root;
  auto& files = *root.FileControl();
  const std::string doc = NativeDocument(
      "<event name='Cup'/><classes><class name='M21A'><runner name='A' "
      "result='1:00:00'/></class></classes>");
  ASSERT_TRUE(files.LoadLapFile("cup.lxm", 0, 0, doc));
  EXPECT_FALSE(files.LoadLapFile("x.txt", 0, QX_LOADMODE_APPEND, "a\r\nb"));
  EXPECT_EQ(root.ClassCount(), 1);
  EXPECT_EQ(root.EventData()->EventName, "Cup");
  EXPECT_EQ(root.FileName, "cup.lxm");
  EXPECT_FALSE(files.LoadLapFile(TempPath("missing.lxm")));
  EXPECT_EQ(root.ClassCount(), 0);
  EXPECT_EQ(root.EventData()->EventName, "");
  EXPECT_EQ(root.FileName, "");
}

std::string Runner(const std::string& name, int id, const std::string& club,
                   const std::string& result) {
  return "<runner name='" + name + "' id='" + std::to_string(id) + "' club='" + club +
         "' result='" + result + "'/>";
}

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
  struct Case {
    int32_t mode;
    int32_t count;
    std::vector<std::string> jiro_clubs;
    std::vector<std::string> taro_clubs;
  };
  const std::vector<Case> cases{
      {QX_LOADMODE_APPEND, 5, {"New", "Old"}, {""}},
      {QX_LOADMODE_MERGE_ID, 4, {"Old"}, {""}},
      {QX_LOADMODE_MERGE_ID | QX_LOADMODE_PRIORITY_NEWDATA, 4, {"New"}, {""}},
      {QX_LOADMODE_MERGE_ID | QX_LOADMODE_NOTADD_NEWDATA, 2, {"Old"}, {""}},
      {QX_LOADMODE_MERGE_NAME, 3, {"Old"}, {"New"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode);
    clsQuorvex2 root;
    ASSERT_TRUE(root.FileControl()->LoadLapFile(base));
    ASSERT_TRUE(root.FileControl()->LoadLapFile(update, 0, c.mode));
    EXPECT_EQ(root.FileName, update);
    auto data = root.ClassData("M21A");
    EXPECT_EQ(data->LapCount(), c.count);
    std::vector<std::string> jiro_clubs, taro_clubs;
    bool jiro_has_result = false;
    for (int32_t i = 1; i <= data->LapCount(); ++i) {
      auto lap = data->LapData(i);
      if (lap->RunnerName == "Jiro") jiro_clubs.push_back(lap->ClubName);
      if (lap->RunnerName == "Jiro") jiro_has_result |= lap->Result() == "0:50:00";
      if (lap->RunnerName == "Taro Yamada") taro_clubs.push_back(lap->ClubName);
    }
    std::sort(jiro_clubs.begin(), jiro_clubs.end());
    EXPECT_EQ(jiro_clubs, c.jiro_clubs);
    EXPECT_EQ(taro_clubs, c.taro_clubs);
    EXPECT_TRUE(jiro_has_result);  // appended or merged into the empty result
  }
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
  EXPECT_EQ(files.FileSaveMode(1), QX_FILETYPE_QUORVEX2);
  EXPECT_EQ(files.FileSaveMode(2), QX_FILETYPE_QUORVEX1);
  EXPECT_EQ(files.FileSaveMode(3), QX_FILETYPE_IOF_XML_20_RESULT);
  EXPECT_EQ(files.FileSaveMode(4), QX_FILETYPE_QUORVEX2);
  EXPECT_EQ(files.FileSaveMode(5), QX_FILETYPE_QUORVEX2);
  EXPECT_EQ(files.FileSaveMode(0), QX_FILETYPE_AUTODETECT);
  EXPECT_EQ(files.FileSaveMode(6), QX_FILETYPE_AUTODETECT);
  EXPECT_EQ(
      files.FileSaveFilter(),
      "ラップファイル (*.lxm)|*.lxm|ラップファイル(Ver.1形式) (*.lap)|*.lap|IOF標準形式 "
      "(ResultList) (*.xml)|*.xml|ラップファイル(XML形式) (*.xml)|*.xml|ラップファイル(LHA圧縮) "
      "(*.lzh)|*.lzh");
  EXPECT_EQ(files.FileLoadFilter(),
            "クオルベクス２ファイル (*.lxm)|*.lxm|ラップファイル (*.lxm,*.xml,*.lap,*.csv,*.txt)|"
            "*.lxm;*.lap;*.xml;*.csv;*.txt|書庫ファイル (*.lzh)|*.lzh|全てのファイル (*.*)|*.*");
  // Translated, a filter keeps its entries and their patterns (every second field).
  const auto patterns = [](const std::string& filter) {
    std::vector<std::string> fields = detail::SplitText(filter, "|");
    for (size_t i = 0; i < fields.size(); i += 2) fields[i].clear();
    return fields;
  };
  const std::string save = files.FileSaveFilter(), load = files.FileLoadFilter();
  root.Language("en");
  EXPECT_EQ(patterns(files.FileSaveFilter()), patterns(save));
  EXPECT_EQ(patterns(files.FileLoadFilter()), patterns(load));
  EXPECT_NE(files.FileLoadFilter(), load);
  root.Language("ja");

  // Filter entry 4 writes the native format under an ".xml" name, which loads back as native.
  root.AddClass("M21A");
  const std::string xml = TempPath("native.xml");
  ASSERT_TRUE(files.SaveLapFile(xml, files.FileSaveMode(4)));
  ASSERT_TRUE(files.LoadLapFile(xml));
  EXPECT_TRUE(root.IsClassExists("M21A"));
  // Any type without a writer of its own saves as a native file.
  const std::string other = TempPath("other.txt");
  ASSERT_TRUE(files.SaveLapFile(other, QX_FILETYPE_SPORTIDENT));
  EXPECT_EQ(qxtest::ReadBytes(other).rfind("<?xml", 0), 0u);
}

TEST(LapFileArchive, SavesIntoAndLoadsFromLzh) {
  clsQuorvex2 root;
  root.AddClass("M21A")->AddLap()->RunnerName = "Taro";
  const std::string archive = TempPath("event.lzh");
  ASSERT_TRUE(root.FileControl()->SaveLapFile(archive));
  ASSERT_TRUE(std::filesystem::exists(archive));
  root.Clear();
  ASSERT_TRUE(root.FileControl()->LoadLapFile(archive)) << root.ErrorComment();
  EXPECT_EQ(root.ClassData("M21A")->LapData(1)->RunnerName, "Taro");
  // The path read is the extracted member's, not the archive's.
  EXPECT_EQ(GetFileName(root.FileName), "event.lxm");
  EXPECT_NE(root.FileName, archive);

  const std::string not_archive = TempPath("broken.lzh");
  WriteBytes(not_archive, "not an archive");
  EXPECT_FALSE(root.FileControl()->LoadLapFile(not_archive));
  EXPECT_EQ(root.ClassCount(), 0);
  EXPECT_FALSE(root.ErrorComment().empty());
}

TEST(ProgressReporter, RoundsHalvesToEvenAndFinishesOnce) {
  std::vector<int32_t> seen;
  {
    detail::ProgressReporter progress([&seen](int32_t p) { seen.push_back(p); });
    progress.Start();
    progress.Step(1, 200);  // 0.5 -> 0
    progress.Step(3, 200);  // 1.5 -> 2
    progress.Step(5, 200);  // 2.5 -> 2
    progress.Step(1, 0);    // nothing to report
  }
  EXPECT_EQ(seen, (std::vector<int32_t>{0, 0, 2, 2, 100}));
}

}  // namespace
}  // namespace quorvex2
