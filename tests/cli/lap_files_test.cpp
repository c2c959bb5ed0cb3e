// quorvex2 info and convert, and the loading options every command shares.
#include <gtest/gtest.h>

#include <filesystem>

#include <quorvex2/quorvex2.h>

#include "cli_run.h"

namespace {

using qxtest::RunCli;
using qxtest::WriteFile;

std::string Document(const std::string& runners_m21, const std::string& extra = "") {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><quorvex><event name=\"Spring Cup\" "
         "date=\"2003/05/18\" terrain=\"Forest\"/><classes><class name=\"M21A\" course=\"1\">" +
         runners_m21 +
         "</class><class name=\"W21A\" course=\"1\"><runner name=\"Hanako\" "
         "result=\"1:10:00\"/></class><class name=\"M12\" course=\"2\"/>" +
         extra +
         "</classes><courses><course number=\"1\" controls=\"3\"><control index=\"1\" "
         "unit-number=\"101\"/><control index=\"2\" unit-number=\"102\"/><control index=\"3\" "
         "unit-number=\"103\"/></course><course number=\"2\" controls=\"2\"><control index=\"1\" "
         "unit-number=\"101\"/><control index=\"2\" unit-number=\"102\"/></course></courses>"
         "</quorvex>";
}

const std::string kTwoRunners =
    "<runner name=\"Taro\" id=\"1\" result=\"1:00:00\"/><runner name=\"Jiro\" id=\"2\"/>";

const std::string kInfo =
    "Event: Spring Cup [Forest]  2003年05月18日\n"
    "Classes and courses:\n"
    "1,,M21A,m21a,2\n"
    "2,,W21A,w21a,1\n"
    "3,,M12,m12,0\n"
    ",1,M21A/W21A,m21a_w21a,3\n"
    "Courses:\n"
    "1: 101 102 103\n"
    "2: 101 102\n"
    "Segments:\n"
    "S-101-102: M21A;1 W21A;1 M12;1\n";

TEST(CliInfo, PrintsEventListCoursesAndSegments) {
  const std::string dir = qxtest::MakeTempDir("info");
  const std::string file = WriteFile(dir, "cup.lxm", Document(kTwoRunners));
  auto info = RunCli({"info", file});
  EXPECT_EQ(info.exit_code, 0) << info.err;
  EXPECT_EQ(info.out, kInfo);

  // --type reads a file of any name as the given type.
  const std::string text = WriteFile(dir, "cup.data", Document(kTwoRunners));
  auto typed = RunCli({"info", "--type", "lxm", "--no-progress", text});
  EXPECT_EQ(typed.out, kInfo);
}

TEST(CliInfo, FurtherFilesLoadWithTheLoadMode) {
  const std::string dir = qxtest::MakeTempDir("modes");
  const std::string first = WriteFile(dir, "a.lxm", Document(kTwoRunners));
  const std::string second =
      WriteFile(dir, "b.lxm", Document("<runner name=\"Jiro\" id=\"2\" result=\"0:59:00\"/>"));
  auto appended = RunCli({"info", first, second});
  EXPECT_NE(appended.out.find("1,,M21A,m21a,3\n"), std::string::npos) << appended.out;
  auto merged = RunCli({"info", first, second, "--load-mode", "16"});
  EXPECT_NE(merged.out.find("1,,M21A,m21a,2\n"), std::string::npos) << merged.out;
}

// The component's error comment as the terminal shows it: LF line ends, none at the end.
std::string CommentOfLoading(const std::string& file) {
  quorvex2::clsQuorvex2 root;
  EXPECT_FALSE(root.FileControl()->LoadLapFile(file)) << file;
  std::string comment = root.ErrorComment();
  std::erase(comment, '\r');
  while (!comment.empty() && comment.back() == '\n') comment.pop_back();
  return comment;
}

TEST(CliInfo, FailedLoadsNameTheFileThenGiveTheErrorComment) {
  const std::string dir = qxtest::MakeTempDir("fail");
  const std::string two = WriteFile(dir, "two.csv", "a\r\nb\r\n");
  const struct {
    std::string file, first_line;
  } cases[] = {
      {dir + "/missing.lxm",
       "quorvex2: " + dir + "/missing.lxm を読み込めません: ファイルがありません"},
      {dir, "quorvex2: " + dir + " を読み込めません: ファイルではなくフォルダーです"},
      {two, "quorvex2: " + two +
                " を読み込めません: ファイルの種類がわかりません (ラップファイル、成績リスト、"
                "ラップタイムの表のどれかが必要です)"},
  };
  for (const auto& c : cases) {
    const auto run = RunCli({"info", c.file});
    EXPECT_EQ(run.exit_code, 1);
    EXPECT_EQ(run.err, c.first_line + "\n" + CommentOfLoading(c.file) + "\n");
  }
}

TEST(CliConvert, WritesNativeFilesThatReadBackTheSame) {
  const std::string dir = qxtest::MakeTempDir("convert");
  const std::string file = WriteFile(dir, "cup.lxm", Document(kTwoRunners));
  const std::string xml = dir + "/out.xml";
  auto convert = RunCli({"convert", file, "-o", xml, "--to", "xml"});
  ASSERT_EQ(convert.exit_code, 0) << convert.err;
  EXPECT_EQ(RunCli({"info", xml}).out, kInfo);

  const std::string lxm = dir + "/out.lxm";
  ASSERT_EQ(RunCli({"convert", xml, "-o", lxm, "--full"}).exit_code, 0);
  EXPECT_EQ(RunCli({"info", lxm}).out, kInfo);

  // A name whose extension names no file type is taken when --to says the type.
  ASSERT_EQ(RunCli({"convert", file, "-o", dir + "/result.txt", "--to", "lxm"}).exit_code, 0);
  EXPECT_EQ(RunCli({"info", dir + "/result.txt", "--type", "lxm"}).out, kInfo);
}

TEST(CliConvert, VersionOneFilesSayWhatTheyLeaveOut) {
  // Jiro has no legs, and M12 no controls.
  const std::string dir = qxtest::MakeTempDir("convert_lap");
  const std::string file =
      WriteFile(dir, "cup.lxm",
                "<?xml version=\"1.0\" encoding=\"UTF-8\"?><quorvex><event name=\"Cup\"/><classes>"
                "<class name=\"M21A\" controls=\"1\"><runner name=\"Taro\" result=\"0:03:00\"><leg "
                "index=\"1\" laptime=\"00:01:00\"/><leg index=\"2\" laptime=\"00:02:00\"/></runner>"
                "<runner name=\"Jiro\"/></class><class name=\"M12\"/></classes></quorvex>");
  auto lap = RunCli({"convert", file, "-o", dir + "/cup.lap", "--lang", "en"});
  ASSERT_EQ(lap.exit_code, 0) << lap.err;
  EXPECT_EQ(lap.err, "convert: " + dir +
                         "/cup.lap leaves out 1 runner without leg times and 1 class without "
                         "controls: the version-1 lap file cannot hold them\n");
  EXPECT_EQ(RunCli({"convert", file, "-o", dir + "/cup.lxm"}).err, "");
}

TEST(CliConvert, WritesIof3ListsThatLoadAsIof) {
  const std::string dir = qxtest::MakeTempDir("convert_iof3");
  const std::string file = WriteFile(dir, "cup.lxm", Document(kTwoRunners));
  const std::string xml = dir + "/out.xml";
  auto convert = RunCli({"convert", file, "-o", xml, "--to", "iof3"});
  ASSERT_EQ(convert.exit_code, 0) << convert.err;
  EXPECT_NE(qxtest::ReadFile(xml).find("datastandard/3.0"), std::string::npos);
  for (const auto& type : {"auto", "iof"}) {
    auto info = RunCli({"info", xml, "--type", type});
    ASSERT_EQ(info.exit_code, 0) << info.err;
    EXPECT_NE(info.out.find("\n1,,M21A,m21a,2\n2,,W21A,w21a,1\n"), std::string::npos) << info.out;
  }
}

}  // namespace
