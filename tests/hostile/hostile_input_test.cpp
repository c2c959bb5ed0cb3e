// Hostile input through the command line, one row per case: whatever a row feeds the tool,
// the run ends by itself (no crash, no hang), writes nothing outside its output folder, leaves
// no temporary file, never destroys a file it failed to replace, and explains every refusal.
// A reader's hostile case is one more row of the table.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <thread>

#include <quorvex2/core/text.h>

#include "archive_builders.h"
#include "cli/cli_run.h"

namespace qxtest {
namespace {

namespace fs = std::filesystem;
using quorvex2::ReplaceAll;

constexpr unsigned kSeconds = 120;  // far beyond any case; a run that takes it hangs

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

// The output folder as the run finds it; kReadOnlyFiles: writable, its files read-only.
enum class Folder { kWritable, kFull, kReadOnly, kReadOnlyFiles };

struct Row {
  std::string name;
  // The command line as qxtest::Args reads it, where {in} stands for the input file (the input
  // folder when the row has none) and {out} for the output folder.
  std::string args;
  std::string file = "";  // the input file's name and its bytes
  std::string bytes = "";
  int exit_code = -1;        // -1: 0 or 1, as long as a refusal says why
  std::string says = "";     // what stderr must hold ("{in}" stands for the input folder)
  std::string outputs = "";  // files the output folder must hold afterwards, blank-separated
  Folder folder = Folder::kWritable;
  Members previous = {};  // files in the output folder before the run
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

// A row's folder: inputs in in/, the output folder two levels down (so "../../" from there
// lands inside the sandbox, where it shows), the temporary folder in tmp/, a file beside them.
void RunRow(const Row& row) {
  SCOPED_TRACE(row.name);
  const fs::path root = MakeTempDir("hostile");
  const std::string in = (root / "in/").string(), out = (root / "deep/er/out/").string();
  for (const char* folder : {"in", "deep/er/out", "tmp"}) fs::create_directories(root / folder);
  // Runs as nobody may write the output and temporary folders, and read everything else.
  fs::permissions(out, fs::perms::all);
  fs::permissions(root / "tmp", fs::perms::all | fs::perms::sticky_bit);
  std::ofstream(root / "canary.txt") << row.name;
  if (!row.file.empty()) WriteFile(in, row.file, row.bytes);
  for (const auto& [name, bytes] : row.previous) WriteFile(out, name, bytes);
  CliLimits limits;
  if (row.folder == Folder::kFull) limits.file_size = 2000;  // takes 2000 bytes of any file
  const auto read_only = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
  if (row.folder == Folder::kReadOnly) {
    fs::permissions(out, read_only | fs::perms::owner_exec | fs::perms::others_exec);
    limits.unprivileged = true;
  }
  if (row.folder == Folder::kReadOnlyFiles) {
    for (const auto& [name, bytes] : row.previous) fs::permissions(out + name, read_only);
    limits.unprivileged = true;
  }
  limits.seconds = kSeconds;
  limits.temp_dir = (root / "tmp").string();
  limits.env.push_back("LC_ALL=C.UTF-8");  // the rows say what the English messages say
  const Snapshot before = Take(root);
  const std::string line = ReplaceAll(ReplaceAll(row.args, "{in}", in + row.file), "{out}", out);
  const CliResult result = RunCli(Args(line), limits);

  ASSERT_TRUE(result.exit_code == 0 || result.exit_code == 1)
      << "exit " << result.exit_code << " (crash, hang or usage error)\n"
      << result.err;
  EXPECT_TRUE(row.exit_code < 0 || result.exit_code == row.exit_code) << result.err;
  EXPECT_TRUE(result.exit_code == 0 || !result.err.empty()) << "a refusal without a word";
  EXPECT_TRUE(Contains(result.err, ReplaceAll(row.says, "{in}", in))) << result.err;
  const Snapshot after = Take(root);
  for (const auto& [path, bytes] : after) {
    const bool inside_out = path.starts_with("deep/er/out/");
    EXPECT_TRUE(inside_out || before.count(path)) << "written outside the output: " << path;
    EXPECT_FALSE(IsTemporaryFile(path)) << "temporary file left: " << path;
  }
  for (const auto& [path, bytes] : before) {
    const auto now = after.find(path);
    const bool kept = now != after.end() && now->second == bytes;
    EXPECT_TRUE(kept || (result.exit_code == 0 && path.starts_with("deep/er/out/")))
        << "lost or changed: " << path;
  }
  EXPECT_TRUE(fs::is_empty(root / "tmp")) << "work folder left behind";
  for (const auto& name : Args(row.outputs)) EXPECT_TRUE(fs::exists(out + name)) << name;
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

const std::string kSite =
    "site {in} -o {out} --index index.html --results r_*.html "
    "--analysis a_*.html";

std::vector<Row> Rows() {
  const std::string lxm = ReadFile(kFixture), zeros(130 << 20, '\0');
  const std::string lzh = MakeLzh({{"e.lxm", lxm}});
  return {
      // Names that would lead out of the output folder, and names that collide.
      {"class names with ../, absolute paths and device names", kSite, "names.lxm",
       Renamed({"../../escaped", "/tmp/qx-hostile-abs", "con"}), 0, "",
       "r_escaped.html r_qx-hostile-abs.html r_con_.html index.html"},
      {"class names as bare page names", "site {in} -o {out} --results *.html", "bare.lxm",
       Renamed({"../../escaped", "..", "/tmp/qx-hostile-abs"}), 0, "",
       "escaped.html class.html qx-hostile-abs.html"},
      {"class names that reduce to the same file name", kSite, "same.lxm",
       Renamed({"X/same", "Y/same", "sa&#9;me"}), 0, "", "r_same.html r_same_2.html r_same_3.html"},
      {"native class filename attribute with ../", kSite, "attr.lxm",
       ReplaceAll(lxm, "<class name=\"M21\"", "<class name=\"M21\" filename=\"../../n\""), 0, "",
       "r_n.html a_n.html"},
      // Archives.
      {"zip member named ../../", "info {in}", "t.zip", MakeZip({{"../../t.lxm", lxm}}), 0},
      {"LHA member with an absolute name", "info {in}", "t.lzh", MakeLzh({{"/tmp/t.lxm", lxm}}), 0},
      {"zip declaring a member beyond the limit", "info {in}", "bomb.zip",
       MakeZip({{"e.lxm", zeros}}), 1,
       "{in}bomb.zip: e.lxm declares 130 MiB, more than the limit of 128 MiB"},
      {"gzip unpacking beyond the limit", "info {in}", "bomb.gz", MakeGzip(zeros), 1,
       "more than the limit of 128 MiB"},
      {"archive of more members than the limit", "info {in}", "many.zip",
       MakeZip(ManyMembers(1001)), 1, "{in}many.zip: more than 1000 members"},
      {"truncated LHA archive", "info {in}", "cut.lzh", lzh.substr(0, lzh.size() / 2), 1,
       "{in}cut.lzh: the archive is truncated"},
      {"LHA archive with a bad CRC", "info {in}", "crc.lzh",
       Flipped(MakeLzh({{"e.lxm", "<?xml"}}), 2), 1,
       "{in}crc.lzh: e.lxm: a member fails its CRC check"},
      {"zip of two lap files without --member", "info {in}", "two.zip",
       MakeZip({{"a.lxm", lxm}, {"b.lxm", lxm}}), 1,
       "{in}two.zip: 2 lap files (a.lxm, b.lxm) and none was chosen"},
      {"zip of two lap files with --member", "info {in} --member b.lxm", "two.zip",
       MakeZip({{"a.lxm", lxm}, {"b.lxm", lxm}}), 0},
      // Encodings and broken files of each reader. (Invalid UTF-8 in a native file is the report
      // json test's, a folder given as the file the language test's.)
      {"UTF-16 text without a byte-order mark", "info {in}", "u16.txt",
       std::string("$\0L\0A\0P\0\r\0\n\0", 12)},
      {"native file cut in half", "info {in}", "half.lxm", lxm.substr(0, lxm.size() / 2), 1},
      {"version-1 lap file of garbage", "info {in}", "g.lap",
       "$LAPFILE Ver=2\r\n\x01\x02,,,\r\n\xff\r\n"},
      {"SPORTident listing without runners", "info {in}", "si.txt",
       "a\r\nb\r\nSPORTident results\r\n\x01\r\n"},
      {"OEvent text without splits", "info {in}", "oe.txt", "a\r\nSplit times of\r\n;;;\r\n"},
      {"IOF list cut short", "info {in}", "iof.xml",
       "<?xml version=\"1.0\"?><ResultList><ClassResult><Class>", 1},
      {"import-only file loaded first", "info {in}", "imp.txt", "$IMPORT_ONLY\r\nx\r\ny\r\n", 1,
       "This file can only be added to an event already loaded"},
      // Saves that cannot be made: the old file stays, nothing half-written is left.
      {"convert into a full folder",
       "convert {f} -o {out}e.lxm",
       "",
       "",
       1,
       "",
       "",
       Folder::kFull,
       {{"e.lxm", "previous"}}},
      {"convert into an archive in a full folder",
       "convert {f} -o {out}e.lzh",
       "",
       "",
       1,
       "",
       "",
       Folder::kFull,
       {{"e.lzh", MakeLzh({{"e.lxm", "previous"}})}}},
      {"site into a full folder", ReplaceAll(kSite, "{in}", "{f}"), "", "", 1, "", "",
       Folder::kFull},
      {"convert into a read-only folder",
       "convert {f} -o {out}e.lxm",
       "",
       "",
       1,
       "",
       "",
       Folder::kReadOnly,
       {{"e.lxm", "previous"}}},
      {"convert over a read-only file",
       "convert {f} -o {out}e.lxm",
       "",
       "",
       1,
       "Permission denied",
       "",
       Folder::kReadOnlyFiles,
       {{"e.lxm", "previous"}}},
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
  const std::string a =
      WriteFile(dir + "/a", "event.lzh", MakeLzh({{"event.lxm", Renamed({"ALPHA"})}}));
  const std::string b =
      WriteFile(dir + "/b", "event.lzh", MakeLzh({{"event.lxm", Renamed({"BRAVO"})}}));
  std::vector<CliResult> results(10);
  std::vector<std::thread> threads;
  CliLimits limits;
  limits.seconds = kSeconds;
  for (size_t i = 0; i < results.size(); ++i) {
    threads.emplace_back([&, i] { results[i] = RunCli({"info", i % 2 ? b : a}, limits); });
  }
  for (std::thread& thread : threads) thread.join();
  for (size_t i = 0; i < results.size(); ++i) {
    EXPECT_EQ(results[i].exit_code, 0) << results[i].err;
    EXPECT_TRUE(Contains(results[i].out, i % 2 ? "BRAVO" : "ALPHA")) << i;
    EXPECT_FALSE(Contains(results[i].out, i % 2 ? "ALPHA" : "BRAVO")) << i;
  }
}

}  // namespace
}  // namespace qxtest
