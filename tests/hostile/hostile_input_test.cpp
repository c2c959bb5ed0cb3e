// Hostile input through the command line, one row per case: whatever a row feeds the tool,
// the run ends by itself (no crash, no hang), writes nothing outside its output folder, leaves
// no temporary file, never destroys a file it failed to replace, and explains every refusal.
// A reader's hostile case is one more row of the table.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <regex>
#include <thread>

#include "archive_builders.h"
#include "cli/cli_run.h"

namespace qxtest {
namespace {

namespace fs = std::filesystem;

const std::string kFixture = std::string(QX_TEST_DATA) + "/report_three_classes.lxm";
constexpr unsigned kSeconds = 120;  // far beyond any case; a run that takes it hangs

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) {
    text.replace(at, from.size(), to);
  }
  return text;
}

// The three-class fixture with its classes renamed (M21, W21, M40 in that order).
std::string Renamed(const std::vector<std::string>& names) {
  std::string text = ReadFile(kFixture);
  const char* old_names[] = {"M21", "W21", "M40"};
  for (size_t i = 0; i < names.size(); ++i) {
    text = ReplaceAll(text, "<class name=\"" + std::string(old_names[i]) + "\"",
                      "<class name=\"" + names[i] + "\"");
  }
  return text;
}

// A row's folder: inputs in in/, the output folder two levels down (so "../../" from there
// lands inside the sandbox, where it shows), the temporary folder in tmp/.
struct Sandbox {
  fs::path root;

  std::string In(const std::string& name) const { return (root / "in" / name).string(); }
  std::string Out(const std::string& name = "") const {
    return (root / "deep" / "er" / "out" / name).string();
  }
  std::string Input(const std::string& name, const std::string& bytes) const {
    std::ofstream(In(name), std::ios::binary) << bytes;
    return In(name);
  }
  std::string Output(const std::string& name, const std::string& bytes) const {
    std::ofstream(Out(name), std::ios::binary) << bytes;
    return Out(name);
  }
};

struct Row {
  using Prepare = std::function<std::vector<std::string>(const Sandbox&)>;
  using Check = std::function<void(const Sandbox&)>;
  Row(std::string name, Prepare prepare, int exit_code = -1, std::string says = "",
      CliLimits limits = {}, Check check = {})
      : name(std::move(name)),
        prepare(std::move(prepare)),
        exit_code(exit_code),
        says(std::move(says)),
        limits(limits),
        check(std::move(check)) {}

  std::string name;
  Prepare prepare;   // writes the inputs, gives the arguments
  int exit_code;     // -1: 0 or 1, as long as a refusal says why
  std::string says;  // what stderr must hold ("{in}" stands for the input folder)
  CliLimits limits;
  Check check;  // what else must hold afterwards
};

using Snapshot = std::map<std::string, std::string>;  // relative path -> contents

Snapshot Take(const fs::path& folder) {
  Snapshot files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file()) {
      files[fs::relative(entry.path(), folder).string()] = ReadFile(entry.path().string());
    }
  }
  return files;
}

bool IsTemporaryFile(const std::string& name) {
  static const std::regex pattern(R"(.*\.[A-Za-z0-9]{6})");
  return std::regex_match(name, pattern) && name.find('.') < name.size() - 7;
}

Sandbox MakeSandbox(const std::string& name) {
  Sandbox box{MakeTempDir("hostile")};
  fs::create_directories(box.root / "in");
  fs::create_directories(box.Out());
  fs::create_directories(box.root / "tmp");
  // Runs as nobody may write the output and temporary folders, and read everything else.
  fs::permissions(box.Out(), fs::perms::all);
  fs::permissions(box.root / "tmp", fs::perms::all | fs::perms::sticky_bit);
  std::ofstream(box.root / "canary.txt") << name;
  return box;
}

