// quorvex2 config: items by place (the user's, the system's, a folder's) and a broken store.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>

#include "cli_run.h"

namespace {

using qxtest::RunOk;

TEST(CliConfig, SetAndGetByPlace) {
  setenv("QUORVEX2_CONFIG", (qxtest::MakeTempDir("config") + "/config.sqlite3").c_str(), 1);
  EXPECT_EQ(RunOk({"config", "get", "lastfile", "--default", "none"}), "none\n");
  RunOk({"config", "set", "lastfile", "大会.lxm"});
  RunOk({"config", "set", "lastfile", "t.lxm", "--folder", "Team"});
  RunOk({"config", "set", "PRINT_X", "5", "--system"});
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
  EXPECT_EQ(RunOk({"config", "get", "print_x", "--system"}), "5\n");
}

TEST(CliConfig, StoreThatIsNoDatabase) {
  const std::string file = qxtest::MakeTempDir("config-broken") + "/config.sqlite3";
  setenv("QUORVEX2_CONFIG", file.c_str(), 1);
  std::ofstream(file, std::ios::binary) << std::string(3000, 'q');
  const auto get = qxtest::RunCli({"config", "get", "ITEM"});
  EXPECT_EQ(get.exit_code, 1);
  EXPECT_TRUE(qxtest::Contains(get.err, "not a database")) << get.err;
  const auto set = qxtest::RunCli({"config", "set", "ITEM", "v"});
  EXPECT_EQ(set.exit_code, 1);
  EXPECT_TRUE(qxtest::Contains(set.err, file)) << set.err;
}

}  // namespace
