#include "runtime/data/KeyedFile.h"

#include <fcntl.h>
#include <sqlcipher/sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <variant>
#include <vector>

#include "runtime/core/Journal.h"
#include "runtime/data/ErrorState.h"

namespace wdrt {
namespace {

constexpr int kDefaultBusyMs = 2000;  // other openers' writes are short single statements
using Value = std::variant<std::int64_t, std::string>;

std::string Quote(const std::string& name) { return "\"" + name + "\""; }
std::string IndexName(const KeyDef& key) { return "key_" + key.name; }

void ReportSqlite(sqlite3* db, int rc) {
  switch (rc & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED: SetError(ErrLocked); return;
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT: SetError(ErrInvalidFile); return;
    case SQLITE_CONSTRAINT: SetError(ErrDuplicateKey); return;  // only unique keys constrain
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH: SetError(ErrAccessDenied); return;
    default:
      SetFileError(std::to_string(rc), db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
  }
}

// A prepared statement that finalizes itself.
class Stmt {
 public:
  Stmt(sqlite3* db, const std::string& sql) { rc_ = sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt_, nullptr); }
  ~Stmt() { sqlite3_finalize(stmt_); }
  Stmt(const Stmt&) = delete;
  Stmt& operator=(const Stmt&) = delete;
  int PrepareResult() const { return rc_; }
  sqlite3_stmt* get() const { return stmt_; }
  int Step() { return stmt_ ? sqlite3_step(stmt_) : rc_; }
  void Bind(int index, const Value& v) {
    if (const auto* i = std::get_if<std::int64_t>(&v)) sqlite3_bind_int64(stmt_, index, *i);
    else BindBytes(index, std::get<std::string>(v).data(), std::get<std::string>(v).size());
  }
  void BindBytes(int index, const void* data, std::size_t size) {
    if (size == 0) sqlite3_bind_zeroblob(stmt_, index, 0);  // an empty value, not NULL
    else sqlite3_bind_blob64(stmt_, index, data, size, SQLITE_TRANSIENT);
  }

 private:
  sqlite3_stmt* stmt_ = nullptr;
  int rc_ = SQLITE_OK;
};

int Exec(sqlite3* db, const std::string& sql) { return sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr); }

std::string ColumnType(FieldKind kind) {
  switch (kind) {
    case FieldKind::Long:
    case FieldKind::Date:
    case FieldKind::Decimal: return "INTEGER";
    default: return "BLOB";
  }
}

std::string CreateTableSql(const FileDef& def) {
  std::string sql = "CREATE TABLE data(rid INTEGER PRIMARY KEY";
  for (const FieldDef& f : def.fields) sql += ", " + Quote(f.name) + " " + ColumnType(f.kind) + " NOT NULL";
  return sql + ")";
}

std::string CreateIndexSql(const FileDef& def, const KeyDef& key) {
  std::string sql = std::string(key.duplicates ? "CREATE INDEX " : "CREATE UNIQUE INDEX ") + IndexName(key) + " ON data(";
  for (std::size_t i = 0; i < key.components.size(); ++i) {
    const FieldDef& f = def.fields[*FindField(def, key.components[i].field)];
    sql += (i ? ", " : "") + Quote(f.name) + (key.components[i].descending ? " DESC" : " ASC");
  }
  return sql + ")";
}

// Opens a connection and applies the owner password. Returns SQLite's result.
int Connect(const std::string& path, bool writable, bool create, const std::string& owner, int busyMs, sqlite3** out) {
  *out = nullptr;
  const int flags = (writable ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY) | (create ? SQLITE_OPEN_CREATE : 0) |
                    SQLITE_OPEN_NOMUTEX;
  int rc = sqlite3_open_v2(path.c_str(), out, flags, nullptr);
  if (rc == SQLITE_OK && !owner.empty()) rc = sqlite3_key(*out, owner.data(), static_cast<int>(owner.size()));
  if (rc == SQLITE_OK) {
    sqlite3_busy_timeout(*out, busyMs);
    sqlite3_extended_result_codes(*out, 1);
  }
  return rc;
}

void Disconnect(sqlite3*& db) {
  if (db) sqlite3_close_v2(db);
  db = nullptr;
}

// Checks that the file is a file of this declaration with sound keys. Returns 0, or the
// runtime error code; SQLite failures are reported through the error state (returns -1).
int Validate(sqlite3* db, const FileDef& def) {
  {
    Stmt s(db, "SELECT sig FROM layout");
    int rc = s.PrepareResult();
    if (rc != SQLITE_OK) {
      // A readable database without our tables (an empty or foreign file) is not this file.
      if ((rc & 0xFF) == SQLITE_ERROR) return ErrInvalidFile;
      ReportSqlite(db, rc);
      return -1;
    }
    rc = s.Step();
    if (rc != SQLITE_ROW) {
      if (rc == SQLITE_DONE) return ErrInvalidFile;
      ReportSqlite(db, rc);
      return -1;
    }
    const char* sig = reinterpret_cast<const char*>(sqlite3_column_text(s.get(), 0));
    if (!sig || LayoutSignature(def) != sig) return ErrInvalidFile;
  }
  for (const KeyDef& key : def.keys) {
    Stmt s(db, "SELECT sql FROM sqlite_master WHERE type='index' AND name=?1 AND tbl_name='data'");
    if (s.PrepareResult() != SQLITE_OK) {
      ReportSqlite(db, s.PrepareResult());
      return -1;
    }
    const std::string indexName = IndexName(key);
    sqlite3_bind_text(s.get(), 1, indexName.c_str(), -1, SQLITE_TRANSIENT);
    const int rc = s.Step();
    if (rc == SQLITE_DONE) return ErrKeyFileInvalid;
    if (rc != SQLITE_ROW) {
      ReportSqlite(db, rc);
      return -1;
    }
    const char* sql = reinterpret_cast<const char*>(sqlite3_column_text(s.get(), 0));
    if (!sql || CreateIndexSql(def, key) != sql) return ErrKeyFileInvalid;
  }
  // A full check finds index entries that disagree with the records. Problems confined to
  // indexes can be rebuilt; anything else means the file itself is damaged.
  Stmt check(db, "PRAGMA integrity_check");
  if (check.PrepareResult() != SQLITE_OK) {
    ReportSqlite(db, check.PrepareResult());
    return -1;
  }
  bool indexTrouble = false;
  for (;;) {
    const int rc = check.Step();
    if (rc == SQLITE_DONE) break;
    if (rc != SQLITE_ROW) {
      ReportSqlite(db, rc);
      return -1;
    }
    const char* line = reinterpret_cast<const char*>(sqlite3_column_text(check.get(), 0));
    const std::string text = line ? line : "";
    if (text == "ok") return 0;
    if (text.find("index key_") == std::string::npos) return ErrInvalidFile;
    indexTrouble = true;
  }
  return indexTrouble ? ErrKeyFileInvalid : 0;
}

bool SyncFolderOf(const std::string& path) {
  std::string folder = std::filesystem::path(path).parent_path().string();
  if (folder.empty()) folder = ".";
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool ok = ::fsync(fd) == 0;
  ::close(fd);
  return ok;
}

}  // namespace

