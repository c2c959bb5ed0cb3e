#include <gtest/gtest.h>
#include <pwd.h>
#include <quorvex2/platform/config_control.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "support/temp_files.h"

namespace quorvex2 {
namespace {

std::string FreshStore(const std::string& name) {
  return qxtest::MakeTempDir("config-" + name) + "/config.sqlite3";
}

// Places, folders and upper-cased names are the command line's tests (config get/set); here the
// defaults of empty values and the read limit.
TEST(ConfigControl, EmptyValuesGiveTheDefault) {
  clsConfigControl config(FreshStore("defaults"));
  config.Value(QX_CONFIG_FOLDER_DATA, "colour", "abc", "");  // "" writes the default
  EXPECT_EQ(config.Value(QX_CONFIG_FOLDER_DATA, "COLOUR", "zzz"), "abc");
  config.Value(QX_CONFIG_FOLDER_DATA, "colour", "", "");  // empty reads as the default
  EXPECT_EQ(config.Value(QX_CONFIG_FOLDER_DATA, "COLOUR", "zzz"), "zzz");
  EXPECT_EQ(config.StoreError(), "");
}

TEST(ConfigControl, ReadsAtMost1023ShiftJisBytes) {
  clsConfigControl config(FreshStore("limit"));
  const std::string exact(1023, 'x');
  config.Value(QX_CONFIG_FOLDER_DATA, "EXACT", "", exact);
  EXPECT_EQ(config.Value(QX_CONFIG_FOLDER_DATA, "EXACT"), exact);
  config.Value(QX_CONFIG_FOLDER_DATA, "LONG", "", exact + "yz");
  EXPECT_EQ(config.Value(QX_CONFIG_FOLDER_DATA, "LONG"), exact);

  // "あ" is two bytes in Shift-JIS (three in UTF-8): 512 of them need 1024 bytes.
  std::string kana;
  for (int i = 0; i < 512; ++i) kana += "あ";
  config.Value(QX_CONFIG_FOLDER_DATA, "KANA", "", kana);
  EXPECT_EQ(config.Value(QX_CONFIG_FOLDER_DATA, "KANA"), kana.substr(0, 511 * 3));
  config.Value(QX_CONFIG_FOLDER_DATA, "MIXED", "", "a" + kana);  // 1025 bytes: half "あ" lost
  EXPECT_EQ(config.Value(QX_CONFIG_FOLDER_DATA, "MIXED"), "a" + kana.substr(0, 511 * 3));

  config.Value(QX_CONFIG_FOLDER_DATA, "NUL", "", std::string("ab\0cd", 5));
  EXPECT_EQ(config.Value(QX_CONFIG_FOLDER_DATA, "NUL"), "ab");
}

// QUORVEX2_CONFIG names the store (the command line's tests use it), else the XDG folder (a
// relative one does not count), else the home folder, from the password database without HOME.
TEST(ConfigControl, DefaultStoreFollowsTheEnvironment) {
  const char* saved = std::getenv("QUORVEX2_CONFIG");
  std::string saved_value = saved != nullptr ? saved : "";
  unsetenv("QUORVEX2_CONFIG");
  setenv("XDG_CONFIG_HOME", "/somewhere", 1);
  EXPECT_EQ(clsConfigControl().StoreFile(), "/somewhere/quorvex2/config.sqlite3");
  unsetenv("XDG_CONFIG_HOME");
  const std::string home = std::getenv("HOME") != nullptr ? std::getenv("HOME") : "";
  setenv("XDG_CONFIG_HOME", "relative", 1);
  setenv("HOME", "/home/someone", 1);
  EXPECT_EQ(clsConfigControl().StoreFile(), "/home/someone/.config/quorvex2/config.sqlite3");
  unsetenv("XDG_CONFIG_HOME");
  unsetenv("HOME");
  const passwd* user = getpwuid(getuid());
  EXPECT_EQ(clsConfigControl().StoreFile(),
            std::string(user != nullptr ? user->pw_dir : "?") + "/.config/quorvex2/config.sqlite3");
  setenv("HOME", home.c_str(), 1);
  if (saved != nullptr) setenv("QUORVEX2_CONFIG", saved_value.c_str(), 1);
}

TEST(ConfigControl, TwoProcessesWritingAtOnceLoseNothing) {
  const std::string file = FreshStore("concurrent");
  clsConfigControl(file).Value(QX_CONFIG_FOLDER_SYSTEM, "START", "", "1");
  constexpr int kItems = 40;
  std::vector<pid_t> children;
  for (int process = 0; process < 2; ++process) {
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      int status = 0;
      try {
        clsConfigControl config(file);
        for (int i = 0; i < kItems; ++i) {
          config.Value(QX_CONFIG_FOLDER_DATA,
                       "P" + std::to_string(process) + "_" + std::to_string(i), "",
                       std::to_string(i * 7 + process));
          config.Value(QX_CONFIG_FOLDER_SYSTEM, "SHARED", "", std::to_string(process));
        }
      } catch (...) {
        status = 1;
      }
      _exit(status);
    }
    children.push_back(pid);
  }
  for (pid_t pid : children) {
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  clsConfigControl config(file);
  for (int process = 0; process < 2; ++process) {
    for (int i = 0; i < kItems; ++i) {
      EXPECT_EQ(config.Value(QX_CONFIG_FOLDER_DATA,
                             "p" + std::to_string(process) + "_" + std::to_string(i)),
                std::to_string(i * 7 + process));
    }
  }
  EXPECT_NE(config.Value(QX_CONFIG_FOLDER_SYSTEM, "SHARED"), "");
}

TEST(ConfigControl, CorruptOrUnwritableStore) {
  const std::string file = FreshStore("corrupt");
  std::filesystem::create_directories(std::filesystem::path(file).parent_path());
  const std::string garbage = "this is not a settings file\n" + std::string(2000, 'z');
  std::ofstream(file, std::ios::binary) << garbage;
  clsConfigControl config(file);
  EXPECT_EQ(config.Value(QX_CONFIG_FOLDER_DATA, "ITEM", "dflt"), "dflt");
  EXPECT_NE(config.StoreError().find(file), std::string::npos);
  // A write that fails is lost without an error; StoreError says why.
  config.Value(QX_CONFIG_FOLDER_DATA, "ITEM", "", "v");
  EXPECT_NE(config.StoreError().find(file), std::string::npos);
  std::ifstream after(file, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(after), {}), garbage);  // untouched

  clsConfigControl nowhere("/proc/qx-no-such-folder/config.sqlite3");
  EXPECT_EQ(nowhere.Value(QX_CONFIG_FOLDER_SYSTEM, "ITEM", "d"), "d");
  nowhere.Value(QX_CONFIG_FOLDER_SYSTEM, "ITEM", "", "v");
  EXPECT_NE(nowhere.StoreError(), "");

  // A read-only file keeps its settings and refuses new ones (root may write anyway).
  const std::string locked = FreshStore("readonly");
  clsConfigControl(locked).Value(QX_CONFIG_FOLDER_DATA, "KEEP", "", "kept");
  std::filesystem::permissions(locked, std::filesystem::perms::owner_read);
  clsConfigControl read_only(locked);
  if (geteuid() != 0) {
    read_only.Value(QX_CONFIG_FOLDER_DATA, "NEW", "", "v");
    EXPECT_NE(read_only.StoreError(), "");
    EXPECT_EQ(read_only.Value(QX_CONFIG_FOLDER_DATA, "NEW", "none"), "none");
  }
  EXPECT_EQ(read_only.Value(QX_CONFIG_FOLDER_DATA, "KEEP"), "kept");
}

}  // namespace
}  // namespace quorvex2
