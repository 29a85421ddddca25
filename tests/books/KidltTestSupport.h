// Helpers for the personalisation-file tests: a private current folder, a child process
// with a line pipe, scripted message answers, HALT turned into an exception, and the journal
// lines written during a case. Test thread only.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "runtime/core/Journal.h"
#include "runtime/dialogs/Message.h"
#include "runtime/os/Process.h"

extern char** environ;

namespace kidlttest {

// HALT, thrown by the test's halt handler so that the case can look at what ended it.
struct HaltCalled {
  int code;
  std::string message;
};

// Makes a fresh folder the current folder for the life of the object.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kidlt-test-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
    old_ = std::filesystem::current_path();
    std::filesystem::current_path(path_);
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::current_path(old_, ec);
    std::filesystem::remove_all(path_, ec);
  }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  std::filesystem::path old_;
};

// Answers message boxes from a list (the default button when it runs out), keeps what was
// asked, and makes HALT throw HaltCalled.
class ScriptedUser {
 public:
  explicit ScriptedUser(std::deque<int> answers = {}) : answers_(std::move(answers)) {
    journalStart_ = wdrt::JournalLineCount();
    wdrt::SetMessageAnswerer([this](const wdrt::MessageRequest& request) {
      asked_.push_back(request);
      if (answers_.empty()) return 0;
      const int answer = answers_.front();
      answers_.pop_front();
      return answer;
    });
    wdrt::SetHaltHandler([](int code, const std::string& message) { throw HaltCalled{code, message}; });
  }
  ~ScriptedUser() {
    wdrt::SetMessageAnswerer(nullptr);
    wdrt::SetHaltHandler(nullptr);
  }
  const std::vector<wdrt::MessageRequest>& Asked() const { return asked_; }
  // Journal lines of this case, without their time stamps.
  std::vector<std::string> Journal() const {
    std::vector<std::string> lines;
    const auto all = wdrt::JournalLines();
    for (std::size_t i = static_cast<std::size_t>(journalStart_); i < all.size(); ++i) {
      const auto blank = all[i].find(' ');
      lines.push_back(blank == std::string::npos ? all[i] : all[i].substr(blank + 1));
    }
    return lines;
  }

 private:
  std::deque<int> answers_;
  std::vector<wdrt::MessageRequest> asked_;
  long journalStart_ = 0;
};

// A program (by default the test helper), with its standard output read line by line.
class ChildProcess {
 public:
  explicit ChildProcess(const std::vector<std::string>& args, std::string program = KIDLT_TEST_CHILD,
                        bool withErrors = false) {
    int out[2], in[2];
    if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(in, O_CLOEXEC) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
    if (withErrors) posix_spawn_file_actions_adddup2(&actions, out[1], STDERR_FILENO);
    std::vector<char*> argv;
    argv.push_back(program.data());
    std::vector<std::string> copy = args;
    for (auto& a : copy) argv.push_back(a.data());
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    ::close(in[0]);
    outFd_ = out[0];
    inFd_ = in[1];
  }
  ~ChildProcess() {
    if (pid_ > 0) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
    if (outFd_ >= 0) ::close(outFd_);
    CloseInput();
  }
  bool Started() const { return pid_ > 0; }

  // Everything it writes until it ends, or until `timeout` passes.
  std::string ReadAll(std::chrono::milliseconds timeout) {
    std::string all;
    while (auto line = ReadLine(timeout)) all += *line + "\n";
    return all + buffer_;
  }

  // The next line, or nullopt at end of output or when `timeout` passes first.
  std::optional<std::string> ReadLine(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
      if (const auto nl = buffer_.find('\n'); nl != std::string::npos) {
        std::string line = buffer_.substr(0, nl);
        buffer_.erase(0, nl + 1);
        return line;
      }
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
      if (left.count() <= 0) return std::nullopt;
      pollfd p{outFd_, POLLIN, 0};
      if (::poll(&p, 1, static_cast<int>(left.count())) <= 0) continue;
      char chunk[4096];
      const ssize_t n = ::read(outFd_, chunk, sizeof chunk);
      if (n <= 0) return std::nullopt;
      buffer_.append(chunk, static_cast<std::size_t>(n));
    }
  }
  void CloseInput() {
    if (inFd_ >= 0) ::close(inFd_);
    inFd_ = -1;
  }
  void Kill() {
    if (pid_ > 0) ::kill(pid_, SIGKILL);
  }
  // Exit status, or -1 when it has not ended within `timeout`.
  int Wait(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (pid_ > 0) {
      int status = 0;
      const pid_t r = ::waitpid(pid_, &status, WNOHANG);
      if (r == pid_) {
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      }
      if (std::chrono::steady_clock::now() >= deadline) return -1;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return -1;
  }

 private:
  pid_t pid_ = -1;
  int outFd_ = -1;
  int inFd_ = -1;
  std::string buffer_;
};

}  // namespace kidlttest