struct KeyedFile::Impl {
  sqlite3* db = nullptr;
  FileLock lock;
  std::string path;
  int mode = 0;
  std::string columns;  // "rid", then every field, in declared order

  // Sequential position.
  int order = -2;  // -2 none, -1 file order, else key index
  bool unbounded = true;
  std::vector<Value> position;
  std::int64_t nextAfterRid = LLONG_MIN;
  std::int64_t previousBeforeRid = LLONG_MAX;
  std::int64_t currentRid = 0;  // 0: no record read or added
  bool transaction = false;     // between LOGOUT and COMMIT or ROLLBACK

  ~Impl() {
    if (transaction) Exec(db, "ROLLBACK");
    Disconnect(db);  // before the lock's descriptor can go
    lock.Release();
  }
};

KeyedFile::KeyedFile(FileDef def) : def_(std::move(def)), name_(def_.fileName), record_(def_) {}

KeyedFile::~KeyedFile() { Close(); }

bool KeyedFile::IsOpen() const { return impl_ != nullptr; }

int KeyedFile::WaitMs() const { return recoverSeconds_ * 1000; }

bool KeyedFile::DoOpen(int mode) {
  if (impl_) {
    SetError(ErrAlreadyOpen);
    return false;
  }
  if (const std::string problem = ValidateFileDef(def_); !problem.empty()) {
    SetFileError("declaration", problem);
    return false;
  }
  auto impl = std::make_unique<Impl>();
  impl->path = ResolveDataFile(name_);
  impl->mode = mode;
  const bool writes = ModeWrites(mode);
  if (int err = impl->lock.Acquire(impl->path, writes, ModeExclusive(mode), std::chrono::milliseconds(WaitMs()))) {
    SetError(err);
    return false;
  }
  const int busyMs = recoverSeconds_ > 0 ? WaitMs() : kDefaultBusyMs;
  if (int rc = Connect(impl->path, writes, false, def_.owner, busyMs, &impl->db); rc != SQLITE_OK) {
    ReportSqlite(impl->db, rc);
    return false;
  }
  if (int err = Validate(impl->db, def_); err != 0) {
    if (err > 0) SetError(err);
    return false;
  }
  // Every write is its own transaction and reaches the disk before ADD/PUT/DELETE return.
  Exec(impl->db, "PRAGMA synchronous=FULL");
  if (quickScan_) Exec(impl->db, "PRAGMA cache_size=-8192");
  impl->columns = "rid";
  for (const FieldDef& f : def_.fields) impl->columns += ", " + Quote(f.name);
  impl_ = std::move(impl);
  record_.Clear();
  ClearError();
  return true;
}

