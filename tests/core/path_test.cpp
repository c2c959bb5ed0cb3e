#include "quorvex2/core/path.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/detail/file_names.h"
#include "quorvex2/core/encoding.h"
#include "support/temp_files.h"

namespace quorvex2 {
namespace {

using Lines = std::vector<std::string>;

class TempFolder : public ::testing::Test {
 protected:
  void SetUp() override { folder_ = qxtest::MakeTempDir("path"); }
  void TearDown() override { std::filesystem::remove_all(folder_); }
  std::string At(const std::string& name) const { return (folder_ / name).string(); }
  // A file of these bytes in the folder.
  std::string Write(const std::string& bytes) {
    return qxtest::WriteFile(folder_.string(), "lines.txt", bytes);
  }

  std::filesystem::path folder_;
};

TEST(PathText, FileFolderExtensionSeparatorsAndSafeNames) {
  EXPECT_EQ(GetFileName("C:\\data\\m21.lxm"), "m21.lxm");
  EXPECT_EQ(GetFileName("/data/m21.lxm"), "m21.lxm");
  EXPECT_EQ(GetFileName("C:m21.lxm"), "m21.lxm");
  EXPECT_EQ(GetFileName("m21.lxm"), "m21.lxm");
  EXPECT_EQ(GetFileName("C:\\data\\"), "");
  EXPECT_EQ(GetFolderName("C:\\data\\m21.lxm"), "C:\\data\\");
  EXPECT_EQ(GetFolderName("C:m21.lxm"), "C:");
  EXPECT_EQ(GetFolderName("/data/m21.lxm"), "");  // "/" is no separator here
  EXPECT_EQ(GetFolderName("m21.lxm"), "");
  EXPECT_EQ(GetExtension("C:\\data\\M21.LXM"), "lxm");
  EXPECT_EQ(GetExtension("C:\\data.d\\m21"), "");
  EXPECT_EQ(GetExtension("a.tar.gz"), "gz");
  EXPECT_EQ(RemoveExtension("C:\\data\\m21.lxm"), "C:\\data\\m21");
  EXPECT_EQ(RemoveExtension("C:\\data.d\\m21"), "C:\\data.d\\m21");
  EXPECT_EQ(RemoveExtension("/x.d/m21.lap"), "/x.d/m21");
  EXPECT_EQ(AddPathSeparator("C:\\data"), "C:\\data\\");
  EXPECT_EQ(AddPathSeparator("C:\\data\\"), "C:\\data\\");
  EXPECT_EQ(AddPathSeparator("/tmp/out"), "/tmp/out\\");
  EXPECT_EQ(AddPathSeparator("/tmp/out/"), "/tmp/out/");
  EXPECT_EQ(RemovePathSeparator("C:\\data\\"), "C:\\data");
  EXPECT_EQ(RemovePathSeparator("/tmp/"), "/tmp");
  EXPECT_EQ(RemovePathSeparator("/tmp"), "/tmp");
  EXPECT_EQ(ToFileSystemPath("a\\b/c"), "a/b/c");
  EXPECT_EQ(MakeSafeFileName("M21<A>"), "M21A");
  EXPECT_EQ(MakeSafeFileName("M21/W21"), "W21");
  EXPECT_EQ(MakeSafeFileName("C:\\out\\M21/W21|\"x'.html"), "C:\\out\\M21W21x.html");
  EXPECT_EQ(MakeSafeFileName("/tmp/out/M21<A>.html"), "M21A.html");
  EXPECT_EQ(MakeSafeFileName(""), "");
}

// A name from a lap file or archive becomes exactly one plain file in its folder; ordinary
// class names stay as the classic procedure makes them.
TEST(PathText, NamesBecomeOneSafeFile) {
  const struct {
    const char* text;
    const char* file;
  } cases[] = {
      {"M21A", "M21A"},
      {"M21<A>", "M21A"},
      {"M21/W21", "W21"},
      {"男子Ａ 21", "男子Ａ 21"},
      {"../../x", "x"},
      {"..\\..\\x", "x"},
      {"/etc/passwd", "passwd"},
      {"..", "file"},
      {"a/..", "file"},
      {"", "file"},
      {"...hidden. . ", "hidden"},
      {"tab\tnew\nline\x7f", "tabnewline"},
      {"a:b|c*d?e#f%g'h\"i", "abcdefghi"},
      {"con", "con_"},
      {"NUL.html", "NUL_.html"},
      {"com10", "com10"},
  };
  for (const auto& c : cases) EXPECT_EQ(detail::SafeFileName(c.text), c.file) << c.text;
  // Cut at a character boundary: 40 three-byte characters of 120 bytes fit, 41 do not.
  std::string long_name;
  for (int i = 0; i < 41; ++i) long_name += "区";
  EXPECT_EQ(detail::SafeFileName(long_name), long_name.substr(0, 120));
}

TEST(PathText, UniqueNamesDifferInEveryFileTheyMake) {
  detail::UniqueFileNames names;
  names.Take("index.html");
  const auto page = [](const std::string& base) {
    return std::vector<std::string>{"r_" + base + ".html", base + ".html"};
  };
  EXPECT_EQ(names.Claim("w21", page), "w21");
  EXPECT_EQ(names.Claim("W21", page), "W21_2");  // the same file where case is ignored
  EXPECT_EQ(names.Claim("w21", page), "w21_3");
  EXPECT_EQ(names.Claim("index", page), "index_2");
  // A page without "*" is the same file for every name: shared, never a reason to rename.
  const auto fixed = [](const std::string& base) {
    return std::vector<std::string>{"index.html", "results.html", base + "_c.html"};
  };
  EXPECT_EQ(names.Claim("m21", fixed), "m21");
  EXPECT_EQ(names.Claim("m21", fixed), "m21_2");
  EXPECT_EQ(names.Claim("m20", fixed), "m20");
}

TEST_F(TempFolder, ExistenceTests) {
  const std::string file = At("a.lap");
  EXPECT_FALSE(IsFileExists(file));
  std::ofstream(file) << "x";
  EXPECT_TRUE(IsFileExists(file));
  EXPECT_FALSE(IsFileExists(folder_.string()));
  EXPECT_FALSE(IsFileExists(""));
  EXPECT_TRUE(IsFolderExists(folder_.string()));
  EXPECT_TRUE(IsFolderExists(folder_.string() + "/"));
  EXPECT_FALSE(IsFolderExists(file));
  EXPECT_FALSE(IsFolderExists(""));
  // A folder named like a file has no extension.
  std::filesystem::create_directory(At("site.d"));
  EXPECT_EQ(GetExtension(At("site.d")), "");
  EXPECT_EQ(GetExtension("\"" + At("site.d") + "\""), "");
  EXPECT_EQ(GetExtension(At("site.d") + "/*.html"), "html");
}

TEST_F(TempFolder, AtomicWriteAndRead) {
  const std::string file = At("out.txt");
  EXPECT_TRUE(WriteFileAtomically(file, std::string("a\0b", 3)));
  EXPECT_EQ(ReadFileBytes(file), std::string("a\0b", 3));
  EXPECT_TRUE(WriteFileAtomically(file, "new"));
  EXPECT_EQ(ReadFileBytes(file), "new");
  EXPECT_TRUE(WriteFileAtomically(file, ""));
  EXPECT_EQ(ReadFileBytes(file), "");
  EXPECT_FALSE(WriteFileAtomically(At("missing/out.txt"), "x"));
  EXPECT_FALSE(WriteFileAtomically("", "x"));
  EXPECT_FALSE(ReadFileBytes(At("missing.txt")).has_value());
  // A symbolic link is written through, a pipe in place: neither is replaced by a file.
  const std::string link = At("link.txt");
  std::filesystem::create_symlink(file, link);
  EXPECT_TRUE(WriteFileAtomically(link, "via link"));
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadFileBytes(file), "via link");
  const std::string dangling = At("dangling.txt");  // names a file yet to be made
  std::filesystem::create_symlink("made.txt", dangling);
  EXPECT_TRUE(WriteFileAtomically(dangling, "made"));
  EXPECT_TRUE(std::filesystem::is_symlink(dangling));
  EXPECT_EQ(ReadFileBytes(At("made.txt")), "made");
  const std::string pipe = At("pipe");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  const int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  EXPECT_TRUE(WriteFileAtomically(pipe, "piped"));
  char got[16] = {};
  EXPECT_EQ(::read(reader, got, sizeof got), 5);
  ::close(reader);
  EXPECT_EQ(std::string(got), "piped");
  EXPECT_EQ(std::filesystem::status(pipe).type(), std::filesystem::file_type::fifo);
  // A process's own descriptor by its name (as /dev/stdout names it).
  int ends[2];
  ASSERT_EQ(::pipe(ends), 0);
  EXPECT_TRUE(WriteFileAtomically("/proc/self/fd/" + std::to_string(ends[1]), "own"));
  ::close(ends[1]);
  EXPECT_EQ(::read(ends[0], got, sizeof got), 3);
  ::close(ends[0]);
  // Only the targets are left behind.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_),
                          std::filesystem::directory_iterator()),
            5);
}

