// The LHA layer: archives we pack must satisfy the lhasa tool, extraction must give back the
// exact bytes and must never write outside its folder, damaged archives must not crash.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "files/detail/archive.h"
#include "files/files_test_support.h"
#include "files/lha/archive_reader.h"
#include "files/lha/archive_writer.h"
#include "files/lha/command_line.h"
#include "files/lha/crc16.h"
#include "files/lha/lh5_encoder.h"
#include "files/lha/unlha.h"

namespace quorvex2::detail::lha {
namespace {

namespace fs = std::filesystem;

using qxtest::ReadFile;
using qxtest::WriteBytes;

std::string RandomBytes(size_t size, uint32_t seed) {
  std::mt19937 rng(seed);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(rng() & 0xFF);
  return bytes;
}

// Text with the repetition of a lap file: names, times and markup from a small vocabulary.
std::string LapLikeText(size_t size) {
  static const char* kWords[] = {
      "Kato", "Ken", "Tokyo OLC", "12:34", "5:00", "\r\n", "<leg index=\"3\" laptime=\"0:05:12\"/>",
      "山本"};
  std::mt19937 rng(7);
  std::string text;
  while (text.size() < size) text += std::string(kWords[rng() % 8]) + " ";
  text.resize(size);
  return text;
}

// Decodes a raw -lh5- stream with libarchive, wrapped as the only member of an archive.
std::string DecodeLh5(const std::string& packed, const std::string& original) {
  const ArchiveMember member{"m.bin", original, 0};
  DecodedArchive decoded =
      DecodeArchive(MemberHeader(member, "-lh5-", packed.size()) + packed + std::string(1, '\0'));
  return decoded.members.size() == 1 ? decoded.members[0].data : "(damaged)";
}

class LhaTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "qx-lha-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    root_ = pattern;
    fs::create_directories(root_ / "out");
  }
  void TearDown() override { fs::remove_all(root_); }