bool KeyedFile::DoCreate() {
  if (impl_) {
    SetError(ErrAlreadyOpen);
    return false;
  }
  if (const std::string problem = ValidateFileDef(def_); !problem.empty()) {
    SetFileError("declaration", problem);
    return false;
  }
  const std::string path = ResolveDataFile(name_);
  // An existing file is replaced only when nobody has it open.
  FileLock existing;
  if (::access(path.c_str(), F_OK) == 0) {
    if (int err = existing.Acquire(path, true, true, std::chrono::milliseconds(WaitMs()))) {
      SetError(err);
      return false;
    }
  }
  // Build the new file beside the old one and move it into place in one step, so that a
  // crash leaves either the old file or a complete new one.
  std::string temp = path + ".new-XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) {
    const int err = errno;
    SetError(err == ENOENT ? ErrPathNotFound : ErrorFromErrno(err));
    return false;
  }
  ::close(fd);
  sqlite3* db = nullptr;
  int rc = Connect(temp, true, true, def_.owner, kDefaultBusyMs, &db);
  if (rc == SQLITE_OK) rc = Exec(db, "PRAGMA synchronous=FULL");
  if (rc == SQLITE_OK) rc = Exec(db, "BEGIN");
  if (rc == SQLITE_OK) rc = Exec(db, CreateTableSql(def_));
  if (rc == SQLITE_OK) rc = Exec(db, "CREATE TABLE layout(sig TEXT NOT NULL)");
  if (rc == SQLITE_OK) {
    Stmt s(db, "INSERT INTO layout(sig) VALUES (?1)");
    rc = s.PrepareResult();
    if (rc == SQLITE_OK) {
      const std::string sig = LayoutSignature(def_);
      sqlite3_bind_text(s.get(), 1, sig.c_str(), -1, SQLITE_TRANSIENT);
      rc = s.Step() == SQLITE_DONE ? SQLITE_OK : sqlite3_errcode(db);
    }
  }
  for (const KeyDef& key : def_.keys)
    if (rc == SQLITE_OK) rc = Exec(db, CreateIndexSql(def_, key));
  if (rc == SQLITE_OK) rc = Exec(db, "COMMIT");
  if (rc != SQLITE_OK) {
    ReportSqlite(db, rc);
    Disconnect(db);
    ::unlink(temp.c_str());
    return false;
  }
  Disconnect(db);
  if (::rename(temp.c_str(), path.c_str()) != 0) {
    SetError(ErrorFromErrno(errno));
    ::unlink(temp.c_str());
    return false;
  }
  SyncFolderOf(path);
  if (existing.Held()) existing.ReleaseAndForget();
  ClearError();
  return true;
}

void KeyedFile::Close() { impl_.reset(); }

namespace {

void JournalFile(const std::string& operation, const std::string& name, const std::string& detail) {
  JournalLine("file " + operation + " " + JournalQuote(name) + detail + " -> " + std::to_string(ErrorCode()));
}

}  // namespace

bool KeyedFile::Open(int mode) {
  const bool ok = DoOpen(mode);
  JournalFile("open", name_, " " + std::to_string(mode));
  return ok;
}

