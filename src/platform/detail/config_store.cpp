#include "platform/detail/config_store.h"

#include <pwd.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <vector>

#include "core/detail/catalogue.h"
#include "core/detail/fill_in.h"

namespace quorvex2::detail {

namespace {

// Another writer holds the file for a few milliseconds at a time; wait for it.
constexpr int kBusyTimeoutMs = 30000;

using Database = std::unique_ptr<sqlite3, decltype(&sqlite3_close)>;
using Statement = std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)>;

enum class Access { kOpen, kRead, kWrite };

// The store's failure in the current root's language, followed by SQLite's own words.
[[noreturn]] void Fail(sqlite3* Db, const std::string& File, Access What) {
  const std::string message =
      What == Access::kOpen   ? Tr("設定ファイル {file} を開けません: {reason}")
      : What == Access::kRead ? Tr("設定ファイル {file} を読めません: {reason}")
                              : Tr("設定ファイル {file} に書き込めません: {reason}");
  throw std::runtime_error(FillIn(
      message, {{"file", File}, {"reason", Db != nullptr ? sqlite3_errmsg(Db) : "out of memory"}}));
}

Database Open(const std::string& File, int Flags) {
  sqlite3* raw = nullptr;
  int rc = sqlite3_open_v2(File.c_str(), &raw, Flags, nullptr);
  Database db(raw, sqlite3_close);
  if (rc != SQLITE_OK) Fail(raw, File, Access::kOpen);
  sqlite3_busy_timeout(raw, kBusyTimeoutMs);
  return db;
}

Statement Prepare(sqlite3* Db, const std::string& File, const char* Sql) {
  sqlite3_stmt* raw = nullptr;
  if (sqlite3_prepare_v2(Db, Sql, -1, &raw, nullptr) != SQLITE_OK) Fail(Db, File, Access::kRead);
  return Statement(raw, sqlite3_finalize);
}

void Exec(sqlite3* Db, const std::string& File, const char* Sql) {
  if (sqlite3_exec(Db, Sql, nullptr, nullptr, nullptr) != SQLITE_OK) Fail(Db, File, Access::kWrite);
}

void Bind(sqlite3_stmt* Stmt, int Index, const std::string& Text) {
  sqlite3_bind_text(Stmt, Index, Text.data(), static_cast<int>(Text.size()), SQLITE_TRANSIENT);
}

bool HasSettingsTable(sqlite3* Db, const std::string& File) {
  Statement stmt =
      Prepare(Db, File, "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = 'settings'");
  int rc = sqlite3_step(stmt.get());
  if (rc != SQLITE_ROW && rc != SQLITE_DONE) Fail(Db, File, Access::kRead);
  return rc == SQLITE_ROW;
}

// An absolute folder named by the environment variable; XDG ignores relative ones.
std::optional<std::filesystem::path> AbsoluteFolderOf(const char* Variable) {
  const char* value = std::getenv(Variable);
  if (value == nullptr || *value != '/') return std::nullopt;
  return std::filesystem::path(value);
}

// The user's home folder: $HOME, else the one the password database gives the user (a service
// or a cron job may run without HOME).
std::optional<std::filesystem::path> HomeFolder() {
  if (auto home = AbsoluteFolderOf("HOME")) return home;
  std::vector<char> buffer(16384);
  passwd entry{};
  passwd* found = nullptr;
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr &&
      found->pw_dir != nullptr && found->pw_dir[0] == '/') {
    return std::filesystem::path(found->pw_dir);
  }
  return std::nullopt;
}

}  // namespace

std::string DefaultConfigFile() {
  if (const char* file = std::getenv("QUORVEX2_CONFIG"); file != nullptr && *file != '\0') {
    return file;
  }
  std::filesystem::path base;
  if (auto xdg = AbsoluteFolderOf("XDG_CONFIG_HOME")) {
    base = *xdg;
  } else if (auto home = HomeFolder()) {
    base = *home / ".config";
  } else {  // a user without a home keeps settings of his own, apart from other users'
    base = std::filesystem::temp_directory_path() / ("quorvex2-" + std::to_string(getuid()));
  }
  return (base / "quorvex2" / "config.sqlite3").string();
}

std::optional<std::string> ReadSetting(const std::string& File, const std::string& KeyPath,
                                       const std::string& Item) {
  if (!std::filesystem::exists(File)) return std::nullopt;
  Database db = Open(File, SQLITE_OPEN_READONLY);
  if (!HasSettingsTable(db.get(), File)) return std::nullopt;
  Statement stmt =
      Prepare(db.get(), File, "SELECT value FROM settings WHERE key_path = ?1 AND item = ?2");
  Bind(stmt.get(), 1, KeyPath);
  Bind(stmt.get(), 2, Item);
  int rc = sqlite3_step(stmt.get());
  if (rc == SQLITE_DONE) return std::nullopt;
  if (rc != SQLITE_ROW) Fail(db.get(), File, Access::kRead);
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt.get(), 0));
  return std::string(text != nullptr ? text : "",
                     static_cast<size_t>(sqlite3_column_bytes(stmt.get(), 0)));
}

void WriteSetting(const std::string& File, const std::string& KeyPath, const std::string& Item,
                  const std::string& Value) {
  std::filesystem::path folder = std::filesystem::path(File).parent_path();
  std::error_code ignored;
  if (!folder.empty()) std::filesystem::create_directories(folder, ignored);
  Database db = Open(File, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
  Exec(db.get(), File, "BEGIN IMMEDIATE");
  try {
    Exec(db.get(), File,
         "CREATE TABLE IF NOT EXISTS settings (key_path TEXT NOT NULL, item TEXT NOT NULL, "
         "value TEXT NOT NULL, PRIMARY KEY (key_path, item))");
    Statement stmt = Prepare(db.get(), File,
                             "INSERT INTO settings (key_path, item, value) VALUES (?1, ?2, ?3) "
                             "ON CONFLICT (key_path, item) DO UPDATE SET value = excluded.value");
    Bind(stmt.get(), 1, KeyPath);
    Bind(stmt.get(), 2, Item);
    Bind(stmt.get(), 3, Value);
    if (sqlite3_step(stmt.get()) != SQLITE_DONE) Fail(db.get(), File, Access::kWrite);
    stmt.reset();
    Exec(db.get(), File, "COMMIT");
  } catch (...) {
    sqlite3_exec(db.get(), "ROLLBACK", nullptr, nullptr, nullptr);
    throw;
  }
}

}  // namespace quorvex2::detail