void RunRow(const Row& row) {
  SCOPED_TRACE(row.name);
  const Sandbox box = MakeSandbox(row.name);
  const std::vector<std::string> args = row.prepare(box);
  const Snapshot before = Take(box.root);
  CliLimits limits = row.limits;
  limits.seconds = kSeconds;
  limits.temp_dir = (box.root / "tmp").string();
  limits.env.push_back("LC_ALL=C.UTF-8");  // the rows say what the English messages say
  const CliResult result = RunCli(args, "", limits);

  ASSERT_TRUE(result.exit_code == 0 || result.exit_code == 1)
      << "exit " << result.exit_code << " (crash, hang or usage error)\n"
      << result.err;
  if (row.exit_code >= 0) {
    EXPECT_EQ(result.exit_code, row.exit_code) << result.err;
  }
  if (result.exit_code != 0) {
    EXPECT_FALSE(result.err.empty()) << "a refusal without a word";
  }
  if (!row.says.empty()) {
    const std::string says = ReplaceAll(row.says, "{in}", box.In(""));
    EXPECT_NE(result.err.find(says), std::string::npos) << result.err;
  }
  const Snapshot after = Take(box.root);
  for (const auto& [path, bytes] : after) {
    const bool inside_out = path.rfind("deep/er/out/", 0) == 0;
    EXPECT_TRUE(inside_out || before.count(path)) << "written outside the output: " << path;
    EXPECT_FALSE(IsTemporaryFile(path)) << "temporary file left: " << path;
  }
  for (const auto& [path, bytes] : before) {
    const auto now = after.find(path);
    const bool kept = now != after.end() && now->second == bytes;
    EXPECT_TRUE(kept || (result.exit_code == 0 && path.rfind("deep/er/out/", 0) == 0))
        << "lost or changed: " << path;
  }
  EXPECT_TRUE(fs::is_empty(box.root / "tmp")) << "work folder left behind";
  if (row.check) row.check(box);
}

// --- inputs ---------------------------------------------------------------------------------

std::string Lxm() {
  return ReadFile(kFixture);
}

std::string Lzh(const Members& members) {
  return MakeLzh(members);
}

std::string Zeros(size_t mib) {
  return std::string(mib << 20, '\0');
}

Members ManyMembers(int count) {
  Members members;
  for (int i = 0; i < count; ++i) members.push_back({"m" + std::to_string(i) + ".txt", "x"});
  return members;
}

// A byte flipped, counted from the end (a stored member's data ends 2 bytes before the end).
std::string Flipped(std::string bytes, size_t from_end) {
  bytes[bytes.size() - from_end] = static_cast<char>(bytes[bytes.size() - from_end] ^ 0x55);
  return bytes;
}

void ExpectFiles(const Sandbox& box, const std::vector<std::string>& names) {
  for (const std::string& name : names) EXPECT_TRUE(fs::exists(box.Out(name))) << name;
}

const std::vector<std::string> kSitePages = {"--results", "r_*.html", "--analysis", "a_*.html"};

std::vector<std::string> Site(const Sandbox& box, const std::string& input) {
  std::vector<std::string> args = {"site", input, "-o", box.Out(), "--index", "index.html"};
  args.insert(args.end(), kSitePages.begin(), kSitePages.end());
  return args;
}

std::vector<std::string> Info(const std::string& input) {
  return {"info", input};
}

// A folder that takes 2000 bytes of any file.
CliLimits FullFolder() {
  CliLimits limits;
  limits.file_size = 2000;
  return limits;
}

CliLimits Unprivileged() {
  CliLimits limits;
  limits.unprivileged = true;
  return limits;
}

// --- the table ------------------------------------------------------------------------------

