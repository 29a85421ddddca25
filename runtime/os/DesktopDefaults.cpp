#include "runtime/os/DesktopDefaults.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <mutex>
#include <sstream>

#include "runtime/core/Journal.h"

extern char** environ;

namespace wdrt {
namespace {

std::string Trimmed(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
  std::size_t first = text.find_first_not_of(' ');
  return first == std::string::npos ? std::string() : text.substr(first);
}

std::string Env(const char* name, const std::string& fallback) {
  const char* value = std::getenv(name);
  return value && *value ? std::string(value) : fallback;
}

std::vector<std::string> ApplicationFolders() {
  std::vector<std::string> folders;
  folders.push_back(Env("XDG_DATA_HOME", Env("HOME", "") + "/.local/share") + "/applications");
  std::stringstream dirs(Env("XDG_DATA_DIRS", "/usr/local/share:/usr/share"));
  for (std::string dir; std::getline(dirs, dir, ':');)
    if (!dir.empty()) folders.push_back(dir + "/applications");
  return folders;
}

// The Exec value of the [Desktop Entry] group of one file; "" when there is none.
std::string ReadExec(const std::string& file) {
  std::ifstream in(file);
  bool inEntry = false;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line[0] == '[') {
      inEntry = line == "[Desktop Entry]";
      continue;
    }
    if (inEntry && line.rfind("Exec", 0) == 0) {
      std::size_t eq = line.find('=');
      if (eq != std::string::npos && Trimmed(line.substr(4, eq - 4)).empty()) return Trimmed(line.substr(eq + 1));
    }
  }
  return {};
}

}  // namespace

std::optional<std::string> CaptureOutput(const std::vector<std::string>& argv) {
  if (argv.empty()) return std::nullopt;
  std::string line = "helper";
  for (const std::string& word : argv) line += " " + JournalQuote(word);
  JournalLine(line);
  int pipeFds[2];
  if (::pipe2(pipeFds, O_CLOEXEC) != 0) return std::nullopt;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  std::vector<std::string> words = argv;
  std::vector<char*> args;
  for (auto& w : words) args.push_back(w.data());
  args.push_back(nullptr);
  pid_t pid = 0;
  const int spawned = ::posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(pipeFds[1]);
  std::string output;
  if (spawned == 0) {
    char buffer[4096];
    for (;;) {
      const ssize_t n = ::read(pipeFds[0], buffer, sizeof buffer);
      if (n > 0) output.append(buffer, static_cast<std::size_t>(n));
      else if (n == 0 || errno != EINTR) break;
    }
  }
  ::close(pipeFds[0]);
  if (spawned != 0) return std::nullopt;
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {}
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
  return output;
}

std::string DefaultApplication(const std::string& mimeType) {
  if (mimeType.empty()) return {};
  // The lookup starts a shell script and a dozen processes of its own: its answer is kept for
  // the program's life, for the desktop the environment names.
  static std::mutex mutex;
  static std::map<std::string, std::string> known;
  std::string key = mimeType;
  for (const char* name : {"XDG_CONFIG_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_HOME", "XDG_DATA_DIRS", "HOME", "DISPLAY",
                           "XDG_CURRENT_DESKTOP", "PATH"}) {
    const char* value = std::getenv(name);
    key += '\n';
    key += value ? value : "";
  }
  {
    std::lock_guard lock(mutex);
    if (auto it = known.find(key); it != known.end()) return it->second;
  }
  std::string id;
  if (auto out = CaptureOutput({"xdg-mime", "query", "default", mimeType})) {
    id = Trimmed(*out);
    // Only a plain desktop file id is acceptable; anything else is not a registration.
    if (id.find('/') != std::string::npos || id.size() < 9 || id.substr(id.size() - 8) != ".desktop") id.clear();
  }
  std::lock_guard lock(mutex);
  known[key] = id;
  return id;
}

std::string DesktopExecLine(const std::string& desktopId) {
  if (desktopId.empty()) return {};
  std::string nested = desktopId;
  if (auto dash = nested.find('-'); dash != std::string::npos) nested[dash] = '/';
  for (const std::string& folder : ApplicationFolders()) {
    for (const std::string& name : {desktopId, nested}) {
      std::ifstream probe(folder + "/" + name);
      if (!probe) continue;
      std::string exec = ReadExec(folder + "/" + name);
      if (!exec.empty()) return exec;
    }
  }
  return {};
}

std::string ExecLineAsCommand(const std::string& exec) {
  std::string command;
  for (std::size_t i = 0; i < exec.size(); ++i) {
    if (exec[i] != '%' || i + 1 >= exec.size()) {
      command += exec[i];
      continue;
    }
    const char code = exec[++i];
    if (code == 'u' || code == 'U' || code == 'f' || code == 'F') command += "%1";
    else if (code == '%') command += '%';
    // %i, %c, %k and the deprecated codes add nothing here.
  }
  return Trimmed(command);
}

std::string OpenCommand(const std::string& mimeType) {
  return ExecLineAsCommand(DesktopExecLine(DefaultApplication(mimeType)));
}

std::vector<std::string> SplitCommandLine(const std::string& command) {
  std::vector<std::string> words;
  std::string word;
  bool quoted = false, any = false;
  for (std::size_t i = 0; i < command.size(); ++i) {
    const char c = command[i];
    if (quoted && c == '\\' && i + 1 < command.size()) {
      word += command[++i];
      continue;
    }
    if (c == '"') {
      quoted = !quoted;
      any = true;
      continue;
    }
    if (!quoted && (c == ' ' || c == '\t')) {
      if (any) words.push_back(word);
      word.clear();
      any = false;
      continue;
    }
    word += c;
    any = true;
  }
  if (any) words.push_back(word);
  return words;
}

std::string FileMimeType(const std::string& path) {
  auto out = CaptureOutput({"xdg-mime", "query", "filetype", path});
  return out ? Trimmed(*out) : std::string();
}

}  // namespace wdrt
