// The keyed-record file driver: a file is one SQLCipher database, encrypted with the owner
// password, holding one table of the declared record and one index per declared key.
// Operations set the calling thread's error state (ErrorState.h) and return true on success;
// OPEN, CREATE, BUILD and REMOVE are journalled with their error code.
// A KeyedFile object is used by one thread at a time (it is the program's file buffer).
#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <string_view>

#include "runtime/data/FileDef.h"
#include "runtime/data/FileDriver.h"
#include "runtime/data/RecordBuffer.h"

namespace wdrt {

class KeyedFile {
 public:
  explicit KeyedFile(FileDef def);
  ~KeyedFile();
  KeyedFile(const KeyedFile&) = delete;
  KeyedFile& operator=(const KeyedFile&) = delete;

  const FileDef& Def() const { return def_; }
  RecordBuffer& Record() { return record_; }
  const RecordBuffer& Record() const { return record_; }

  // NAME: the file's name as declared (or as set); SetName takes effect at the next OPEN.
  std::string Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }

  // OPEN: errors 2, 5, 32 (locked by another opener), 46 (a key must be rebuilt),
  // 47 (not a file of this declaration, or the wrong owner password), 52 (already open).
  bool Open(int mode = kModeDefault);
  // CREATE: a new empty file, replacing an existing one that nobody holds. Leaves it closed.
  bool Create();
  void Close();
  bool IsOpen() const;

  // SEND: "Recover=<seconds>" waits that long for locks to clear (in OPEN, BUILD, LOCK and
  // writes); "QUICKSCAN=on|off" tunes sequential reading. Returns the option's value.
  std::string Send(std::string_view option);

  // BUILD: recreates every key of the closed file (or of a file this object opened alone).
  bool Build();
  // LOCK/UNLOCK: keeps every other opener out while held (they get error 32).
  bool Lock();
  void Unlock();

  // ADD (40 on a duplicate unique key), PUT and DELETE of the record last read or added
  // (33 when there is none). Each write is durable when it returns.
  bool Add();
  bool Put();
  bool Delete();

  // LOGOUT, COMMIT and ROLLBACK: the writes made between LOGOUT and COMMIT reach the file
  // together; after ROLLBACK, or a Close without COMMIT, none of them does. Other openers'
  // writes wait meanwhile.
  bool Logout();
  bool Commit();
  void Rollback();
  bool InTransaction() const;

  // GET by key: the record whose key equals the buffer's key fields (35 when none).
  bool Get(std::string_view key);

  // SET: file order from the start; SET(key): key order from either end; SetFrom(key): key
  // order from the buffer's key value (NEXT gives the first record at or after it, PREVIOUS
  // the last one at or before it). NEXT and PREVIOUS give 33 past the end.
  bool Set();
  bool Set(std::string_view key);
  bool SetFrom(std::string_view key);
  bool Next();
  bool Previous();

  // RECORDS: the number of records, or -1 on error.
  long Records();

  // EXISTS and REMOVE by file name (REMOVE: 32 while anybody has the file open).
  static bool Exists(const std::string& name);
  static bool Remove(const std::string& name);

 private:
  bool MayWrite(bool needsCurrentRecord);
  struct Impl;
  bool DoOpen(int mode);
  bool DoCreate();
  bool DoBuild();
  bool Step(bool forward);
  int WaitMs() const;

  FileDef def_;
  std::string name_;
  RecordBuffer record_;
  std::unique_ptr<Impl> impl_;
  int recoverSeconds_ = 0;
  bool quickScan_ = false;
};

}  // namespace wdrt
