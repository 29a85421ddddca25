// The runtime's event machinery without a view: POST order across threads, default handling,
// covering of a thread's earlier windows, timers and thread numbers.
#include <gtest/gtest.h>

#include <vector>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

#include "runtime/core/Journal.h"
#include "runtime/core/Runtime.h"
#include "runtime/core/Threads.h"

namespace {

using namespace std::chrono_literals;

wdrt::WindowDef Def(const std::string& title) {
  wdrt::WindowDef def;
  def.title = title;
  def.size = {0, 0, 100, 60};
  wdrt::ControlDef close;
  close.type = wdrt::TypeButton;
  close.text = "Close";
  close.action = wdrt::StdAction::CloseWindow;
  def.controls = {close};
  return def;
}

TEST(PostOrder, EventsFromAnotherThreadArriveInTheOrderPosted) {
  std::promise<int> threadNumber;
  std::promise<std::vector<int>> received;
  std::thread owner([&] {
    auto window = wdrt::Open(Def("Receiver"));
    threadNumber.set_value(wdrt::Thread());
    std::vector<int> controls;
    wdrt::Event event;
    while (controls.size() < 1000 && wdrt::Accept(window, event))
      if (event.number == wdrt::EventUser) controls.push_back(event.control);
    wdrt::Close(window);
    received.set_value(controls);
  });
  const int target = threadNumber.get_future().get();
  std::thread poster([&] {
    for (int i = 1; i <= 1000; ++i) wdrt::Post(wdrt::EventUser, i, target);
  });
  poster.join();
  auto future = received.get_future();
  ASSERT_EQ(future.wait_for(60s), std::future_status::ready);
  const auto controls = future.get();
  owner.join();
  ASSERT_EQ(controls.size(), 1000u);
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(controls[i], i + 1);
}

TEST(PostOrder, OpenWindowIsAlwaysTheFirstEvent) {
  auto window = wdrt::Open(Def("First Event"));
  wdrt::PostToWindow(window, wdrt::EventAccepted, 1);
  wdrt::Event event;
  ASSERT_TRUE(wdrt::Accept(window, event));
  EXPECT_EQ(event.number, wdrt::EventOpenWindow);
  ASSERT_TRUE(wdrt::Accept(window, event));
  EXPECT_EQ(event.number, wdrt::EventAccepted);
  wdrt::Close(window);
}

TEST(DefaultHandling, CloseWindowAndStandardCloseActionEndTheLoop) {
  // The standard close action does not close the window itself: it asks the window's loop,
  // which sees a close-window event like the one of the close box.
  const struct {
    int event, control;
    std::vector<int> seen;
  } cases[] = {
      {wdrt::EventCloseWindow, 0, {wdrt::EventOpenWindow, wdrt::EventCloseWindow}},
      {wdrt::EventAccepted, 1, {wdrt::EventOpenWindow, wdrt::EventAccepted, wdrt::EventCloseWindow}},
  };
  for (const auto& c : cases) {
    auto window = wdrt::Open(Def("Closing"));
    wdrt::PostToWindow(window, c.event, c.control);
    wdrt::Event event;
    std::vector<int> seen;
    while (wdrt::Accept(window, event)) {
      seen.push_back(event.number);
      wdrt::DefaultHandling(window, event);
    }
    EXPECT_EQ(seen, c.seen) << c.event;
    EXPECT_FALSE(window->IsOpen());
  }
}

TEST(Covering, LaterWindowOfTheSameThreadCoversTheEarlierUntilItCloses) {
  auto first = wdrt::Open(Def("Under"));
  auto second = wdrt::Open(Def("Over"));
  EXPECT_TRUE(first->IsCovered());
  EXPECT_FALSE(second->IsCovered());
  EXPECT_EQ(wdrt::Target(), second);
  wdrt::Event event;
  ASSERT_TRUE(wdrt::Accept(first, event));  // its own open event was queued before
  wdrt::PostInput(first, wdrt::EventAccepted, 1);
  EXPECT_FALSE(first->HasPending());
  wdrt::Close(second);
  EXPECT_FALSE(first->IsCovered());
  EXPECT_EQ(wdrt::Target(), first);
  wdrt::PostInput(first, wdrt::EventAccepted, 1);
  EXPECT_TRUE(first->HasPending());
  wdrt::Close(first);
}

TEST(Timers, TimerEventsComeAtTheirInterval) {
  auto window = wdrt::Open(Def("Ticking"));
  // The clock starts before the timer: a pause of this thread after setting it must not
  // make its ticks look early.
  const auto start = std::chrono::steady_clock::now();
  wdrt::SetTimer(window, 5);  // 50 ms
  wdrt::Event event;
  ASSERT_TRUE(wdrt::Accept(window, event));
  int ticks = 0;
  while (ticks < 3 && wdrt::Accept(window, event))
    if (event.number == wdrt::EventTimer) ++ticks;
  const auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(ticks, 3);
  EXPECT_GE(elapsed, 120ms);
  EXPECT_LT(elapsed, 20s);  // they keep coming; how late depends on the machine's load
  wdrt::Close(window);
}

TEST(StartThreads, StartedThreadsGetNewNumbersAndCloseTheirWindowsWhenTheyEnd) {
  const int mine = wdrt::Thread();
  std::promise<std::pair<int, int>> numbers;
  std::promise<void> finish;
  auto finished = finish.get_future().share();
  std::atomic<int> windowId{0};
  const int started = wdrt::Start([&] {
    auto window = wdrt::Open(Def("Left Open"));
    windowId = window->Id();
    numbers.set_value({wdrt::Thread(), window->Thread()});
    finished.wait();
  }, 25000);
  auto got = numbers.get_future().get();
  EXPECT_EQ(got.first, started);
  EXPECT_EQ(got.second, started);
  EXPECT_NE(started, mine);
  finish.set_value();
  ASSERT_TRUE(wdrt::WaitForProcedureThreads(mine, 30s));
  auto window = wdrt::FindWindow(windowId);
  ASSERT_TRUE(window);
  EXPECT_FALSE(window->IsOpen());
}

TEST(Journal, LinesCarryAMonotonicStampAndTheHappening) {
  const long before = wdrt::JournalLineCount();
  auto window = wdrt::Open(Def("Journalled \"quoted\""));
  wdrt::Close(window);
  auto lines = wdrt::JournalLines();
  ASSERT_GE(static_cast<long>(lines.size()), before + 2);
  const std::string open = lines[before];
  EXPECT_NE(open.find(" open-window " + std::to_string(wdrt::Thread()) + " \"Journalled \\\"quoted\\\"\" -"),
            std::string::npos) << open;
  EXPECT_LE(std::atof(lines[before].c_str()), std::atof(lines[before + 1].c_str()));
  EXPECT_GT(wdrt::WaitForJournalLine("close-window .*Journalled", before, 10s), before);
  EXPECT_EQ(wdrt::WaitForJournalLine("never written", before, 50ms), -1);
}

}  // namespace