bool KeyedFile::Create() {
  const bool ok = DoCreate();
  JournalFile("create", name_, "");
  return ok;
}

bool KeyedFile::Build() {
  const bool ok = DoBuild();
  JournalFile("build", name_, "");
  return ok;
}

std::string KeyedFile::Send(std::string_view option) {
  const auto eq = option.find('=');
  std::string name(option.substr(0, eq));
  for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  while (!name.empty() && name.back() == ' ') name.pop_back();
  std::string value = eq == std::string_view::npos ? "" : std::string(option.substr(eq + 1));
  while (!value.empty() && value.front() == ' ') value.erase(0, 1);
  ClearError();
  if (name == "RECOVER") {
    if (!value.empty()) {
      const long seconds = std::strtol(value.c_str(), nullptr, 10);
      recoverSeconds_ = static_cast<int>(std::clamp(seconds, 0L, 3600L));
      if (impl_) sqlite3_busy_timeout(impl_->db, recoverSeconds_ > 0 ? WaitMs() : kDefaultBusyMs);
    }
    return std::to_string(recoverSeconds_);
  }
  if (name == "QUICKSCAN") {
    if (!value.empty()) {
      for (char& c : value) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      quickScan_ = value == "on" || value == "1";
      if (impl_) Exec(impl_->db, quickScan_ ? "PRAGMA cache_size=-8192" : "PRAGMA cache_size=-2000");
    }
    return quickScan_ ? "on" : "off";
  }
  return "";
}

bool KeyedFile::DoBuild() {
  if (const std::string problem = ValidateFileDef(def_); !problem.empty()) {
    SetFileError("declaration", problem);
    return false;
  }
  const auto wait = std::chrono::milliseconds(WaitMs());
  const bool wasOpen = impl_ != nullptr;
  FileLock ownLock;
  sqlite3* db = nullptr;
  if (wasOpen) {
    if (!ModeWrites(impl_->mode)) {
      SetError(ErrAccessDenied);
      return false;
    }
    if (int err = impl_->lock.Change(true, wait)) {
      SetError(err);
      return false;
    }
    db = impl_->db;
  } else {
    const std::string path = ResolveDataFile(name_);
    if (int err = ownLock.Acquire(path, true, true, wait)) {
      SetError(err);
      return false;
    }
    if (int rc = Connect(path, true, false, def_.owner, kDefaultBusyMs, &db); rc != SQLITE_OK) {
      ReportSqlite(db, rc);
      Disconnect(db);
      return false;
    }
  }
  auto finish = [&](bool ok) {
    if (wasOpen) impl_->lock.Change(ModeExclusive(impl_->mode), std::chrono::milliseconds(0));
    else Disconnect(db);
    return ok;
  };
  // Only the keys are rebuilt: a file of another layout, or with damaged records, stays as it is.
  int err = Validate(db, def_);
  if (err < 0) return finish(false);
  if (err == ErrInvalidFile) {
    SetError(ErrInvalidFile);
    return finish(false);
  }
  int rc = Exec(db, "BEGIN IMMEDIATE");
  for (const KeyDef& key : def_.keys) {
    if (rc == SQLITE_OK) rc = Exec(db, "DROP INDEX IF EXISTS " + IndexName(key));
    if (rc == SQLITE_OK) rc = Exec(db, CreateIndexSql(def_, key));
  }
  if (rc == SQLITE_OK) rc = Exec(db, "COMMIT");
  if (rc != SQLITE_OK) {
    ReportSqlite(db, rc);
    Exec(db, "ROLLBACK");
    return finish(false);
  }
  ClearError();
  return finish(true);
}

bool KeyedFile::Lock() {
  if (!impl_) {
    SetError(ErrNotOpen);
    return false;
  }
  if (int err = impl_->lock.Change(true, std::chrono::milliseconds(WaitMs()))) {
    SetError(err);
    return false;
  }
  ClearError();
  return true;
}

void KeyedFile::Unlock() {
  if (impl_ && !ModeExclusive(impl_->mode)) impl_->lock.Change(false, std::chrono::milliseconds(0));
}