  int Run(const std::string& command_line) {
    return Unlha(nullptr, command_line.c_str(), nullptr, 0);
  }
  int Extract(const fs::path& archive, const fs::path& folder) {
    return Run("e -m \"" + archive.string() + "\" \"" + folder.string() + "/\" *.*");
  }
  // Files in a folder, by name.
  static std::vector<std::string> Names(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  fs::path root_;
};

TEST_F(LhaTest, Lh5StreamsDecodeWithLibarchive) {
  // A stream of one literal alone is left out: libarchive refuses it, and the writer stores
  // such data as -lh0- anyway (packed, it would be larger).
  const std::vector<std::string> inputs = {
      "ab",
      std::string(100000, 'a'),  // one literal and one match length: single-symbol tables
      RandomBytes(200000, 1),    // incompressible: many blocks of mostly literals
      LapLikeText(300000),
      RandomBytes(3000, 2) + RandomBytes(3000, 2) + std::string(70000, '\0'),  // far matches
  };
  for (const std::string& data : inputs) {
    const std::string packed = EncodeLh5(data);
    EXPECT_EQ(DecodeLh5(packed, data), data) << "size " << data.size();
  }
  EXPECT_LT(EncodeLh5(LapLikeText(300000)).size(), 300000u / 5);
}

TEST_F(LhaTest, PackedArchivesPassLhaTestAndExtractToIdenticalBytes) {
  const std::vector<std::pair<std::string, std::string>> files = {
      {"empty.lxm", ""},
      {"one.lap", "x"},
      {"random.bin", RandomBytes(1 << 20, 3)},
      {"text.lxm", LapLikeText(1 << 20)},
      {"大会 結果.lxm", LapLikeText(5000)},  // Shift-JIS name with a blank
  };
  const fs::path archive = root_ / "all.lzh";
  for (const auto& [name, data] : files) {
    WriteBytes(root_ / name, data);
    ASSERT_TRUE(MakeArchiveFile(archive.string(), (root_ / name).string())) << name;
  }
  const std::string quiet = " >/dev/null 2>&1";
  ASSERT_EQ(std::system(("lha t '" + archive.string() + "'" + quiet).c_str()), 0);

  // The lhasa tool writes the names as stored (Shift-JIS); compare the contents by size order.
  const fs::path by_lha = root_ / "by-lha";
  fs::create_directories(by_lha);
  ASSERT_EQ(std::system(
                ("lha -xqw='" + by_lha.string() + "' '" + archive.string() + "'" + quiet).c_str()),
            0);
  for (const auto& [name, data] : files) {
    if (name.front() != '\xE5') {
      EXPECT_EQ(ReadFile(by_lha / name), data) << name;
    }
  }
  EXPECT_EQ(Names(by_lha).size(), files.size());

  ASSERT_EQ(Extract(archive, root_ / "out"), kUnlhaSuccess);
  for (const auto& [name, data] : files) EXPECT_EQ(ReadFile(root_ / "out" / name), data) << name;

  // SOURCE_DATE_EPOCH stands for later modification times: a file packs to the same bytes.
  ::setenv("SOURCE_DATE_EPOCH", "1792324800", 1);
  std::string packed[2];
  for (int i = 0; i < 2; ++i) {
    const fs::path again = root_ / ("again" + std::to_string(i) + ".lzh");
    fs::last_write_time(root_ / "one.lap",
                        fs::file_time_type::clock::now() + std::chrono::seconds(10 * i));
    ASSERT_TRUE(MakeArchiveFile(again.string(), (root_ / "one.lap").string()));
    packed[i] = ReadFile(again);
  }
  ::unsetenv("SOURCE_DATE_EPOCH");
  EXPECT_EQ(packed[0], packed[1]);
}

TEST_F(LhaTest, AddingReplacesAMemberOfTheSameNameAndKeepsTheOthers) {
  const fs::path archive = root_ / "event.lzh";
  WriteBytes(root_ / "a.lxm", "first");
  WriteBytes(root_ / "b.lap", "other");
  ASSERT_EQ(Run("a \"" + archive.string() + "\" " + (root_ / "a.lxm").string()), kUnlhaSuccess);
  ASSERT_EQ(Run("a \"" + archive.string() + "\" " + (root_ / "b.lap").string()), kUnlhaSuccess);
  WriteBytes(root_ / "a.lxm", "second");
  ASSERT_EQ(Run("a \"" + archive.string() + "\" " + (root_ / "a.lxm").string()), kUnlhaSuccess);

  DecodedArchive decoded = DecodeArchive(ReadFile(archive));
  ASSERT_EQ(decoded.members.size(), 2u);
  EXPECT_EQ(decoded.members[0].name, "a.lxm");
  EXPECT_EQ(decoded.members[0].data, "second");
  EXPECT_EQ(decoded.members[1].data, "other");

  // A missing file to add is an error. (Something that is no archive is not overwritten: the
  // archive save tests add to one through this command.)
  EXPECT_EQ(Run("a \"" + archive.string() + "\" " + (root_ / "missing.lxm").string()),
            kUnlhaNoFile);
  EXPECT_EQ(Run("q \"" + archive.string() + "\""), kUnlhaBadCommand);
  EXPECT_EQ(Run("e -m"), kUnlhaBadCommand);  // no archive named
}

// Hosts name archives and folders the Windows way too.
TEST_F(LhaTest, CommandLinesTakeWindowsPathsWithBlanks) {
  const ArchiverCommand c = ParseArchiverCommand(R"(e -m "C:\My Data\r.lzh" "C:\Temp\Qx\" *.*)");
  EXPECT_EQ(c.archive + "|" + c.folder, R"(C:\My Data\r.lzh|C:\Temp\Qx\)");
}

// A level-0 header, the oldest form, whose names may carry folders written with "\".
std::string Level0Member(const std::string& method, const std::string& name,
                         const std::string& data) {
  std::string h = method;
  for (uint32_t v :
       {static_cast<uint32_t>(data.size()), static_cast<uint32_t>(data.size()), 0x21000000u}) {
    for (int i = 0; i < 4; ++i) h.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
  }
  h += '\x20';
  h += '\x00';
  h += static_cast<char>(name.size());
  h += name;
  const uint16_t crc = Crc16(data);
  h += static_cast<char>(crc & 0xFF);
  h += static_cast<char>(crc >> 8);
  uint8_t sum = 0;
  for (unsigned char ch : h) sum = static_cast<uint8_t>(sum + ch);
  return std::string{static_cast<char>(h.size()), static_cast<char>(sum)} + h + data;
}

TEST_F(LhaTest, MemberNamesNeverLeadOutOfTheFolder) {
  const fs::path folder = root_ / "work" / "Quorvex2";
  fs::create_directories(folder);
  // A link already in the folder must be replaced, not followed.
  WriteBytes(root_ / "target.lxm", "keep me");
  fs::create_symlink(root_ / "target.lxm", folder / "linked.lxm");

  std::string archive = EncodeArchive({{"../up.lxm", "1", 0},
                                       {"/tmp/absolute.lap", "2", 0},
                                       {"..", "3", 0},
                                       {"linked.lxm", "4", 0}});
  archive.pop_back();  // the end mark; level-0 members follow
  archive += Level0Member("-lh0-", "..\\..\\dos.lxm", "5");
  archive += Level0Member("-lh0-", "/etc/abs0.lap", "6");
  archive += Level0Member("-lhd-", "evil.lap|" + (root_ / "target.lxm").string(), "");
  archive += '\0';
  WriteBytes(root_ / "hostile.lzh", archive);

  Extract(root_ / "hostile.lzh", folder);
  EXPECT_EQ(Names(root_ / "work"), std::vector<std::string>{"Quorvex2"});
  EXPECT_EQ(Names(root_), (std::vector<std::string>{"hostile.lzh", "out", "target.lxm", "work"}));
  EXPECT_EQ(ReadFile(root_ / "target.lxm"), "keep me");
  EXPECT_FALSE(fs::is_symlink(folder / "linked.lxm"));
  EXPECT_EQ(ReadFile(folder / "linked.lxm"), "4");
  EXPECT_EQ(ReadFile(folder / "dos.lxm"), "5");
  for (const std::string& name : Names(folder)) {
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(folder / name))) << name;
  }
}

TEST_F(LhaTest, DamagedArchivesNeverYieldWrongData) {
  const std::string good = LapLikeText(20000);
  const std::string archive = EncodeArchive({{"event.lxm", good, 0}});
  int damaged = 0;
  for (size_t cut = 0; cut < archive.size(); cut += 97) {
    DecodedArchive decoded = DecodeArchive(std::string_view(archive).substr(0, cut));
    for (const DecodedMember& m : decoded.members) EXPECT_EQ(m.data, good);
    damaged += decoded.members.empty();
  }
  EXPECT_GT(damaged, 0);
  std::mt19937 rng(11);
  for (int round = 0; round < 200; ++round) {
    std::string flipped = archive;
    flipped[rng() % flipped.size()] ^= static_cast<char>(1 << (rng() % 8));
    DecodedArchive decoded = DecodeArchive(flipped);
    for (const DecodedMember& m : decoded.members) EXPECT_EQ(m.data, good);
  }
  WriteBytes(root_ / "cut.lzh", archive.substr(0, archive.size() / 2));
  EXPECT_EQ(Extract(root_ / "cut.lzh", root_ / "out"), kUnlhaDamaged);
  EXPECT_TRUE(Names(root_ / "out").empty());
}

}  // namespace
}  // namespace quorvex2::detail::lha
