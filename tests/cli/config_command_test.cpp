#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>

#include "cli_run.h"

namespace {

// Points the host at a fresh settings file for the rest of the test.
std::string UseFreshStore(const std::string& name) {
  std::string file = qxtest::MakeTempDir(name) + "/config.sqlite3";
  setenv("QUORVEX2_CONFIG", file.c_str(), 1);
  return file;
}

TEST(CliConfig, SetAndGetByPlace) {
  UseFreshStore("config-places");
  EXPECT_EQ(qxtest::RunCli({"config", "get", "lastfile", "--default", "none"}).out, "none\n");
  auto set = qxtest::RunCli({"config", "set", "lastfile", "大会.lxm"});
  EXPECT_EQ(set.exit_code, 0) << set.err;
  EXPECT_EQ(qxtest::RunCli({"config", "get", "LASTFILE"}).out, "大会.lxm\n");
  EXPECT_EQ(qxtest::RunCli({"config", "get", "lastfile", "--system"}).out, "\n");
  EXPECT_EQ(qxtest::RunCli({"config", "get", "lastfile", "--folder", "Team"}).out, "\n");

  EXPECT_EQ(qxtest::RunCli({"config", "set", "lastfile", "t.lxm", "--folder", "Team"}).exit_code,
            0);
  EXPECT_EQ(qxtest::RunCli({"config", "set", "PRINT_X", "5", "--system"}).exit_code, 0);
  EXPECT_EQ(qxtest::RunCli({"config", "get", "lastfile", "--folder", "Team"}).out, "t.lxm\n");
  EXPECT_EQ(qxtest::RunCli({"config", "get", "print_x", "--system"}).out, "5\n");
  EXPECT_EQ(qxtest::RunCli({"config", "get", "lastfile"}).out, "大会.lxm\n");
}

TEST(CliConfig, UsageAndStoreErrors) {
  const std::string file = UseFreshStore("config-errors");
  EXPECT_EQ(qxtest::RunCli({"config"}).exit_code, 2);
  EXPECT_EQ(qxtest::RunCli({"config", "get"}).exit_code, 2);
  EXPECT_EQ(qxtest::RunCli({"config", "set", "ITEM"}).exit_code, 2);
  EXPECT_EQ(qxtest::RunCli({"config", "get", "X", "--system", "--folder", "A"}).exit_code, 2);

  std::ofstream(file, std::ios::binary) << std::string(3000, 'q');
  auto get = qxtest::RunCli({"config", "get", "ITEM"});
  EXPECT_EQ(get.exit_code, 1);
  EXPECT_NE(get.err.find("not a database"), std::string::npos) << get.err;
  auto set = qxtest::RunCli({"config", "set", "ITEM", "v"});
  EXPECT_EQ(set.exit_code, 1);
  EXPECT_NE(set.err.find(file), std::string::npos) << set.err;
}

}  // namespace