namespace {

Value FieldValue(const FileDef& def, const RecordBuffer& record, std::size_t index) {
  switch (def.fields[index].kind) {
    case FieldKind::Text: return std::string(record.RawField(index));
    case FieldKind::CString: {
      std::string_view raw = record.RawField(index);
      return std::string(raw.substr(0, raw.find('\0')));
    }
    default: return record.IntegerOf(index);
  }
}

void BindRecord(Stmt& s, const FileDef& def, RecordBuffer& record, int first) {
  for (std::size_t i = 0; i < def.fields.size(); ++i) {
    if (def.fields[i].kind == FieldKind::Blob) {
      const auto& blob = record.BlobAt(i);
      s.BindBytes(first + static_cast<int>(i), blob.data(), blob.size());
    } else {
      s.Bind(first + static_cast<int>(i), FieldValue(def, record, i));
    }
  }
}

void LoadRecord(sqlite3_stmt* s, const FileDef& def, RecordBuffer& record) {
  for (std::size_t i = 0; i < def.fields.size(); ++i) {
    const int col = static_cast<int>(i) + 1;
    const FieldKind kind = def.fields[i].kind;
    if (kind == FieldKind::Long || kind == FieldKind::Date || kind == FieldKind::Decimal) {
      record.SetIntegerOf(i, sqlite3_column_int64(s, col));
      continue;
    }
    const auto* data = static_cast<const char*>(sqlite3_column_blob(s, col));
    const auto size = static_cast<std::size_t>(sqlite3_column_bytes(s, col));
    if (kind == FieldKind::Blob) record.BlobAt(i).assign(data, data + size);
    else record.SetRawField(i, std::string_view(data ? data : "", data ? size : 0));
  }
}

}  // namespace

// The checks of every write: the file is open, opened for writing, and (for PUT and DELETE)
// positioned on a record.
bool KeyedFile::MayWrite(bool needsCurrentRecord) {
  if (!impl_) {
    SetError(ErrNotOpen);
    return false;
  }
  if (!ModeWrites(impl_->mode)) {
    SetError(ErrAccessDenied);
    return false;
  }
  if (needsCurrentRecord && impl_->currentRid == 0) {
    SetError(ErrNoMoreRecords);
    return false;
  }
  return true;
}

bool KeyedFile::Add() {
  if (!MayWrite(false)) return false;
  std::string sql = "INSERT INTO data(" + impl_->columns.substr(5) + ") VALUES (";
  for (std::size_t i = 0; i < def_.fields.size(); ++i) sql += (i ? ", ?" : "?") + std::to_string(i + 1);
  Stmt s(impl_->db, sql + ")");
  if (s.PrepareResult() != SQLITE_OK) {
    ReportSqlite(impl_->db, s.PrepareResult());
    return false;
  }
  BindRecord(s, def_, record_, 1);
  if (int rc = s.Step(); rc != SQLITE_DONE) {
    ReportSqlite(impl_->db, sqlite3_extended_errcode(impl_->db));
    return false;
  }
  impl_->currentRid = sqlite3_last_insert_rowid(impl_->db);
  ClearError();
  return true;
}

bool KeyedFile::Put() {
  if (!MayWrite(true)) return false;
  std::string sql = "UPDATE data SET ";
  for (std::size_t i = 0; i < def_.fields.size(); ++i)
    sql += (i ? ", " : "") + Quote(def_.fields[i].name) + " = ?" + std::to_string(i + 2);
  Stmt s(impl_->db, sql + " WHERE rid = ?1");
  if (s.PrepareResult() != SQLITE_OK) {
    ReportSqlite(impl_->db, s.PrepareResult());
    return false;
  }
  s.Bind(1, Value(impl_->currentRid));
  BindRecord(s, def_, record_, 2);
  if (int rc = s.Step(); rc != SQLITE_DONE) {
    ReportSqlite(impl_->db, sqlite3_extended_errcode(impl_->db));
    return false;
  }
  if (sqlite3_changes(impl_->db) == 0) {  // another opener deleted it meanwhile
    SetError(ErrNoMoreRecords);
    return false;
  }
  ClearError();
  return true;
}

bool KeyedFile::Delete() {
  if (!MayWrite(true)) return false;
  Stmt s(impl_->db, "DELETE FROM data WHERE rid = ?1");
  s.Bind(1, Value(impl_->currentRid));
  if (int rc = s.Step(); rc != SQLITE_DONE) {
    ReportSqlite(impl_->db, sqlite3_extended_errcode(impl_->db));
    return false;
  }
  const bool gone = sqlite3_changes(impl_->db) == 0;
  impl_->currentRid = 0;
  if (gone) {
    SetError(ErrNoMoreRecords);
    return false;
  }
  ClearError();
  return true;
}

