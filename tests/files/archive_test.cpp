// Lap files in zip, gzip and LHA archives: what loads, what is refused and with which words,
// the limits, the chooser, saves into archives, and work folders that never meet or stay.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/resource.h>

#include <filesystem>
#include <thread>
#include <vector>

#include "archive_builders.h"
#include "files_test_support.h"
#include "quorvex2/quorvex2.h"

namespace quorvex2 {
namespace {

namespace fs = std::filesystem;
using qxtest::MakeGzip;
using qxtest::MakeLzh;
using qxtest::MakeZip;
using qxtest::Members;
using qxtest::ReadFile;
using qxtest::TempPath;
using qxtest::WriteBytes;

// An archive that gives no lap file leaves no file for the type detection.
constexpr const char* kRefusal =
    "The file type could not be determined\r\nclsFileControl.DetectFileType\r\n";

// Work folders go to a temporary folder of the test's own, so a test can see that none stays.
class ArchiveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    temp_ = TempPath("tmp-" +
                     std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::create_directories(temp_);
    ::setenv("TMPDIR", temp_.c_str(), 1);
  }
  void TearDown() override { ::unsetenv("TMPDIR"); }
  bool TempIsEmpty() const { return fs::is_empty(temp_); }

  std::string temp_;
};

// The bytes of a native lap file of one class and one runner (found by its content whatever
// the member is called).
std::string LapFile(const std::string& class_name, const std::string& runner) {
  clsQuorvex2 root;
  root.AddClass(class_name)->AddLap()->RunnerName = runner;
  const std::string path = TempPath("lap-" + class_name + ".lxm");
  EXPECT_TRUE(root.FileControl()->SaveLapFile(path));
  return ReadFile(path);
}

// The runner of the first class after loading, "" when the load failed.
std::string LoadedRunner(clsQuorvex2& root, const std::string& path) {
  if (!root.FileControl()->LoadLapFile(path) || root.ClassCount() == 0) return "";
  return root.ClassData(1)->LapData(1)->RunnerName;
}

std::string Unmarked(std::string lzh) {
  EXPECT_EQ(lzh.back(), '\0');
  lzh.pop_back();
  return lzh;
}

TEST_F(ArchiveTest, ArchivesLoadLikeTheirLapFileWhateverTheirName) {
  const std::string lxm = LapFile("M21A", "Taro");
  const std::string& lap = lxm;
  const struct {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"event.zip", MakeZip({{"event.lxm", lxm}})},
      {"zip-named.dat", MakeZip({{"event.lxm", lxm}})},
      {"folders.zip", MakeZip({{"docs/readme.pdf", "%PDF"}, {"out/event.lxm", lxm}})},
      {"lap-first.zip", MakeZip({{"notes.txt", "notes"}, {"event.lxm", lxm}})},
      {"mac.zip", MakeZip({{"out/event.xml", lxm},
                           {"__MACOSX/out/._event.xml", "Mac OS X"},
                           {"out/.DS_Store", "Bud1"}})},
      {"xml-before-text.zip", MakeZip({{"readme.txt", "notes"}, {"event.xml", lxm}})},
      {"escape.zip", MakeZip({{"../../escaped.lxm", lxm}})},
      {"absolute.zip", MakeZip({{"/tmp/absolute.lxm", lxm}})},
      {"event.lxm.gz", MakeGzip(lxm)},
      {"named.gz", MakeGzip(lap, "results.lap")},
      {"46.GZ", MakeGzip(lap)},  // no name kept, none from the file: detected by content
      // Files appended to one another: their contents in a row; zero bytes after the last pad it.
      {"joined.gz", MakeGzip(lxm.substr(0, lxm.size() / 2)) + MakeGzip(lxm.substr(lxm.size() / 2))},
      {"padded.gz", MakeGzip(lxm) + std::string(512, '\0')},
      {"event.tar.gz", qxtest::MakeTarGz({{"event/readme.txt", "x"}, {"event/event.lxm", lxm}})},
      {"event.lzh", MakeLzh({{"event.lxm", lxm}, {"notes.txt", "x"}})},
      {"lzh-named.bin", MakeLzh({{"event.lap", lap}})},
      // Some writers leave out the zero byte that ends an LHA archive.
      {"unmarked.lzh", Unmarked(MakeLzh({{"event.lxm", lxm}}))},
  };
  for (const auto& c : cases) {
    const std::string path = TempPath(c.name);
    WriteBytes(path, c.bytes);
    clsQuorvex2 root;
    EXPECT_EQ(LoadedRunner(root, path), "Taro") << c.name << ": " << root.ErrorComment();
    EXPECT_TRUE(TempIsEmpty()) << c.name;
  }
  EXPECT_FALSE(fs::exists(TempPath("../escaped.lxm")));
  EXPECT_FALSE(fs::exists("/tmp/absolute.lxm"));
}

