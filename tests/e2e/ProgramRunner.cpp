#include "ProgramRunner.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace e2e {

std::string MakeTempDir(const std::string& tag) {
  std::string pattern = (std::filesystem::temp_directory_path() / ("storyloom-" + tag + "-XXXXXX")).string();
  char* made = ::mkdtemp(pattern.data());
  return made ? std::string(made) : std::string("/tmp");
}

std::string OffscreenScreen(const std::string& dir, int width, int height) {
  const std::string file = dir + "/screen-" + std::to_string(width) + "x" + std::to_string(height) + ".json";
  std::ofstream(file) << "{\"screens\": [{\"name\": \"test\", \"x\": 0, \"y\": 0, \"width\": " << width
                      << ", \"height\": " << height << ", \"logicalDpi\": 96, \"dpr\": 1}]}\n";
  return "QT_QPA_PLATFORM=offscreen:configfile=" + file;
}

RunResult RunProgram(const RunOptions& options) {
  RunResult result;
  const std::string dir = options.runDir.empty() ? MakeTempDir("run") : options.runDir;
  result.dir = dir;
  const std::string workDir = options.workDir.empty() ? dir : options.workDir;
  const std::string journal = dir + "/journal.txt";
  const std::string script = dir + "/script.txt";
  const std::string output = dir + "/output.txt";
  std::filesystem::create_directories(dir + "/runtime");
  std::filesystem::permissions(dir + "/runtime", std::filesystem::perms::owner_all);
  std::filesystem::create_directories(dir + "/config");
  { std::ofstream(script) << options.script; }

  std::vector<std::string> env = {OffscreenScreen(dir, 1920, 1080), "SDL_AUDIODRIVER=dummy",
                                  "WDRT_JOURNAL=" + journal,   "WDRT_SCRIPT=" + script,
                                  "XDG_RUNTIME_DIR=" + dir + "/runtime", "XDG_CONFIG_HOME=" + dir + "/config",
                                  "HOME=" + dir};
  // The path and the sanitizers' settings pass through to the program under test.
  for (const char* name : {"PATH", "ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS", "TSAN_OPTIONS"})
    if (const char* value = std::getenv(name)) env.push_back(std::string(name) + "=" + value);
  // Printing goes to the test's private CUPS server, never to the machine's own printers:
  // without one, to an address where nothing listens.
  const char* cups = std::getenv("CUPS_SERVER");
  env.push_back(std::string("CUPS_SERVER=") + (cups ? cups : "127.0.0.1:9"));
  // Extra settings replace the defaults of the same name.
  for (const auto& e : options.environment) {
    const std::string name = e.substr(0, e.find('=') + 1);
    std::erase_if(env, [&](const std::string& x) { return x.rfind(name, 0) == 0; });
    env.push_back(e);
  }

  pid_t pid = ::fork();
  if (pid == 0) {
    if (::chdir(workDir.c_str()) != 0) ::_exit(126);
    int fd = ::open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ::dup2(fd, 1);
    ::dup2(fd, 2);
    std::vector<std::string> args = {options.program};
    for (const auto& a : options.arguments) args.push_back(a);
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (auto& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    ::execve(options.program.c_str(), argv.data(), envp.data());
    ::_exit(127);
  }
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(options.timeoutSeconds);
  int status = 0;
  for (;;) {
    pid_t done = ::waitpid(pid, &status, WNOHANG);
    if (done == pid) {
      result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      break;
    }
    if (std::chrono::steady_clock::now() > deadline) {
      ::kill(pid, SIGKILL);
      ::waitpid(pid, &status, 0);
      result.exitCode = -1;
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  std::ifstream in(journal);
  for (std::string line; std::getline(in, line);) result.journal.push_back(line);
  std::ifstream out(output);
  std::stringstream text;
  text << out.rdbuf();
  result.output = text.str();
  return result;
}

std::vector<std::string> LinesWith(const std::vector<std::string>& journal, const std::string& needle) {
  std::vector<std::string> found;
  for (const auto& line : journal)
    if (line.find(needle) != std::string::npos) found.push_back(line);
  return found;
}

std::string Body(const std::string& line) {
  auto blank = line.find(' ');
  return blank == std::string::npos ? line : line.substr(blank + 1);
}

double Stamp(const std::string& line) { return std::atof(line.c_str()); }

}  // namespace e2e
