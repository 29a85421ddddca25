// Reaches below the keyed-file driver to damage a personalisation file the ways a crash or
// another tool could: a key dropped, or records written while the key was not kept up.
// Test thread only.
#pragma once

#include <sqlcipher/sqlite3.h>

#include <string>
#include <vector>

#include "family/Kidlt.h"

namespace kidlttest {

class RawKidlt {
 public:
  explicit RawKidlt(const std::string& path) {
    sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr);
    const std::string& owner = KidltDefinition().owner;
    sqlite3_key(db_, owner.data(), static_cast<int>(owner.size()));
  }
  ~RawKidlt() { sqlite3_close(db_); }
  RawKidlt(const RawKidlt&) = delete;
  RawKidlt& operator=(const RawKidlt&) = delete;

  bool Exec(const std::string& sql) { return sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK; }

  // Adds a record straight into the table (name blank-padded to 30).
  bool Insert(const std::string& name) {
    std::string padded = name;
    padded.resize(kKidltNameSize, ' ');
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(db_, "INSERT INTO data(NAME, DATE, LICSENSE, OTEHR) VALUES (?1, 0, ?2, ?3)", -1, &s, nullptr);
    const std::string licence(20, ' '), other(3, ' ');
    sqlite3_bind_blob(s, 1, padded.data(), static_cast<int>(padded.size()), SQLITE_TRANSIENT);
    sqlite3_bind_blob(s, 2, licence.data(), 20, SQLITE_TRANSIENT);
    sqlite3_bind_blob(s, 3, other.data(), 3, SQLITE_TRANSIENT);
    const bool ok = sqlite3_step(s) == SQLITE_DONE;
    sqlite3_finalize(s);
    return ok;
  }

  // The key's schema row (root page and SQL), so it can be hidden and put back.
  bool KeyRow(long& rootPage, std::string& sql) {
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(db_, "SELECT rootpage, sql FROM sqlite_master WHERE name='key_NME'", -1, &s, nullptr);
    const bool ok = sqlite3_step(s) == SQLITE_ROW;
    if (ok) {
      rootPage = sqlite3_column_int64(s, 0);
      sql = reinterpret_cast<const char*>(sqlite3_column_text(s, 1));
    }
    sqlite3_finalize(s);
    return ok;
  }

 private:
  sqlite3* db_ = nullptr;
};

// Records `names` into the table while its key is hidden, so the key misses them.
inline bool AddBehindTheKey(const std::string& path, const std::vector<std::string>& names) {
  long root = 0;
  std::string sql;
  {
    RawKidlt raw(path);
    if (!raw.KeyRow(root, sql)) return false;
    if (!raw.Exec("PRAGMA writable_schema=ON") || !raw.Exec("DELETE FROM sqlite_master WHERE name='key_NME'"))
      return false;
  }
  {
    RawKidlt raw(path);
    for (const auto& name : names)
      if (!raw.Insert(name)) return false;
  }
  RawKidlt raw(path);
  return raw.Exec("PRAGMA writable_schema=ON") &&
         raw.Exec("INSERT INTO sqlite_master(type, name, tbl_name, rootpage, sql) VALUES ('index', 'key_NME', "
                  "'data', " + std::to_string(root) + ", '" + sql + "')");
}

}  // namespace kidlttest
