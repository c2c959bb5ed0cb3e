#include <gtest/gtest.h>
#include <quorvex2/quorvex2.h>

namespace quorvex2 {
namespace {

TEST(Version, WithAndWithoutBuild) {
  EXPECT_EQ(VersionText(), "2.19 ( Build 179 )");
  EXPECT_EQ(VersionText(true), "2.19 ( Build 179 )");
  EXPECT_EQ(VersionText(false), "2.19");
}

}  // namespace
}  // namespace quorvex2