bool KeyedFile::Logout() {
  if (!MayWrite(false)) return false;
  if (impl_->transaction) {
    SetFileError("logout", "a transaction is already active");
    return false;
  }
  // IMMEDIATE takes the write lock now, so that no write inside can fail on another opener.
  if (int rc = Exec(impl_->db, "BEGIN IMMEDIATE"); rc != SQLITE_OK) {
    ReportSqlite(impl_->db, rc);
    return false;
  }
  impl_->transaction = true;
  ClearError();
  return true;
}

bool KeyedFile::Commit() {
  if (!impl_ || !impl_->transaction) {
    SetFileError("commit", "no transaction is active");
    return false;
  }
  if (int rc = Exec(impl_->db, "COMMIT"); rc != SQLITE_OK) {
    ReportSqlite(impl_->db, rc);
    Rollback();
    return false;
  }
  impl_->transaction = false;
  ClearError();
  return true;
}

void KeyedFile::Rollback() {
  if (!impl_ || !impl_->transaction) return;
  Exec(impl_->db, "ROLLBACK");
  impl_->transaction = false;
  impl_->currentRid = 0;
}

bool KeyedFile::InTransaction() const { return impl_ && impl_->transaction; }

bool KeyedFile::Get(std::string_view keyName) {
  if (!impl_) {
    SetError(ErrNotOpen);
    return false;
  }
  const auto key = FindKey(def_, keyName);
  if (!key) {
    SetFileError("key", "no key named " + std::string(keyName));
    return false;
  }
  const KeyDef& k = def_.keys[*key];
  std::string sql = "SELECT " + impl_->columns + " FROM data WHERE ";
  for (std::size_t i = 0; i < k.components.size(); ++i)
    sql += (i ? " AND " : "") + Quote(def_.fields[*FindField(def_, k.components[i].field)].name) + " = ?" +
           std::to_string(i + 1);
  Stmt s(impl_->db, sql + " ORDER BY rid LIMIT 1");
  if (s.PrepareResult() != SQLITE_OK) {
    ReportSqlite(impl_->db, s.PrepareResult());
    return false;
  }
  for (std::size_t i = 0; i < k.components.size(); ++i)
    s.Bind(static_cast<int>(i) + 1, FieldValue(def_, record_, *FindField(def_, k.components[i].field)));
  const int rc = s.Step();
  if (rc == SQLITE_DONE) {
    SetError(ErrRecordNotFound);
    return false;
  }
  if (rc != SQLITE_ROW) {
    ReportSqlite(impl_->db, sqlite3_extended_errcode(impl_->db));
    return false;
  }
  LoadRecord(s.get(), def_, record_);
  impl_->currentRid = sqlite3_column_int64(s.get(), 0);
  ClearError();
  return true;
}

bool KeyedFile::Set() {
  if (!impl_) {
    SetError(ErrNotOpen);
    return false;
  }
  impl_->order = -1;
  impl_->unbounded = true;
  ClearError();
  return true;
}

bool KeyedFile::Set(std::string_view keyName) {
  if (!impl_) {
    SetError(ErrNotOpen);
    return false;
  }
  const auto key = FindKey(def_, keyName);
  if (!key) {
    SetFileError("key", "no key named " + std::string(keyName));
    return false;
  }
  impl_->order = static_cast<int>(*key);
  impl_->unbounded = true;
  ClearError();
  return true;
}

bool KeyedFile::SetFrom(std::string_view keyName) {
  if (!Set(keyName)) return false;
  const KeyDef& k = def_.keys[impl_->order];
  impl_->position.clear();
  for (const KeyComponent& c : k.components)
    impl_->position.push_back(FieldValue(def_, record_, *FindField(def_, c.field)));
  impl_->unbounded = false;
  impl_->nextAfterRid = LLONG_MIN;
  impl_->previousBeforeRid = LLONG_MAX;
  return true;
}

bool KeyedFile::Next() { return Step(true); }
bool KeyedFile::Previous() { return Step(false); }

