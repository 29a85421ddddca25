#include "runtime/os/Shell.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <thread>
#include <vector>

#include "runtime/core/Journal.h"
#include "runtime/os/DesktopDefaults.h"

extern char** environ;

namespace wdrt {
namespace {

// The scheme of an address ("https" of "https://..."), lower case; "" for a plain path.
// One-letter schemes are not taken, so that "C:..." stays a path.
std::string Scheme(const std::string& target) {
  const std::size_t colon = target.find(':');
  if (colon == std::string::npos || colon < 2 || !std::isalpha(static_cast<unsigned char>(target[0]))) return {};
  std::string scheme;
  for (std::size_t i = 0; i < colon; ++i) {
    const unsigned char c = static_cast<unsigned char>(target[i]);
    if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') return {};
    scheme += static_cast<char>(std::tolower(c));
  }
  return scheme;
}

// A file target as an absolute path (so that no argument starts with "-"); file: addresses
// lose their prefix.
std::string AbsolutePath(std::string target) {
  if (Scheme(target) == "file") target.erase(0, target.compare(0, 7, "file://") == 0 ? 7 : 5);
  std::error_code error;
  std::filesystem::path path = std::filesystem::absolute(target, error);
  return error ? target : path.lexically_normal().string();
}

// Checks a file target as the shell would before opening it.
long CheckFile(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    if (errno == EACCES) return ShellAccessDenied;
    if (errno == ENOMEM) return ShellOutOfMemory;
    const std::string parent = std::filesystem::path(path).parent_path().string();
    struct stat folder {};
    return ::stat(parent.c_str(), &folder) == 0 && S_ISDIR(folder.st_mode) ? ShellFileNotFound : ShellPathNotFound;
  }
  if (::access(path.c_str(), R_OK) != 0) return ShellAccessDenied;
  return ShellOpened;
}

long SpawnOpener(const std::string& opener, const std::string& target) {
  std::string program = opener;
  std::string argument = target;
  std::vector<char*> argv = {program.data(), argument.data(), nullptr};
  pid_t pid = 0;
  const int error = ::posix_spawnp(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ);
  if (error == ENOMEM || error == EAGAIN) return ShellOutOfMemory;
  if (error == EACCES) return ShellAccessDenied;
  if (error != 0) return ShellNoAssociation;  // no opener on this system
  // Reap the opener when it ends so that it leaves no zombie behind.
  std::thread([pid] {
    int status = 0;
    ::waitpid(pid, &status, 0);
  }).detach();
  return ShellOpened;
}

long Open(const std::string& file) {
  if (file.empty()) return ShellFileNotFound;
  const char* custom = std::getenv("WDRT_SHELL_OPEN");
  if (custom && *custom) return SpawnOpener(custom, file);
  std::string target = file;
  const std::string scheme = Scheme(file);
  if (scheme.empty()) {
    target = AbsolutePath(file);
    if (long checked = CheckFile(target); checked != ShellOpened) return checked;
  } else if (scheme == "file") {
    // A file address may carry an anchor ("#page2"); the file without it must exist.
    const std::size_t hash = file.find('#');
    const std::string path = AbsolutePath(file.substr(0, hash));
    if (long checked = CheckFile(path); checked != ShellOpened) return checked;
    target = "file://" + path + (hash == std::string::npos ? "" : file.substr(hash));
  }
  if (DefaultApplication(OpenTargetType(target)).empty()) return ShellNoAssociation;
  return SpawnOpener("xdg-open", target);
}

}  // namespace

std::string OpenTargetType(const std::string& target) {
  const std::string scheme = Scheme(target);
  if (!scheme.empty() && scheme != "file") return "x-scheme-handler/" + scheme;
  return FileMimeType(AbsolutePath(scheme == "file" ? target.substr(0, target.find('#')) : target));
}

long ShellExecuteA(long, const std::string&, const std::string& file, const std::string&, const std::string&, int) {
  const long result = Open(file);
  JournalLine("shell-open " + JournalQuote(file) + " -> " + (result > 32 ? "ok" : "failed"));
  return result;
}

}  // namespace wdrt
