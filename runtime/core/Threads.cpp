#include "runtime/core/Threads.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <set>
#include <thread>

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
};

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
  std::thread([number, procedure = std::move(procedure)] {
    threadNumber = number;
    procedure();
    CloseWindowsOfThread(number);
    JournalLine("thread-end " + std::to_string(number));
    Running& r = RunningThreads();
    {
      std::lock_guard lock(r.mutex);
      r.threads.erase(number);
    }
    r.changed.notify_all();
  }).detach();
  return number;
}

int RunningProcedureThreads() {
  Running& running = RunningThreads();
  std::lock_guard lock(running.mutex);
  return static_cast<int>(running.threads.size());
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
