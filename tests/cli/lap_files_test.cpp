// quorvex2 info and convert, and the loading options every command shares.
#include <gtest/gtest.h>

#include <quorvex2/quorvex2.h>

#include "archive_builders.h"
#include "cli_run.h"

namespace {

using qxtest::ExpectGolden;
using qxtest::RunOk;

// Two classes on course 1 (Taro with a result, Jiro without; Hanako) and M12 on course 2;
// cup-jiro.lxm has Jiro with a result.
const std::string kCup = std::string(QX_TEST_DATA) + "/cli/cup.lxm";

// A failed load names the file on the first line, then gives the component's error comment as
// the terminal shows it: LF line ends, none at the end.
TEST(CliInfo, FailedLoadNamesTheFileThenGivesTheErrorComment) {
  const std::string two = qxtest::WriteFile(qxtest::MakeTempDir("fail"), "two.csv", "a\r\nb\r\n");
  quorvex2::clsQuorvex2 root;
  EXPECT_FALSE(root.FileControl()->LoadLapFile(two));
  std::string comment = root.ErrorComment();
  std::erase(comment, '\r');
  while (comment.ends_with('\n')) comment.pop_back();
  const auto run = qxtest::RunCli({"info", two});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err,
            "quorvex2: " + two +
                " を読み込めません: ファイルの種類がわかりません (ラップファイル、成績リスト、"
                "ラップタイムの表のどれかが必要です)\n" +
                comment + "\n");
}