std::vector<Row> Rows() {
  const std::string lxm = Lxm();
  return {
      // Names that would lead out of the output folder, and names that collide.
      {"class names with ../, absolute paths and device names",
       [](const Sandbox& b) {
         return Site(
             b, b.Input("names.lxm", Renamed({"../../escaped", "/tmp/qx-hostile-abs", "con"})));
       },
       0,
       "",
       {},
       [](const Sandbox& b) {
         ExpectFiles(b, {"r_escaped.html", "r_qx-hostile-abs.html", "r_con_.html", "index.html"});
         EXPECT_FALSE(fs::exists("/tmp/qx-hostile-abs"));
       }},
      {"class names as bare page names",
       [](const Sandbox& b) {
         return std::vector<std::string>{
             "site",
             b.Input("bare.lxm", Renamed({"../../escaped", "..", "/tmp/qx-hostile-abs"})),
             "-o",
             b.Out(),
             "--results",
             "*.html"};
       },
       0,
       "",
       {},
       [](const Sandbox& b) {
         ExpectFiles(b, {"escaped.html", "class.html", "qx-hostile-abs.html"});
       }},
      {"class names that reduce to the same file name",
       [](const Sandbox& b) {
         return Site(b, b.Input("same.lxm", Renamed({"X/same", "Y/same", "sa&#9;me"})));
       },
       0,
       "",
       {},
       [](const Sandbox& b) {
         ExpectFiles(b, {"r_same.html", "r_same_2.html", "r_same_3.html"});
       }},
      {"native class filename attribute with ../",
       [](const Sandbox& b) {
         return Site(b,
                     b.Input("attr.lxm", ReplaceAll(Lxm(), "<class name=\"M21\"",
                                                    "<class name=\"M21\" filename=\"../../n\"")));
       },
       0,
       "",
       {},
       [](const Sandbox& b) {
         ExpectFiles(b, {"r_n.html", "a_n.html"});
       }},
      // Archives.
      {"zip member named ../../",
       [lxm](const Sandbox& b) {
         return Info(b.Input("t.zip", MakeZip({{"../../t.lxm", lxm}})));
       },
       0},
      {"LHA member with an absolute name",
       [lxm](const Sandbox& b) {
         return Info(b.Input("t.lzh", Lzh({{"/tmp/t.lxm", lxm}})));
       },
       0},
      {"zip declaring a member beyond the limit",
       [](const Sandbox& b) {
         return Info(b.Input("bomb.zip", MakeZip({{"e.lxm", Zeros(130)}})));
       },
       1, "{in}bomb.zip: e.lxm declares 130 MiB, more than the limit of 128 MiB"},
      {"gzip unpacking beyond the limit",
       [](const Sandbox& b) { return Info(b.Input("bomb.gz", MakeGzip(Zeros(130)))); }, 1,
       "more than the limit of 128 MiB"},
      {"archive of more members than the limit",
       [](const Sandbox& b) { return Info(b.Input("many.zip", MakeZip(ManyMembers(1001)))); }, 1,
       "{in}many.zip: more than 1000 members"},
      {"truncated LHA archive",
       [lxm](const Sandbox& b) {
         const std::string bytes = Lzh({{"e.lxm", lxm}});
         return Info(b.Input("cut.lzh", bytes.substr(0, bytes.size() / 2)));
       },
       1, "{in}cut.lzh: the archive is truncated"},
      {"LHA archive with a bad CRC",
       [](const Sandbox& b) {
         return Info(b.Input("crc.lzh", Flipped(Lzh({{"e.lxm", "<?xml"}}), 2)));
       },
       1, "{in}crc.lzh: e.lxm: a member fails its CRC check"},
      {"zip of two lap files without --member",
       [lxm](const Sandbox& b) {
         return Info(b.Input("two.zip", MakeZip({{"a.lxm", lxm}, {"b.lxm", lxm}})));
       },
       1, "{in}two.zip: 2 lap files (a.lxm, b.lxm) and none was chosen"},
      {"zip of two lap files with --member",
       [lxm](const Sandbox& b) {
         return std::vector<std::string>{
             "info", b.Input("two.zip", MakeZip({{"a.lxm", lxm}, {"b.lxm", lxm}})), "--member",
             "b.lxm"};
       },
       0},
      // Encodings and broken files of each reader.
      {"native file with invalid UTF-8 in a name, report json",
       [](const Sandbox& b) {
         return std::vector<std::string>{"report", "json",
                                         b.Input("bad.lxm", Renamed({"M\xff\xfe"}))};
       }},
      {"UTF-16 text without a byte-order mark",
       [](const Sandbox& b) {
         return Info(b.Input("u16.txt", std::string("$\0L\0A\0P\0\r\0\n\0", 12)));
       }},
      {"native file cut in half",
       [lxm](const Sandbox& b) { return Info(b.Input("half.lxm", lxm.substr(0, lxm.size() / 2))); },
       1},
      {"version-1 lap file of garbage",
       [](const Sandbox& b) {
         return Info(b.Input("g.lap", "$LAPFILE Ver=2\r\n\x01\x02,,,\r\n\xff\r\n"));
       }},
      {"SPORTident listing without runners",
       [](const Sandbox& b) {
         return Info(b.Input("si.txt", "a\r\nb\r\nSPORTident results\r\n\x01\r\n"));
       }},
      {"OEvent text without splits",
       [](const Sandbox& b) { return Info(b.Input("oe.txt", "a\r\nSplit times of\r\n;;;\r\n")); }},
      {"IOF list cut short",
       [](const Sandbox& b) {
         return Info(b.Input("iof.xml", "<?xml version=\"1.0\"?><ResultList><ClassResult><Class>"));
       },
       1},
      {"import-only file loaded first",
       [](const Sandbox& b) { return Info(b.Input("imp.txt", "$IMPORT_ONLY\r\nx\r\ny\r\n")); }, 1,
       "This file can only be added to an event already loaded"},
      {"a folder given as the file", [](const Sandbox& b) { return Info(b.In("")); }, 1},
      // Saves that cannot be made: the old file stays, nothing half-written is left.
      {"convert into a full folder",
       [](const Sandbox& b) {
         b.Output("e.lxm", "previous");
         return std::vector<std::string>{"convert", kFixture, "-o", b.Out("e.lxm")};
       },
       1, "", FullFolder()},
      {"convert into an archive in a full folder",
       [lxm](const Sandbox& b) {
         b.Output("e.lzh", Lzh({{"e.lxm", "previous"}}));
         return std::vector<std::string>{"convert", kFixture, "-o", b.Out("e.lzh")};
       },
       1, "", FullFolder()},
      {"site into a full folder", [](const Sandbox& b) { return Site(b, kFixture); }, 1, "",
       FullFolder()},
      {"convert into a read-only folder",
       [](const Sandbox& b) {
         b.Output("e.lxm", "previous");
         fs::permissions(b.Out(), fs::perms::owner_read | fs::perms::owner_exec |
                                      fs::perms::others_read | fs::perms::others_exec);
         return std::vector<std::string>{"convert", kFixture, "-o", b.Out("e.lxm")};
       },
       1, "", Unprivileged()},
  };
}

