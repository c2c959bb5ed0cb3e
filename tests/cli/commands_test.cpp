// Every command with options that it takes or refuses, one row a case: the exit status, what
// standard output holds and what standard error says. A refusal writes nothing to standard output
// and no file. Then quorvex2 config: items by place (the user's, the system's, a folder's) and a
// broken store.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <quorvex2/core/encoding.h>

#include "cli_run.h"

namespace {

struct Case {
  const char* name;
  const char* args;  // as qxtest::Args reads them; {dir} is a fresh folder of the row's own
  int exit_code;
  // Parts of standard output separated by "|", read from Shift-JIS when the row writes it;
  // "^part": the output starts with it, "!part": the output does not hold it; "=": it is empty.
  const char* out = "";
  const char* err = "";  // a part of standard error
};

const Case kCases[] = {
    // The host itself.
    {"--help lists the options", "--help", 0, "--version"},
    {"--version", "--version", 0, "( Build "},
    {"unknown option", "--no-such-option", 2},
    {"no command", "--lang en", 2, "=", "--version"},
    {"unknown command", "frobnicate event.lxm --lang en", 2, "",
     "quorvex2: unknown command frobnicate (the commands are chart, "},
    // Loading and saving.
    {"further files added", "info {data}/cli/cup.lxm {data}/cli/cup-jiro.lxm", 0,
     "\n1,,M21A,m21a,3\n"},
    {"further files merged by ID", "info {data}/cli/cup.lxm {data}/cli/cup-jiro.lxm --load-mode 16",
     0, "\n1,,M21A,m21a,2\n"},
    {"info without a file", "info", 2},
    {"a value not among the choices, in English", "info {f} --type nonsense --lang en", 2, "",
     "--type: nonsense is not one of auto,emit,"},
    {"usage errors in Japanese", "info --lang ja", 2, "",
     "FILE を指定してください\n--help で使い方を表示します"},
    {"a value not among the choices, in Japanese", "info {f} --type nonsense --lang ja", 2, "",
     "--type: nonsense は使えません ("},
    {"native file read as an IOF list", "info {f} --type iof --lang en", 1, "",
     "not an IOF ResultList"},
    {"convert into a missing folder says why", "convert {f} -o {dir}/no/x.lxm --lang en", 1, "",
     "/no/x.lxm: No such file or directory"},
    {"convert to a type the name does not say", "convert {f} -o {dir}/x.lxm --to lzh", 2},
    {"convert onto a folder, in Japanese", "convert {f} -o {dir} --lang ja", 1, "",
     "を保存できません: ファイルではなくフォルダーです"},
    {"report onto a folder", "report mail {f} -o {dir} --lang en", 1, "",
     ": it is a folder, not a file"},
    {"config without a verb, in Japanese", "config --lang ja", 2, "",
     "サブコマンドを指定してください"},
    // report: the text exports and pages reach their writers with their options.
    {"mail", "report mail {f}", 0, "■ ラップタイム"},
    {"results of a class by index", "report results {f} --class 2", 0, "^* "},
    {"splitsbrowser", "report splitsbrowser {f}", 0, "山田 太郎,"},
    {"macro-csv", "report macro-csv {f}", 0, "^クラス,氏名,所属,順位,記録,スタート時刻,"},
    {"results page with a top and a style",
     "report results-html {f} --top <p>Cup</p> --style site.css", 0,
     "charset=utf-8\">|<body>\r\n<p>Cup</p>\r\n|href=\"site.css\""},
    {"Shift-JIS page declares x-sjis", "report analysis-html {f} --encoding shift_jis", 0,
     "charset=x-sjis\">|山田 太郎"},
    {"legs page declares --charset",
     "report legs-html {f} --encoding shift_jis --charset Shift_JIS", 0, "charset=Shift_JIS\">"},
    {"charts page declares --charset",
     "report charts-html {f} --encoding shift_jis --charset Shift_JIS", 0, "charset=Shift_JIS\">"},
    {"charts page in UTF-8", "report charts-html {f}", 0, "charset=utf-8\">"},
    {"Shift-JIS page keeps other characters as references",
     "report results-html {sample} --class M35A --encoding shift_jis", 0, "CO Vall&#233;e"},
    {"Shift-JIS text has no references",
     "report results {sample} --class M35A --encoding shift_jis", 0, "!&#233;|CO Vall?e"},
    {"charts page with chart names",
     "report charts-html {f} --chart-name m21-?.png --chart-list 2,6", 0,
     "<img src=\"m21-2.png\">|<img src=\"m21-6.png\">|!m21-0.png"},
    {"viewer page of the lap file", "report viewer-html {f}", 0,
     "VALUE=\"report_three_classes.lxm\""},
    {"viewer page of another address", "report viewer-html {f} --lap-url http://example.org/a.lxm",
     0, "VALUE=\"http://example.org/a.lxm\""},
    {"report without a file", "report json", 2},
    {"unknown report kind", "report poster {f}", 2},
    {"unknown class, with the class names", "report json {f} --class M99 --lang en", 2, "",
     "--class M99: no class of that name (the classes: M21, W21, M40)"},
    {"class index past the last", "report json {f} --class 4", 2},
    {"class index 0", "report json {f} --class 0", 2},
    {"unknown course", "report json {f} --course 7", 2},
    {"unknown segment", "report json {f} --segment S-999", 2},
    {"--sex without a segment", "report json {f} --sex F", 2},
    {"class and course at once, in Japanese", "report json {f} --class M21 --course 1 --lang ja", 2,
     "", "--class と --course は一緒に指定できません"},
    {"unknown encoding", "report mail {f} --encoding latin1", 2},
    {"grid of a class without runners", "report grid {data}/cli/empty-class.lxm --lang en", 0, "=",
     "M21 has no runners"},
    {"grid colours", "report grid {f} --color sometimes", 2},
    {"grid ambiguous width", "report grid {f} --ambiguous-width 3", 2},
    {"grid narrower than nothing", "report grid {f} --width -1 --lang en", 2, "",
     "--width: Value -1 is below 0\n"},
    {"course 0, in Japanese", "report json {f} --course 0 --lang ja", 2, "",
     "--course: 0 は 1 以上の数ではありません\n"},
    {"report into a missing folder", "report json {f} -o {dir}/no/x", 1},
    {"report of a missing file", "report json {dir}/event.lxm", 1},
    // chart
    {"chart mode past the last", "chart {f} --mode 8 -o {dir}/x.png", 2},
    {"chart without a mode", "chart {f} -o {dir}/x.png", 2},
    {"chart size without a height", "chart {f} --mode 0 -o {dir}/x.png --size 12", 2},
    {"chart of an unknown runner", "chart {f} --mode 0 -o {dir}/x.png --highlight Nobody", 2, "",
     "Nobody"},
    {"chart into a missing folder", "chart {f} --mode 0 -o {dir}/no/x.png", 1},
    // print
    {"print of both kinds", "print {f} --analysis --results -o {dir}/x.pdf", 2},
    {"print without an output", "print {f} --results", 2},
    {"unknown analysis mode", "print {f} --analysis fast -o {dir}/x.pdf", 2},
    {"pages a sheet", "print {f} --results -o {dir}/x.pdf --nup 2y2", 2},
    {"unknown paper", "print {f} --results -o {dir}/x.pdf --paper A9", 2},
    {"print into a missing folder, in Japanese", "print {f} --results -o {dir}/no/x.pdf --lang ja",
     1, "", "\nPDF ファイル"},
    {"a sheet without a preview, in Japanese",
     "print {f} --results -o {dir}/x.pdf --page 2 --lang ja", 2, "",
     "--page は --preview と一緒に指定してください"},
    {"preview of a sheet past the last",
     "print {f} --results --preview {dir}/p.png --page 7 --lang en", 2, "", "1 sheet"},
    // site
    {"site viewer without its address", "site {f} -o {dir} --viewer v.html", 2},
    {"site without a folder", "site {f}", 2},
    {"site of a missing file", "site {dir}/none.lxm -o {dir}", 1},
    // web
    {"web without a folder", "web {f}", 2},
    {"web into a folder under a file", "web {f} -o {f}/web --lang en", 1, "",
     "OutputWeb\ncannot make the folder"},
    {"web into a folder under a file, in Japanese", "web {f} -o {f}/web --lang ja", 1, "",
     "OutputWeb\nフォルダー"},
    // config
    {"config without a verb", "config", 2},
    {"config get without an item", "config get", 2},
    {"config set without a value", "config set ITEM", 2},
    {"config in two places", "config get X --system --folder A", 2},
};

TEST(Commands, ExitStatusAndWhatTheyPrint) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    const std::string dir = qxtest::MakeTempDir("commands");
    const auto run = qxtest::RunCli(qxtest::Args(c.args, dir));
    ASSERT_EQ(run.exit_code, c.exit_code) << run.err;
    const bool sjis = qxtest::Contains(c.args, "shift_jis");
    const std::string out = sjis ? quorvex2::SjisToUtf8(run.out) : run.out;
    std::istringstream parts(c.out);
    for (std::string part; std::getline(parts, part, '|');) {
      if (part == "=") {
        EXPECT_EQ(out, "");
      } else if (part[0] == '^') {
        EXPECT_EQ(out.rfind(part.substr(1), 0), 0u) << part << "\n" << out;
      } else if (part[0] == '!') {
        EXPECT_FALSE(qxtest::Contains(out, part.substr(1))) << part;
      } else {
        EXPECT_TRUE(qxtest::Contains(out, part)) << part << "\n" << out;
      }
    }
    EXPECT_TRUE(qxtest::Contains(run.err, c.err)) << run.err;
    if (c.exit_code != 0) {
      EXPECT_NE(run.err, "") << "a refusal without a word";
      EXPECT_EQ(run.out, "");
      EXPECT_TRUE(std::filesystem::is_empty(dir)) << "a refusal wrote a file";
    }
  }
}

