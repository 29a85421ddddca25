#include "runtime/os/Shell.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <thread>
#include <vector>

#include "runtime/core/Journal.h"

extern char** environ;

namespace wdrt {

long ShellExecuteA(long, const std::string&, const std::string& file, const std::string&, const std::string&, int) {
  const char* custom = std::getenv("WDRT_SHELL_OPEN");
  std::string opener = custom && *custom ? custom : "xdg-open";
  std::vector<char*> argv = {opener.data(), const_cast<char*>(file.c_str()), nullptr};
  pid_t pid = 0;
  const bool ok = !file.empty() && ::posix_spawnp(&pid, opener.c_str(), nullptr, nullptr, argv.data(), environ) == 0;
  JournalLine("shell-open " + JournalQuote(file) + " -> " + (ok ? "ok" : "failed"));
  if (!ok) return 2;
  std::thread([pid] {
    int status = 0;
    ::waitpid(pid, &status, 0);
  }).detach();
  return 42;
}

}  // namespace wdrt