TEST(HostileInput, EveryRowEndsCleanly) {
  for (const Row& row : Rows()) RunRow(row);
}

// Ten loads of archives at once, two of them with the same base name in different folders:
// each shows its own event.
TEST(HostileInput, ConcurrentArchiveLoadsNeverMeet) {
  const std::string dir = MakeTempDir("concurrent");
  fs::create_directories(dir + "/a");
  fs::create_directories(dir + "/b");
  const std::string a = dir + "/a/event.lzh", b = dir + "/b/event.lzh";
  std::ofstream(a, std::ios::binary) << MakeLzh({{"event.lxm", Renamed({"ALPHA"})}});
  std::ofstream(b, std::ios::binary) << MakeLzh({{"event.lxm", Renamed({"BRAVO"})}});
  std::vector<CliResult> results(10);
  std::vector<std::thread> threads;
  CliLimits limits;
  limits.seconds = kSeconds;
  for (size_t i = 0; i < results.size(); ++i) {
    threads.emplace_back([&, i] { results[i] = RunCli({"info", i % 2 ? b : a}, "", limits); });
  }
  for (std::thread& thread : threads) thread.join();
  for (size_t i = 0; i < results.size(); ++i) {
    EXPECT_EQ(results[i].exit_code, 0) << results[i].err;
    const std::string own = i % 2 ? "BRAVO" : "ALPHA", other = i % 2 ? "ALPHA" : "BRAVO";
    EXPECT_NE(results[i].out.find(own), std::string::npos) << i;
    EXPECT_EQ(results[i].out.find(other), std::string::npos) << i;
  }
}

}  // namespace
}  // namespace qxtest