// Decoded from the bytes (Shift-JIS, UTF-16 and UTF-8 with their marks) and split at any line end.
TEST_F(TempFolder, ReadTextLinesDecodesSplitsAndUnquotes) {
  EXPECT_EQ(*ReadTextLines(Write(Utf8ToSjis("クラス,名前\r\nM21A,山田\r\n"))),
            (Lines{"クラス,名前", "M21A,山田", ""}));
  const std::string utf16 = std::string("\xFF\xFE", 2) + std::string("a\0\r\0\n\0\x71\x5C", 8);
  EXPECT_EQ(*ReadTextLines(Write(utf16)), (Lines{"a", "山"}));
  EXPECT_EQ(*ReadTextLines(Write("\xEF\xBB\xBF"
                                 "a\nM\xC3\xBCller\r\r\nc\rd")),
            (Lines{"a", "Müller", "c", "d"}));
  EXPECT_EQ(ReadTextLines(Write(std::string("a\0", 2)))->front(), std::string("a\0", 2));
  const std::string quoted = Write("\"a\",\"b\"\r\n");
  EXPECT_EQ(*ReadTextLines(quoted, true), (Lines{"a,b", ""}));
  EXPECT_EQ(*ReadTextLines(quoted), (Lines{"\"a\",\"b\"", ""}));
}

TEST_F(TempFolder, ReadTextLinesOfEmptyMissingInvalidAndHugeFiles) {
  EXPECT_EQ(*ReadTextLines(Write("")), (Lines{""}));
  EXPECT_FALSE(ReadTextLines(At("missing.txt")).has_value());
  EXPECT_EQ(*ReadTextLines(Write("\x81")), (Lines{"\xEF\xBF\xBD"}));
  const std::string line(1 << 20, 'x');
  const auto lines = ReadTextLines(Write(line + "\r\n" + line));
  ASSERT_TRUE(lines.has_value());
  ASSERT_EQ(lines->size(), 2u);
  EXPECT_EQ((*lines)[1], line);
}

}  // namespace
}  // namespace quorvex2