std::string Flip(std::string bytes, size_t at) {
  bytes[at] = static_cast<char>(bytes[at] ^ 0x55);
  return bytes;
}

// A gzip file whose trailer declares another size than its data has.
std::string Resized(std::string gzip, uint32_t size) {
  for (int i = 0; i < 4; ++i) gzip[gzip.size() - 4 + i] = static_cast<char>(size >> (8 * i));
  return gzip;
}

TEST_F(ArchiveTest, RefusalsSayWhatIsWrongWithWhichArchive) {
  const std::string lxm = LapFile("M21A", "Taro");
  const std::string lzh = MakeLzh({{"event.lxm", lxm}});
  const std::string stored = MakeLzh({{"event.lxm", "<?xml"}});  // too short to compress
  const std::string zip = MakeZip({{"event.lxm", lxm}});
  const std::string gzip = MakeGzip(lxm);
  std::string unknown_method = lzh;
  unknown_method.replace(2, 5, "-lhx-");
  Members many;
  for (int i = 0; i <= 1000; ++i) many.push_back({"m" + std::to_string(i) + ".txt", "x"});
  const std::string zeros(size_t{130} << 20, '\0');
  const struct {
    const char* name;
    std::string bytes;
    const char* says;
  } cases[] = {
      {"crc.lzh", Flip(stored, stored.size() - 2), "event.lxm: a member fails its CRC check"},
      {"damaged.zip", Flip(zip, 60), "event.lxm: the archive is damaged"},
      {"header.lzh", Flip(lzh, 8), "a member header fails its checksum"},
      {"truncated.lzh", lzh.substr(0, lzh.size() / 2), "the archive is truncated"},
      {"truncated.gz", gzip.substr(0, gzip.size() - 6), "the archive is truncated"},
      {"method.lzh", unknown_method, "unknown compression method -lhx-"},
      {"cut-header.lzh", lzh.substr(0, 12), "the archive is damaged or cut short"},
      {"none.zip", MakeZip({{"photo.jpg", "JFIF"}}), "no lap file among its 1 member (photo.jpg)"},
      {"two.zip", MakeZip({{"a.lxm", lxm}, {"b.lap", lxm}}),
       "2 lap files (a.lxm, b.lap) and none was chosen"},
      {"many.zip", MakeZip(many), "more than 1000 members, the limit"},
      {"declared.zip", MakeZip({{"event.lxm", zeros}}),
       "event.lxm declares 130 MiB, more than the limit of 128 MiB"},
      {"declared.gz", MakeGzip(zeros), "declares 130 MiB, more than the limit of 128 MiB"},
      {"stream.gz", Resized(MakeGzip(zeros), 100), "unpacks to more than the limit of 128 MiB"},
      {"resized.gz", Resized(MakeGzip(lxm), 100), "the archive is truncated"},
      // Each member of a gzip file is checked against its own trailer.
      {"second-cut.gz", gzip + gzip.substr(0, gzip.size() / 2), "the archive is truncated"},
      {"first-resized.gz", Resized(gzip, 100) + gzip, "its trailer gives another size"},
      {"first-crc.gz", Flip(gzip, gzip.size() - 8) + gzip, "a member fails its CRC check"},
      {"after-padding.gz", gzip + std::string(4, '\0') + gzip, "the archive is damaged"},
      {"text.lzh", "not an archive", "not an LHA, zip or gzip archive"},
  };
  for (const auto& c : cases) {
    const std::string path = TempPath(c.name);
    WriteBytes(path, c.bytes);
    clsQuorvex2 root;
    root.Language("en");  // the cases say what the English comment says
    EXPECT_FALSE(root.FileControl()->LoadLapFile(path)) << c.name;
    const std::string comment = root.ErrorComment();
    EXPECT_EQ(comment.rfind(kRefusal + path + ": ", 0), 0u) << c.name << ": " << comment;
    EXPECT_NE(comment.find(c.says), std::string::npos) << c.name << ": " << comment;
    EXPECT_EQ(root.ClassCount(), 0) << c.name;
    EXPECT_TRUE(TempIsEmpty()) << c.name;
  }
}