// An archive of several lap files says which it holds; --member takes the member it names of
// any kind, also beside a lap file, and fails when there is none of that name. An archive whose
// only file is of no known type says so, not that it cannot be unpacked; a table the reader
// refuses with a message gives it as the reason.
TEST(CliInfo, FailedLoadSaysWhy) {
  const std::string dir = qxtest::MakeTempDir("why");
  const std::string cup = qxtest::ReadFile(kCup);
  const std::string two = qxtest::WriteFile(
      dir, "two.zip", qxtest::MakeZip({{"a.lxm", cup}, {"b.lxm", cup}, {"c.lxm", "junk <"}}));
  const std::string notes = qxtest::WriteFile(dir, "n.zip", qxtest::MakeZip({{"n.txt", "notes"}}));
  const std::string table = qxtest::WriteFile(dir, "t.txt", "a,b\r\nc,d\r\ne,f\r\n");
  // Of other result files the XML list is likeliest; --member takes any of them.
  const std::string mixed =
      qxtest::WriteFile(dir, "m.zip", qxtest::MakeZip({{"r.xml", "junk <"}, {"s.csv", cup}}));
  std::string other = cup;
  other.replace(other.find("Spring Cup"), 10, "Other Cup");
  const std::string beside =
      qxtest::WriteFile(dir, "b.zip", qxtest::MakeZip({{"a.lxm", cup}, {"o.csv", other}}));
  const struct {
    std::vector<std::string> args;
    std::string says;
  } cases[] = {
      {{two}, "it holds 3 lap files (a.lxm, b.lxm, c.lxm): choose one with --member"},
      {{two, "--member", "d.lxm"}, "the archive holds no d.lxm"},
      {{two, "--member", "c.lxm"}, "it cannot be read as a Quorvex2 lap file (XML)"},
      {{mixed, "--member", "x.csv"}, "the archive holds no x.csv"},
      {{beside, "--member", "x.csv"}, "the archive holds no x.csv"},
      {{notes},
       "its file type is not recognised (expected a lap file, a result listing or a "
       "split-time table)"},
      {{table}, "Put the field names in the first line or the first column of the CSV file"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args{"info", "--lang", "en"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const auto run = qxtest::RunCli(args);
    EXPECT_EQ(run.exit_code, 1);
    EXPECT_EQ(run.err.substr(0, run.err.find('\n')),
              "quorvex2: cannot load " + c.args[0] + ": " + c.says);
  }
  EXPECT_EQ(qxtest::RunCli({"info", two, "--member", "b.lxm"}).exit_code, 0);
  EXPECT_EQ(qxtest::RunCli({"info", mixed, "--member", "s.csv"}).exit_code, 0);
  EXPECT_TRUE(qxtest::Contains(RunOk({"info", beside, "--member", "o.csv"}), "Other Cup"));
}

// A lap file may come through a pipe: "-", /dev/stdin, an archive among them. What fails names
// the file as given, never the copy the host reads.
TEST(CliInfo, ReadsPipes) {
  const std::string cup = qxtest::ReadFile(kCup);
  const struct {
    std::string file, input, says;  // says: "" for a load that succeeds
  } cases[] = {
      {"-", cup, ""},
      {"/dev/stdin", cup, ""},
      {"-", qxtest::MakeZip({{"cup.lxm", cup}}), ""},
      {"-", "", "the file is empty"},
      {"-", qxtest::MakeZip({{"cup.lxm", cup}}).substr(0, 60), "the archive cannot be unpacked"},
      {"/dev/stdin", "junk <",
       "its file type is not recognised (expected a lap file, a result listing or a split-time "
       "table)"},
  };
  for (const auto& c : cases) {
    qxtest::CliLimits limits;
    limits.input = c.input;
    std::vector<std::string> args{"info", c.file};
    if (!c.says.empty()) args.insert(args.end(), {"--lang", "en"});
    const auto run = qxtest::RunCli(args, limits);
    EXPECT_EQ(run.exit_code, c.says.empty() ? 0 : 1) << run.err;
    EXPECT_FALSE(qxtest::Contains(run.err, "/proc/")) << run.err;
    if (c.says.empty()) {
      ExpectGolden("golden/cli/info-cup.txt", run.out);
    } else {
      EXPECT_EQ(run.err.substr(0, run.err.find('\n')),
                "quorvex2: cannot load " + c.file + ": " + c.says);
    }
  }
}

// info prints the event, the class and course list and the segments; what convert writes reads
// back to the same.
TEST(CliConvert, WritesNativeFilesThatReadBackTheSame) {
  ExpectGolden("golden/cli/info-cup.txt", RunOk({"info", kCup}));
  const std::string dir = qxtest::MakeTempDir("convert");
  RunOk({"convert", kCup, "-o", dir + "/out.xml", "--to", "xml"});
  ExpectGolden("golden/cli/info-cup.txt", RunOk({"info", dir + "/out.xml"}));
  RunOk({"convert", dir + "/out.xml", "-o", dir + "/out.lxm", "--full"});
  ExpectGolden("golden/cli/info-cup.txt", RunOk({"info", dir + "/out.lxm"}));
  // A name whose extension names no file type is written as a native lap file, as with --to.
  RunOk({"convert", kCup, "-o", dir + "/result.txt"});
  RunOk({"convert", kCup, "-o", dir + "/result", "--to", "lxm"});
  for (const char* name : {"/result.txt", "/result"}) {
    ExpectGolden("golden/cli/info-cup.txt", RunOk({"info", dir + name, "--type", "lxm"}));
  }
}

TEST(CliConvert, VersionOneFilesSayWhatTheyLeaveOut) {
  // Jiro has no legs, M12 no controls, Émile of Århus letters Shift-JIS lacks; "Berg, Anna" of
  // "K,lub" and Hana of "クラス会" in "Openクラス" break their lines, and "W=21" its figures.
  const std::string file = std::string(QX_TEST_DATA) + "/cli/cup-gaps.lxm";
  const std::string dir = qxtest::MakeTempDir("convert_lap");
  const auto lap = qxtest::RunCli({"convert", file, "-o", dir + "/cup.lap", "--lang", "en"});
  ASSERT_EQ(lap.exit_code, 0) << lap.err;
  EXPECT_EQ(lap.err,
            "convert: " + dir +
                "/cup.lap leaves out 1 runner without leg times and 1 class without "
                "controls: the version-1 lap file cannot hold them\nconvert: 2 names in " +
                dir + "/cup.lap have letters Shift-JIS cannot hold, written \"?\"\n" +
                "convert: 4 names in " + dir +
                "/cup.lap hold a comma or \"クラス\", which that file reads as a column break or "
                "a header line\nconvert: " +
                dir +
                "/cup.lap does not read back the length, climb, control count and course of the "
                "classes W=21: the \"=\" in their names cuts the lines that give them\n");
  EXPECT_EQ(qxtest::RunCli({"convert", file, "-o", dir + "/cup.lxm"}).err, "");
}

TEST(CliConvert, WritesIof3ListsThatLoadAsIof) {
  const std::string xml = qxtest::MakeTempDir("convert_iof3") + "/out.xml";
  RunOk({"convert", kCup, "-o", xml, "--to", "iof3"});
  EXPECT_TRUE(qxtest::Contains(qxtest::ReadFile(xml), "datastandard/3.0"));
  EXPECT_TRUE(qxtest::Contains(RunOk({"info", xml}), "\n1,,M21A,m21a,2\n2,,W21A,w21a,1\n"));
}

}  // namespace
