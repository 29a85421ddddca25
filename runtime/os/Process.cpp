#include "runtime/os/Process.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

#include "runtime/core/Journal.h"
#include "runtime/core/Threads.h"
#include "runtime/core/ViewPort.h"
#include "runtime/os/Paths.h"

extern char** environ;

namespace wdrt {
namespace {

std::mutex processMutex;
std::function<void(int, const std::string&)> haltHandler;
std::vector<std::string> arguments;

std::vector<std::string> SplitCommand(const std::string& command) {
  std::vector<std::string> words;
  std::string word;
  bool quoted = false, any = false;
  for (char c : command) {
    if (c == '"') { quoted = !quoted; any = true; continue; }
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

bool IsExecutable(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

// Finds a program named Windows-style: "fete.exe" runs `fete`, whatever the case, from the
// current folder first and then from the folder of the running program.
std::optional<std::string> FindProgram(std::string name) {
  if (name.size() > 4) {
    std::string tail = name.substr(name.size() - 4);
    for (auto& c : tail) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (tail == ".exe") name.resize(name.size() - 4);
  }
  if (name.empty()) return std::nullopt;
  if (name.find('/') != std::string::npos) {
    if (auto found = FindFileAnyCase(name); found && IsExecutable(*found)) return found;
    return std::nullopt;
  }
  for (const std::string& folder : {std::string("."), ProgramFolder()}) {
    if (auto found = FindFileAnyCase(folder + "/" + name); found && IsExecutable(*found)) return found;
  }
  return std::nullopt;
}

// A bare program name looked up in PATH, as a shell would.
std::optional<std::string> FindInPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  if (!path || name.empty()) return std::nullopt;
  std::string folders = path;
  std::size_t start = 0;
  while (start <= folders.size()) {
    std::size_t end = folders.find(':', start);
    if (end == std::string::npos) end = folders.size();
    const std::string folder = end > start ? folders.substr(start, end - start) : ".";
    if (IsExecutable(folder + "/" + name)) return folder + "/" + name;
    start = end + 1;
  }
  return std::nullopt;
}

}  // namespace

void SetHaltHandler(std::function<void(int, const std::string&)> handler) {
  std::lock_guard lock(processMutex);
  haltHandler = std::move(handler);
}

void Halt(int code, const std::string& message) {
  JournalLine("halt " + std::to_string(code) + " " + JournalQuote(message));
  std::function<void(int, const std::string&)> handler;
  {
    std::lock_guard lock(processMutex);
    handler = haltHandler;
  }
  if (handler) handler(code, message);
  ViewPort* view = GetViewPort();
  if (!message.empty()) {
    if (view && !IsGuiThread()) {
      view->ShowMessage(MessageRequest{message, "Halt", 0, 1, 1});
    } else {
      std::fprintf(stderr, "%s\n", message.c_str());
    }
  }
  if (view) {
    view->Quit(code);
    // The GUI thread ends the program; this thread has nothing more to do.
    for (;;) std::this_thread::sleep_for(std::chrono::hours(1));
  }
  std::fflush(nullptr);
  std::exit(code);
}

namespace {

bool Spawn(std::vector<std::string> words, const std::string& journalText, bool wait) {
  std::optional<std::string> program = words.empty() ? std::nullopt : FindProgram(words[0]);
  bool ok = false;
  pid_t pid = 0;
  if (program) {
    std::vector<char*> argv;
    words[0] = *program;
    for (auto& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    ok = ::posix_spawn(&pid, program->c_str(), nullptr, nullptr, argv.data(), environ) == 0;
  }
  JournalLine("run " + JournalQuote(journalText) + " -> " + (ok ? "ok" : "failed"));
  if (!ok) return false;
  if (wait) {
    int status = 0;
    ::waitpid(pid, &status, 0);
  } else {
    // Reap the child when it ends so that it leaves no zombie behind.
    std::thread([pid] {
      int status = 0;
      ::waitpid(pid, &status, 0);
    }).detach();
  }
  return true;
}

}  // namespace

bool Run(const std::string& command, bool wait) { return Spawn(SplitCommand(command), command, wait); }

bool CanRun(const std::string& command) {
  const std::vector<std::string> words = SplitCommand(command);
  return !words.empty() && FindProgram(words[0]).has_value();
}

bool RunArguments(const std::vector<std::string>& arguments, bool wait) {
  std::string text;
  for (const auto& a : arguments) text += (text.empty() ? "" : " ") + a;
  std::vector<std::string> words = arguments;
  if (!words.empty() && words[0].find('/') == std::string::npos && !FindProgram(words[0])) {
    if (auto found = FindInPath(words[0])) words[0] = *found;
  }
  return Spawn(std::move(words), text, wait);
}

void SetCommandLine(int argc, char** argv) {
  std::lock_guard lock(processMutex);
  arguments.assign(argv, argv + argc);
}

std::string CommandLine() {
  std::lock_guard lock(processMutex);
  std::string line;
  for (const auto& a : arguments) {
    if (!line.empty()) line += ' ';
    line += a;
  }
  return line;
}

std::vector<std::string> CommandArguments() {
  std::lock_guard lock(processMutex);
  return arguments;
}

bool RunWithArguments(const std::string& program, const std::vector<std::string>& arguments) {
  std::vector<std::string> words{program};
  words.insert(words.end(), arguments.begin(), arguments.end());
  return !program.empty() && RunArguments(words, false);
}

}  // namespace wdrt