bool KeyedFile::Step(bool forward) {
  if (!impl_) {
    SetError(ErrNotOpen);
    return false;
  }
  if (impl_->order == -2) {
    SetError(ErrNoMoreRecords);
    return false;
  }
  // Columns of the order, each with its direction as read (reading backwards flips them).
  std::vector<std::pair<std::string, bool>> order;  // column, descending
  if (impl_->order >= 0) {
    for (const KeyComponent& c : def_.keys[impl_->order].components)
      order.emplace_back(Quote(def_.fields[*FindField(def_, c.field)].name), c.descending != !forward);
  }
  const bool ridDescending = !forward;
  std::string where;
  if (!impl_->unbounded) {
    // Strictly after the position: (c1, c2, ..., rid) compared column by column.
    std::string equalSoFar;
    for (std::size_t i = 0; i <= order.size(); ++i) {
      const bool isRid = i == order.size();
      const std::string column = isRid ? "rid" : order[i].first;
      const bool descending = isRid ? ridDescending : order[i].second;
      const std::string param = isRid ? "?" + std::to_string(order.size() + 1) : "?" + std::to_string(i + 1);
      where += (i ? " OR (" : "(") + equalSoFar + column + (descending ? " < " : " > ") + param + ")";
      equalSoFar += column + " = " + param + " AND ";
    }
  }
  std::string orderBy;
  for (const auto& [column, descending] : order) orderBy += column + (descending ? " DESC, " : " ASC, ");
  orderBy += ridDescending ? "rid DESC" : "rid ASC";
  Stmt s(impl_->db, "SELECT " + impl_->columns + " FROM data" + (where.empty() ? "" : " WHERE " + where) +
                        " ORDER BY " + orderBy + " LIMIT 1");
  if (s.PrepareResult() != SQLITE_OK) {
    ReportSqlite(impl_->db, s.PrepareResult());
    return false;
  }
  if (!impl_->unbounded) {
    for (std::size_t i = 0; i < order.size(); ++i) s.Bind(static_cast<int>(i) + 1, impl_->position[i]);
    s.Bind(static_cast<int>(order.size()) + 1, Value(forward ? impl_->nextAfterRid : impl_->previousBeforeRid));
  }
  const int rc = s.Step();
  if (rc == SQLITE_DONE) {
    SetError(ErrNoMoreRecords);
    return false;
  }
  if (rc != SQLITE_ROW) {
    ReportSqlite(impl_->db, sqlite3_extended_errcode(impl_->db));
    return false;
  }
  LoadRecord(s.get(), def_, record_);
  const std::int64_t rid = sqlite3_column_int64(s.get(), 0);
  impl_->currentRid = rid;
  impl_->unbounded = false;
  impl_->position.clear();
  if (impl_->order >= 0)
    for (const KeyComponent& c : def_.keys[impl_->order].components)
      impl_->position.push_back(FieldValue(def_, record_, *FindField(def_, c.field)));
  impl_->nextAfterRid = rid;
  impl_->previousBeforeRid = rid;
  ClearError();
  return true;
}

long KeyedFile::Records() {
  if (!impl_) {
    SetError(ErrNotOpen);
    return -1;
  }
  Stmt s(impl_->db, "SELECT count(*) FROM data");
  if (s.PrepareResult() != SQLITE_OK || s.Step() != SQLITE_ROW) {
    ReportSqlite(impl_->db, sqlite3_extended_errcode(impl_->db));
    return -1;
  }
  ClearError();
  return static_cast<long>(sqlite3_column_int64(s.get(), 0));
}

bool KeyedFile::Exists(const std::string& name) {
  struct stat st{};
  return ::stat(ResolveDataFile(name).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool KeyedFile::Remove(const std::string& name) {
  struct Journalled {
    const std::string& name;
    ~Journalled() { JournalLine("file remove " + JournalQuote(name) + " -> " + std::to_string(ErrorCode())); }
  } journalled{name};
  const std::string path = ResolveDataFile(name);
  FileLock lock;
  if (int err = lock.Acquire(path, true, true, std::chrono::milliseconds(0))) {
    SetError(err);
    return false;
  }
  if (::unlink(path.c_str()) != 0) {
    SetError(ErrorFromErrno(errno));
    return false;
  }
  ::unlink((path + "-journal").c_str());  // a journal left by a crash belongs to the old file
  lock.ReleaseAndForget();
  ClearError();
  return true;
}

}  // namespace wdrt
