#include "runtime/core/Threads.h"

#include <atomic>
#include <cstdlib>
#include <condition_variable>
#include <mutex>
#include <map>
#include <set>
#include <thread>
#include <vector>

#include "runtime/core/Journal.h"
#include "runtime/core/Runtime.h"
#include "runtime/core/ThreadsInternal.h"

namespace wdrt {
namespace {

std::atomic<int> nextThreadNumber{1};
thread_local int threadNumber = -1;  // -1: not numbered yet; 0: the GUI thread

struct Running {
  std::mutex mutex;
  std::condition_variable changed;
  std::set<int> threads;
  // The threads themselves. One whose procedure has ended is joined at the next Start or at
  // the program's end, so that it has wholly gone (its thread-local data, Qt's included,
  // destroyed) before the program's own end destroys what that data refers to.
  std::map<int, std::thread> handles;
  std::vector<int> ended;
};

// Joins the threads whose procedures have ended. Takes and leaves `lock` locked.
void JoinEnded(Running& running, std::unique_lock<std::mutex>& lock) {
  std::vector<std::thread> toJoin;
  for (int number : running.ended) {
    auto it = running.handles.find(number);
    if (it == running.handles.end()) continue;
    toJoin.push_back(std::move(it->second));
    running.handles.erase(it);
  }
  running.ended.clear();
  lock.unlock();
  for (std::thread& thread : toJoin)
    if (thread.joinable()) thread.join();
  lock.lock();
}

Running& RunningThreads() {
  static Running* running = new Running;  // never destroyed: threads may outlive main()
  return *running;
}

}  // namespace

int Thread() {
  if (threadNumber < 0) threadNumber = nextThreadNumber.fetch_add(1);
  return threadNumber;
}

void MarkGuiThread() { threadNumber = 0; }
bool IsGuiThread() { return threadNumber == 0; }

int Start(std::function<void()> procedure, int /*stackBytes*/) {
  // The requested stack size (25000 bytes in every caller) is below what the C++ library and
  // the sound decoder need, so the platform's default stack serves instead.
  const int number = nextThreadNumber.fetch_add(1);
  Running& running = RunningThreads();
  {
    std::lock_guard lock(running.mutex);
    running.threads.insert(number);
  }
  JournalLine("start " + std::to_string(number));
  // A process that ends without RunProgram's end (a test program) still lets its threads go
  // properly: the ended ones are joined, the others left to run out.
  static const bool atExit = std::atexit([] {
    Running& r = RunningThreads();
    std::unique_lock lock(r.mutex);
    JoinEnded(r, lock);
    for (auto& [n, t] : r.handles)
      if (t.joinable()) t.detach();
    r.handles.clear();
  }) == 0;
  (void)atExit;
  std::thread thread([number, procedure = std::move(procedure)] {
    threadNumber = number;
    procedure();
    CloseWindowsOfThread(number);
    JournalLine("thread-end " + std::to_string(number));
    Running& r = RunningThreads();
    {
      std::lock_guard lock(r.mutex);
      r.threads.erase(number);
      r.ended.push_back(number);
    }
    r.changed.notify_all();
  });
  std::unique_lock lock(running.mutex);
  running.handles.emplace(number, std::move(thread));
  // A procedure that starts another and ends (a page opening the next) is joined here.
  if (!running.ended.empty()) JoinEnded(running, lock);
  return number;
}

int RunningProcedureThreads() {
  Running& running = RunningThreads();
  std::lock_guard lock(running.mutex);
  return static_cast<int>(running.threads.size());
}

void JoinEndedProcedureThreads() {
  Running& running = RunningThreads();
  std::unique_lock lock(running.mutex);
  JoinEnded(running, lock);
}

bool WaitForProcedureThreads(int except, std::chrono::milliseconds timeout) {
  Running& running = RunningThreads();
  std::unique_lock lock(running.mutex);
  return running.changed.wait_for(lock, timeout, [&] {
    for (int t : running.threads)
      if (t != except) return false;
    return true;
  });
}

}  // namespace wdrt