TEST_F(ArchiveTest, TheChooserPicksAmongSeveralLapFiles) {
  const std::string path = TempPath("both.zip");
  WriteBytes(path, MakeZip({{"a.lxm", LapFile("A", "Ann")}, {"sub/b.lap", LapFile("B", "Ben")}}));
  clsQuorvex2 root;
  std::vector<std::string> offered;
  root.ChooseArchiveMember = [&offered](const std::vector<std::string>& names) {
    offered = names;
    return std::string("sub/b.lap");
  };
  EXPECT_EQ(LoadedRunner(root, path), "Ben");
  EXPECT_EQ(offered, (std::vector<std::string>{"a.lxm", "sub/b.lap"}));
  root.ChooseArchiveMember = [](const std::vector<std::string>&) { return std::string("c.lxm"); };
  EXPECT_EQ(LoadedRunner(root, path), "");
  // Of other result files every one is offered; no answer takes the likeliest.
  const std::string others = TempPath("others.zip");
  WriteBytes(others, MakeZip({{"y.txt", LapFile("Y", "Yan")}, {"x.xml", LapFile("X", "Xen")}}));
  std::string answer;
  root.ChooseArchiveMember = [&](const std::vector<std::string>& names) {
    offered = names;
    return answer;
  };
  EXPECT_EQ(LoadedRunner(root, others), "Xen");
  EXPECT_EQ(offered, (std::vector<std::string>{"x.xml", "y.txt"}));
  answer = "y.txt";
  EXPECT_EQ(LoadedRunner(root, others), "Yan");
  // The member the host names is taken without asking, of any kind, also beside the one lap
  // file; a name the archive does not hold fails.
  root.ArchiveMember = "b.lap";
  EXPECT_EQ(LoadedRunner(root, path), "Ben");
  const std::string beside = TempPath("beside.zip");
  WriteBytes(beside, MakeZip({{"a.lxm", LapFile("A", "Ann")}, {"y.txt", LapFile("Y", "Yan")}}));
  root.ArchiveMember = "y.txt";
  EXPECT_EQ(LoadedRunner(root, beside), "Yan");
  root.ArchiveMember = "z.txt";
  EXPECT_EQ(LoadedRunner(root, beside), "");
  EXPECT_NE(root.ErrorComment().find("\nclsFileControl.ArchiveMember\r\n"), std::string::npos)
      << root.ErrorComment();
  EXPECT_TRUE(TempIsEmpty());
}

// Ten threads save their own event into an archive of the same base name, in folders of their
// own, and load it back, over and over: no load or save ever sees another's files.
TEST_F(ArchiveTest, ConcurrentSavesAndLoadsNeverMeet) {
  std::vector<std::thread> threads;
  std::vector<int> wrong(10, 0);
  for (int t = 0; t < 10; ++t) {
    threads.emplace_back([t, &wrong] {
      const std::string folder = TempPath("thread" + std::to_string(t));
      fs::create_directories(folder);
      const std::string archive = folder + "/event.lzh";
      for (int round = 0; round < 5; ++round) {
        const std::string runner = "R" + std::to_string(t) + "-" + std::to_string(round);
        clsQuorvex2 root;
        root.AddClass("M21A")->AddLap()->RunnerName = runner;
        if (!root.FileControl()->SaveLapFile(archive) || LoadedRunner(root, archive) != runner) {
          ++wrong[t];
        }
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(wrong, std::vector<int>(10, 0));
  EXPECT_TRUE(TempIsEmpty());
}

TEST_F(ArchiveTest, AFailedSaveLeavesTheArchiveAsItWas) {
  const std::string archive = TempPath("kept.lzh");
  {
    clsQuorvex2 root;
    root.AddClass("M21A")->AddLap()->RunnerName = "First";
    ASSERT_TRUE(root.FileControl()->SaveLapFile(archive));
    // Loaded back, the path read is the extracted member's, not the archive's.
    EXPECT_EQ(LoadedRunner(root, archive), "First");
    EXPECT_EQ(GetFileName(root.FileName), "kept.lxm");
  }
  const std::string before = ReadFile(archive);
  clsQuorvex2 root;
  auto cls = root.AddClass("W21A");
  for (int i = 0; i < 2000; ++i) cls->AddLap()->RunnerName = "Runner " + std::to_string(i);
  // The member cannot be written in full: nothing is packed, nothing stays behind.
  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  rlimit small = old;
  small.rlim_cur = 4096;
  setrlimit(RLIMIT_FSIZE, &small);
  const bool saved = root.FileControl()->SaveLapFile(archive);
  setrlimit(RLIMIT_FSIZE, &old);
  EXPECT_FALSE(saved);
  EXPECT_EQ(ReadFile(archive), before);
  EXPECT_TRUE(TempIsEmpty());
  // The packer cannot write the archive: the save fails.
  EXPECT_FALSE(root.FileControl()->SaveLapFile(TempPath("missing-folder/event.lzh")));
  const std::string text = TempPath("notes.lzh");
  WriteBytes(text, "not an archive");
  EXPECT_FALSE(root.FileControl()->SaveLapFile(text));
  EXPECT_EQ(ReadFile(text), "not an archive");
  for (const auto& entry : fs::directory_iterator(fs::path(archive).parent_path())) {
    EXPECT_EQ(entry.path().filename().string().find(".lzh."), std::string::npos)
        << "temporary file left: " << entry.path();
  }
  EXPECT_TRUE(TempIsEmpty());
}

}  // namespace
}  // namespace quorvex2
