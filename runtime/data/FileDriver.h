// What the keyed, binary and text file drivers share: open-mode values, finding a data file
// whatever the case of its name, and the whole-file lock that carries the share modes
// between processes. Any thread; a FileLock belongs to the file object that holds it.
#pragma once

#include <chrono>
#include <string>

namespace wdrt {

// OPEN modes: access in the low nibble, sharing in the high nibble.
enum OpenMode : int {
  AccessRead = 0x00,
  AccessWrite = 0x01,
  AccessReadWrite = 0x02,
  ShareCompat = 0x00,  // as deny-all
  ShareDenyAll = 0x10,
  ShareDenyWrite = 0x20,
  ShareDenyRead = 0x30,
  ShareDenyNone = 0x40,
  kModeSharedReadWrite = 0x42,  // 66
  kModeDefault = 0x22,          // read-write, others may only read
};

bool ModeWrites(int mode);
// Deny-all and compatibility modes keep every other opener out.
bool ModeExclusive(int mode);

// The path of an existing data file: the name as given, else the same name in another case.
// Returns the name unchanged when nothing matches (for CREATE or a "not found" error).
std::string ResolveDataFile(const std::string& name);

// Maps an errno value of open() to the runtime's error code (2, 3, 5, or 90).
int ErrorFromErrno(int err);

// For the binary and text drivers: opens `path` with the access of `mode` and takes the share
// mode's flock on that descriptor, retrying until `wait` has passed. `create` makes a missing
// file and empties an existing one (which must then be held by nobody); `append` makes every
// write go to the end. Returns 0 and sets `fd`, or returns the runtime error code.
int OpenPlainFile(const std::string& path, int mode, bool create, std::chrono::milliseconds wait, int& fd,
                  bool append = false);

// CREATE for the binary and text drivers: makes `name` empty (held by nobody else) and closes
// it again. Returns 0 or the runtime error code.
int CreatePlainFile(const std::string& name, std::chrono::milliseconds wait);

// A whole-file lock between processes (flock), which carries the share modes: shared for
// files opened with a sharing mode, exclusive for deny-all opens, LOCK and rebuilds. Inside
// one process the holders of a file share one descriptor and are counted, because closing
// any descriptor of a file would drop the byte locks SQLite holds on it. Released when the
// object goes or the process dies.
class FileLock {
 public:
  FileLock() = default;
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  // Takes the lock on the existing file `path`, retrying until `wait` has passed. Result: 0,
  // or the runtime error code (2 not found, 5 access denied, 32 locked by someone else).
  int Acquire(const std::string& path, bool writable, bool exclusive, std::chrono::milliseconds wait);
  // Changes a held lock between shared and exclusive; 0 or 32 (the old lock is kept then).
  int Change(bool exclusive, std::chrono::milliseconds wait);
  void Release();
  bool Held() const { return held_; }
  bool Exclusive() const { return exclusive_; }

  // For REMOVE, after the file was unlinked: releases and closes the process's descriptor
  // when nobody else here holds the file.
  void ReleaseAndForget();

 private:
  bool held_ = false;
  bool exclusive_ = false;
  unsigned long long dev_ = 0;
  unsigned long long ino_ = 0;
};

}  // namespace wdrt
