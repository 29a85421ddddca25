#include "runtime/data/FileDriver.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <sys/stat.h>

#include <cerrno>
#include <map>
#include <mutex>
#include <thread>

#include "runtime/data/ErrorState.h"
#include "runtime/os/Paths.h"

namespace wdrt {

bool ModeWrites(int mode) { return (mode & 0x0F) != AccessRead; }

bool ModeExclusive(int mode) {
  const int share = mode & 0xF0;
  return share == ShareCompat || share == ShareDenyAll;
}

std::string ResolveDataFile(const std::string& name) {
  if (auto found = FindFileAnyCase(name)) return *found;
  return name;
}

int ErrorFromErrno(int err) {
  switch (err) {
    case ENOENT: return ErrNotFound;
    case ENOTDIR: return ErrPathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return ErrAccessDenied;
    case EMFILE:
    case ENFILE: return 4;
    default: return ErrDriver;
  }
}

namespace {

// One descriptor per file (device, inode) for the whole process, with the holders counted.
// The descriptor stays open while the file exists (unlocked when nobody holds it): closing
// it would release the process's POSIX byte locks on the file, which SQLite relies on.
struct LockEntry {
  int fd = -1;
  int shared = 0;
  int exclusive = 0;
};

std::mutex gLockMutex;
std::map<std::pair<unsigned long long, unsigned long long>, LockEntry> gLocks;

// One attempt, under gLockMutex: 0, or 32 when another holder (here or elsewhere) conflicts.
int TryLock(LockEntry& e, bool exclusive) {
  if (exclusive) {
    if (e.shared + e.exclusive > 0) return ErrLocked;
    if (::flock(e.fd, LOCK_EX | LOCK_NB) != 0) return ErrLocked;
    e.exclusive = 1;
    return 0;
  }
  if (e.exclusive > 0) return ErrLocked;
  if (e.shared == 0 && ::flock(e.fd, LOCK_SH | LOCK_NB) != 0) return ErrLocked;
  ++e.shared;
  return 0;
}

void Unlock(LockEntry& e, bool exclusive) {
  if (exclusive) e.exclusive = 0;
  else if (e.shared > 0) --e.shared;
  if (e.shared + e.exclusive == 0) ::flock(e.fd, LOCK_UN);
}

// Retries `attempt` (which returns 0 or an error) every 50 ms until `wait` has passed, so a
// waiting thread never blocks forever on a lock that another process keeps.
template <typename Attempt>
int RetryWithin(std::chrono::milliseconds wait, Attempt attempt) {
  const auto deadline = std::chrono::steady_clock::now() + wait;
  for (;;) {
    const int result = attempt();
    if (result != ErrLocked || std::chrono::steady_clock::now() >= deadline) return result;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

}  // namespace

int CreatePlainFile(const std::string& name, std::chrono::milliseconds wait) {
  int fd = -1;
  if (int err = OpenPlainFile(ResolveDataFile(name), AccessReadWrite | ShareDenyAll, true, wait, fd)) return err;
  ::close(fd);
  return 0;
}

int OpenPlainFile(const std::string& path, int mode, bool create, std::chrono::milliseconds wait, int& fd,
                  bool append) {
  fd = -1;
  int flags = O_CLOEXEC;
  switch (mode & 0x0F) {
    case AccessRead: flags |= O_RDONLY; break;
    case AccessWrite: flags |= O_WRONLY; break;
    default: flags |= O_RDWR; break;
  }
  if (create) flags = O_CLOEXEC | O_RDWR | O_CREAT;
  if (append && !create) flags |= O_APPEND;
  const int opened = ::open(path.c_str(), flags, 0644);
  if (opened < 0) return ErrorFromErrno(errno);
  struct stat st{};
  if (::fstat(opened, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(opened);
    return ErrAccessDenied;
  }
  const int operation = (create || ModeExclusive(mode)) ? LOCK_EX : LOCK_SH;
  const int result = RetryWithin(wait, [&]() -> int { return ::flock(opened, operation | LOCK_NB) == 0 ? 0 : ErrLocked; });
  if (result != 0) {
    ::close(opened);
    return result;
  }
  if (create && ::ftruncate(opened, 0) != 0) {
    const int err = ErrorFromErrno(errno);
    ::close(opened);
    return err;
  }
  fd = opened;
  return 0;
}

FileLock::~FileLock() { Release(); }

int FileLock::Acquire(const std::string& path, bool writable, bool exclusive, std::chrono::milliseconds wait) {
  Release();
  struct stat st{};
  if (::stat(path.c_str(), &st) != 0) return ErrorFromErrno(errno);
  if (!S_ISREG(st.st_mode)) return ErrAccessDenied;
  if (::access(path.c_str(), writable ? (R_OK | W_OK) : R_OK) != 0) return ErrorFromErrno(errno);
  const auto key = std::make_pair(static_cast<unsigned long long>(st.st_dev),
                                  static_cast<unsigned long long>(st.st_ino));
  const int result = RetryWithin(wait, [&]() -> int {
    std::lock_guard lock(gLockMutex);
    LockEntry& e = gLocks[key];
    if (e.fd < 0) {
      e.fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
      if (e.fd < 0) {
        const int err = ErrorFromErrno(errno);
        gLocks.erase(key);
        return err;
      }
    }
    return TryLock(e, exclusive);
  });
  if (result != 0) return result;
  held_ = true;
  exclusive_ = exclusive;
  dev_ = key.first;
  ino_ = key.second;
  return 0;
}

int FileLock::Change(bool exclusive, std::chrono::milliseconds wait) {
  if (!held_) return ErrNotOpen;
  if (exclusive == exclusive_) return 0;
  const auto key = std::make_pair(dev_, ino_);
  const int result = RetryWithin(wait, [&]() -> int {
    std::lock_guard lock(gLockMutex);
    LockEntry& e = gLocks[key];
    if (exclusive) {
      if (e.shared != 1 || e.exclusive != 0) return ErrLocked;
      // Converting a flock is not atomic; on failure take the shared lock back.
      if (::flock(e.fd, LOCK_EX | LOCK_NB) != 0) {
        ::flock(e.fd, LOCK_SH | LOCK_NB);
        return ErrLocked;
      }
      e.shared = 0;
      e.exclusive = 1;
    } else {
      ::flock(e.fd, LOCK_SH);  // downgrading never waits for others
      e.exclusive = 0;
      e.shared = 1;
    }
    return 0;
  });
  if (result == 0) exclusive_ = exclusive;
  return result;
}

void FileLock::Release() {
  if (!held_) return;
  std::lock_guard lock(gLockMutex);
  auto it = gLocks.find(std::make_pair(dev_, ino_));
  if (it != gLocks.end()) Unlock(it->second, exclusive_);
  held_ = false;
  exclusive_ = false;
}

void FileLock::ReleaseAndForget() {
  if (!held_) return;
  const auto key = std::make_pair(dev_, ino_);
  Release();
  std::lock_guard lock(gLockMutex);
  auto it = gLocks.find(key);
  if (it == gLocks.end() || it->second.shared + it->second.exclusive > 0) return;
  ::close(it->second.fd);
  gLocks.erase(it);
}

}  // namespace wdrt
