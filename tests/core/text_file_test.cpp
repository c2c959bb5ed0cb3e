#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "quorvex2/core/encoding.h"
#include "quorvex2/core/path.h"

namespace quorvex2 {
namespace {

using Lines = std::vector<std::string>;

class ReadTextLinesTest : public ::testing::Test {
 protected:
  void TearDown() override { std::filesystem::remove(path_); }
  std::string Write(const std::string& bytes) {
    std::ofstream(path_, std::ios::binary) << bytes;
    return path_.string();
  }
  std::filesystem::path path_ = std::filesystem::temp_directory_path() /
                                ("qx_lines_" + std::to_string(::getpid()) + "_" +
                                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
};

// Decoded from the bytes (Shift-JIS, UTF-16 and UTF-8 with their marks) and split at any line end.
TEST_F(ReadTextLinesTest, DecodedSplitAndUnquoted) {
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

TEST_F(ReadTextLinesTest, EmptyMissingInvalidAndHugeFiles) {
  EXPECT_EQ(*ReadTextLines(Write("")), (Lines{""}));
  EXPECT_FALSE(ReadTextLines(path_.string() + ".missing").has_value());
  EXPECT_EQ(*ReadTextLines(Write("\x81")), (Lines{"\xEF\xBF\xBD"}));
  const std::string line(1 << 20, 'x');
  const auto lines = ReadTextLines(Write(line + "\r\n" + line));
  ASSERT_TRUE(lines.has_value());
  ASSERT_EQ(lines->size(), 2u);
  EXPECT_EQ((*lines)[1], line);
}

}  // namespace
}  // namespace quorvex2
