#include "runtime/os/PrivateFolder.h"

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace wdrt {
namespace {

// True when `path` is (or has just been made) a real folder of ours with mode 0700.
bool EnsureOwnFolder(const std::string& path) {
  ::mkdir(path.c_str(), 0700);
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) return false;
  if (!S_ISDIR(st.st_mode) || st.st_uid != ::getuid()) return false;
  if ((st.st_mode & 0777) != 0700 && ::chmod(path.c_str(), 0700) != 0) return false;
  return true;
}

}  // namespace

unsigned long long RandomBits() {
  unsigned long long value = 0;
  if (::getrandom(&value, sizeof value, 0) != static_cast<ssize_t>(sizeof value)) {
    // The kernel always has entropy after boot; this is only a guard against a failed call.
    static std::mutex mutex;
    std::lock_guard lock(mutex);
    value = (static_cast<unsigned long long>(std::rand()) << 32) ^ static_cast<unsigned long long>(::getpid()) ^
            static_cast<unsigned long long>(std::rand());
  }
  return value;
}

std::string PrivateTempFolder() {
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime) {
    const std::string folder = std::string(runtime) + "/storyloom";
    if (EnsureOwnFolder(folder)) return folder;
  }
  const std::string folder = "/tmp/storyloom-" + std::to_string(::getuid());
  return EnsureOwnFolder(folder) ? folder : std::string();
}

bool CreateFileExclusively(const std::string& name) {
  const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

std::optional<std::string> CreatePrivateFile(const std::string& folder, const std::string& prefix,
                                             const std::string& suffix) {
  if (folder.empty()) return std::nullopt;
  for (int attempt = 0; attempt < 16; ++attempt) {
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", RandomBits());
    std::string name = folder + "/" + prefix + hex + suffix;
    if (CreateFileExclusively(name)) return name;
  }
  return std::nullopt;
}

}  // namespace wdrt
