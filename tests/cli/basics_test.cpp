#include <gtest/gtest.h>

#include "cli_run.h"

namespace {

TEST(CliBasics, VersionHelpAndUsageErrors) {
  auto version = qxtest::RunCli({"--version"});
  EXPECT_EQ(version.exit_code, 0);
  EXPECT_EQ(version.out, "2.19 ( Build 179 )\n");

  auto help = qxtest::RunCli({"--help"});
  EXPECT_EQ(help.exit_code, 0);
  EXPECT_NE(help.out.find("--version"), std::string::npos);

  auto bad = qxtest::RunCli({"--no-such-option"});
  EXPECT_EQ(bad.exit_code, 2);
  EXPECT_FALSE(bad.err.empty());

  auto unknown = qxtest::RunCli({"frobnicate", "event.lxm", "--lang", "en"});
  EXPECT_EQ(unknown.exit_code, 2);
  EXPECT_EQ(unknown.err.rfind("quorvex2: unknown command frobnicate (the commands are chart, ", 0),
            0u)
      << unknown.err;
}

}  // namespace