using qxtest::RunOk;

// What did not reach standard output is a failure, whatever the command.
TEST(Commands, OutputThatCannotBeWritten) {
  qxtest::CliLimits full;
  full.full_output = true;
  for (const char* line : {"report json {f}", "info {f}", "report grid {f} --class 1", "--help"}) {
    const auto run = qxtest::RunCli(qxtest::Args(line), full);
    EXPECT_EQ(run.exit_code, 1) << line;
    EXPECT_EQ(run.err, "quorvex2: 標準出力に書き込めません\n") << line;
  }
}

TEST(CliConfig, SetAndGetByPlace) {
  setenv("QUORVEX2_CONFIG", (qxtest::MakeTempDir("config") + "/config.sqlite3").c_str(), 1);
  EXPECT_EQ(RunOk({"config", "get", "lastfile", "--default", "none"}), "none\n");
  RunOk({"config", "set", "lastfile", "大会.lxm"});
  RunOk({"config", "set", "lastfile", "t.lxm", "--folder", "Team"});
  RunOk({"config", "set", "PRINT_X", "5", "--system", "--lang", "ja"});
  const struct {
    std::vector<std::string> place;
    std::string value;
  } cases[] = {
      {{}, "大会.lxm"},
      {{"--system"}, ""},
      {{"--folder", "Team"}, "t.lxm"},
      {{"--folder", "Other"}, ""},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args{"config", "get", "LastFile"};
    args.insert(args.end(), c.place.begin(), c.place.end());
    EXPECT_EQ(RunOk(args), c.value + "\n") << args.back();
  }
  EXPECT_EQ(RunOk({"config", "get", "print_x", "--system", "--lang", "en"}), "5\n");
}

TEST(CliConfig, StoreThatIsNoDatabase) {
  const std::string file = qxtest::MakeTempDir("config-broken") + "/config.sqlite3";
  setenv("QUORVEX2_CONFIG", file.c_str(), 1);
  std::ofstream(file, std::ios::binary) << std::string(3000, 'q');
  const auto get = qxtest::RunCli({"config", "get", "ITEM"});
  EXPECT_EQ(get.exit_code, 1);
  EXPECT_TRUE(qxtest::Contains(get.err, "設定ファイルを読み書きできません\n設定ファイル " + file))
      << get.err;
  EXPECT_TRUE(qxtest::Contains(get.err, ": file is not a database")) << get.err;
  const auto set = qxtest::RunCli({"config", "set", "ITEM", "v", "--lang", "en"});
  EXPECT_EQ(set.exit_code, 1);
  EXPECT_TRUE(qxtest::Contains(set.err, "cannot use the settings file\nsettings file " + file))
      << set.err;
}

}  // namespace
