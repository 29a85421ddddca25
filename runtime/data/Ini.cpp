#include "runtime/data/Ini.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <mutex>
#include <sstream>

#include "runtime/core/Journal.h"
#include "runtime/data/IniFile.h"
#include "runtime/os/Paths.h"

namespace fs = std::filesystem;

namespace wdrt {
namespace {

// One mutex per INI file, so that read-change-write cycles on one file never interleave
// (two threads writing at once both keep their value) while other files go on.
std::mutex& FileMutex(const std::string& path) {
  static std::mutex mapMutex;
  static auto* mutexes = new std::map<std::string, std::unique_ptr<std::mutex>>;
  std::lock_guard lock(mapMutex);
  auto& slot = (*mutexes)[path];
  if (!slot) slot = std::make_unique<std::mutex>();
  return *slot;
}

// The file that a name stands for: bare names live in the configuration folder, and an
// existing file is found whatever the case of its name, as Windows would.
std::string ResolveIniPath(const std::string& file) {
  std::string path = ResolveConfigFile(file);
  std::error_code ec;
  if (!fs::exists(path, ec)) {
    if (auto found = FindFileAnyCase(path)) path = *found;
  }
  return path;
}

std::string ReadWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

bool WriteAll(int fd, const std::string& data) {
  std::size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// A writer killed between creating its temporary file and renaming it leaves the temporary
// behind; the next write removes those that are clearly abandoned (old enough that no live
// writer can still be filling them).
void RemoveStaleTemporaries(const fs::path& folder, const std::string& fileName) {
  const std::string prefix = "." + fileName + ".";
  const auto cutoff = fs::file_time_type::clock::now() - std::chrono::minutes(10);
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.size() != prefix.size() + 6 || !name.starts_with(prefix)) continue;
    std::error_code timeError;
    const auto written = fs::last_write_time(it->path(), timeError);
    if (!timeError && written < cutoff) fs::remove(it->path(), timeError);
  }
}

// Writes `data` to a new file beside `path`, flushes it to disk and renames it over `path`,
// so that at any moment `path` holds either the old or the new text in full.
bool ReplaceFile(const std::string& path, const std::string& data) {
  std::error_code ec;
  fs::path target(path);
  if (fs::is_symlink(target, ec)) {
    fs::path real = fs::canonical(target, ec);
    if (!ec) target = real;
  }
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  std::string temp = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return false;

  mode_t mode = 0644;
  struct stat old {};
  if (::stat(target.c_str(), &old) == 0) {
    mode = old.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  bool ok = ::fchmod(fd, mode) == 0 && WriteAll(fd, data) && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  if (ok) ok = ::rename(temp.c_str(), target.c_str()) == 0;
  if (!ok) {
    ::unlink(temp.c_str());
    return false;
  }
  RemoveStaleTemporaries(folder, target.filename().string());
  // Make the rename itself durable.
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return true;
}

}  // namespace

std::string GetIni(const std::string& section, const std::string& key,
                   const std::string& defaultValue, const std::string& file) {
  if (file.empty()) return defaultValue;
  const std::string path = ResolveIniPath(file);
  const IniDocument doc = IniDocument::Parse(ReadWhole(path));
  return doc.Get(section, key).value_or(defaultValue);
}

bool PutIni(const std::string& section, const std::string& key, const std::string& value,
            const std::string& file) {
  JournalLine("ini-write " + JournalQuote(file) + " [" + section + "] " + key);
  if (file.empty() || !IniDocument::ValidSection(section) || !IniDocument::ValidKey(key)) return false;
  const std::string path = ResolveIniPath(file);
  std::error_code ec;
  const fs::path absolute = fs::absolute(path, ec).lexically_normal();
  std::lock_guard lock(FileMutex(ec ? path : absolute.string()));
  IniDocument doc = IniDocument::Parse(ReadWhole(path));
  if (!doc.Set(section, key, value)) return false;
  return ReplaceFile(path, doc.Serialize());
}

}  // namespace wdrt
