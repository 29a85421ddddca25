// WindowController: lifecycle, BUTTONS rows, the open/focus/sized rules, key codes, and how
// controllers on several threads share the event machinery. Windows are models only here.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

#include "framework/WindowController.h"
#include "runtime/core/Runtime.h"
#include "runtime/core/Threads.h"

namespace {

using namespace std::chrono_literals;

wdrt::WindowDef SimpleWindow(const std::string& title) {
  wdrt::WindowDef def;
  def.title = title;
  def.size = {0, 0, 100, 100};
  wdrt::ControlDef ok;
  ok.type = wdrt::TypeButton;
  ok.use = "?OK";
  ok.text = "OK";
  ok.pos = {10, 10, 30, 14};
  wdrt::ControlDef cancel = ok;
  cancel.use = "?CANCEL";
  cancel.text = "Cancel";
  wdrt::ControlDef done = ok;
  done.use = "?DONE";
  done.text = "Done";
  done.action = wdrt::StdAction::CloseWindow;
  def.controls = {ok, cancel, done};
  return def;
}

// A controller that records what happened to it and can be told to fail its Init.
class Probe : public WindowController {
 public:
  explicit Probe(std::string title = "Probe") : title_(std::move(title)) {}
  int initResult = LevelOk;
  std::atomic<int> kills{0};
  std::atomic<int> opens{0};
  std::atomic<int> resets{0};
  std::vector<int> accepted;
  std::function<void(Probe&, int)> onAccepted;
  std::atomic<int> closeRequests{0};
  std::atomic<int> closeAnswer{LevelOk};  // LevelNotice refuses the close

  int Init() override {
    int level = WindowController::Init();
    if (level != LevelOk) return level;
    if (initResult != LevelOk) return initResult;
    window = wdrt::Open(SimpleWindow(title_));
    OPENED = 1;
    return LevelOk;
  }
  int Kill() override {
    ++kills;
    int level = WindowController::Kill();
    if (level != LevelOk) return level;
    wdrt::Close(window);
    return LevelOk;
  }
  void OnOpen() override {
    ++opens;
    WindowController::OnOpen();
  }
  void Reset(std::uint8_t force) override {
    ++resets;
    WindowController::Reset(force);
  }
  int OnCloseRequest() override {
    ++closeRequests;
    return closeAnswer;
  }
  int OnAccepted() override {
    int level = WindowController::OnAccepted();
    accepted.push_back(wdrt::CurrentEvent().control);
    if (onAccepted) onAccepted(*this, wdrt::CurrentEvent().control);
    return level;
  }

 private:
  std::string title_;
};

TEST(WindowControllerLifecycle, FailingInitSkipsLoopButKills) {
  Probe probe;
  probe.initResult = LevelCancel;
  EXPECT_EQ(probe.Run(), ResponseCancelled);
  EXPECT_EQ(probe.kills, 1);
  EXPECT_EQ(probe.DEAD, 1);
}

TEST(WindowControllerLifecycle, StandardCloseActionIsAskedOfOnCloseRequest) {
  for (const int answer : {LevelNotice, LevelOk}) {
    Probe probe;
    probe.closeAnswer = answer;
    ASSERT_EQ(probe.Init(), LevelOk);
    const int done = probe.window->FindByUse("?DONE");
    ASSERT_NE(done, 0);
    wdrt::PostToWindow(probe.window, wdrt::EventAccepted, done);
    // A refused close leaves the window open until a later close request is granted.
    std::thread closer;
    if (answer == LevelNotice)
      closer = std::thread([&] {
        std::this_thread::sleep_for(100ms);
        EXPECT_TRUE(probe.window->IsOpen());
        probe.closeAnswer = LevelOk;
        wdrt::PostToWindow(probe.window, wdrt::EventCloseWindow);
      });
    probe.RunEventLoop();
    if (closer.joinable()) closer.join();
    EXPECT_EQ(probe.closeRequests, answer == LevelNotice ? 2 : 1);
    EXPECT_FALSE(probe.window->IsOpen());
    probe.Kill();
  }
}

TEST(WindowControllerLifecycle, KillTwiceIsANoOp) {
  Probe probe;
  ASSERT_EQ(probe.Init(), LevelOk);
  EXPECT_EQ(probe.Kill(), LevelOk);
  EXPECT_EQ(probe.Kill(), LevelNotice);
  EXPECT_FALSE(probe.window->IsOpen());
}

TEST(WindowControllerLifecycle, InitSetsTheRecordFormDefaults) {
  Probe probe;
  probe.REQUEST = RequestChange;
  ASSERT_EQ(probe.Init(), LevelOk);
  EXPECT_EQ(probe.ORIGINALREQUEST, RequestChange);
  EXPECT_EQ(probe.INSERTACTION, 2);
  EXPECT_EQ(probe.DELETEACTION, 2);
  EXPECT_EQ(probe.CHANGEACTION, 1);
  EXPECT_EQ(probe.CANCELACTION, 3);
  EXPECT_EQ(probe.AUTOTOOLBAR, 1);
  EXPECT_EQ(probe.AUTOREFRESH, 1);
  probe.Kill();
}

TEST(WindowControllerLifecycle, PendingKeyCodeTwoOr130IsClearedButOthersStay) {
  for (int code : {2, 130, 77}) {
    wdrt::SetKeyCode(code);
    Probe probe;
    ASSERT_EQ(probe.Init(), LevelOk);
    EXPECT_EQ(wdrt::KeyCode(), code == 77 ? 77 : 0) << code;
    probe.Kill();
  }
  wdrt::SetKeyCode(0);
}

TEST(WindowControllerEvents, ButtonsRowRespondsClosesAndConsumes) {
  Probe probe;
  probe.onAccepted = [](Probe&, int) { ADD_FAILURE() << "a consumed event must not reach the override's tail"; };
  ASSERT_EQ(probe.Init(), LevelOk);
  probe.AddButton(2, ResponseCompleted);
  wdrt::PostToWindow(probe.window, wdrt::EventAccepted, 2);
  // Drive the loop by hand to see the level of the accepted event.
  wdrt::Event event;
  ASSERT_TRUE(wdrt::Accept(probe.window, event));  // open window
  EXPECT_EQ(probe.OnEvent(), LevelOk);
  ASSERT_TRUE(wdrt::Accept(probe.window, event));
  EXPECT_EQ(event.control, 2);
  EXPECT_EQ(probe.WindowController::OnAccepted(), LevelNotice);
  EXPECT_EQ(probe.RESPONSE, ResponseCompleted);
  ASSERT_TRUE(wdrt::Accept(probe.window, event));
  EXPECT_EQ(event.number, wdrt::EventCloseWindow);
  probe.Kill();
}

TEST(WindowControllerEvents, RunReturnsTheButtonsResponse) {
  // An accepted event on a BUTTONS row ends the window through the real loop.
  auto run = std::async(std::launch::async, [&] {
    struct Rows : Probe {
      int Init() override {
        int level = Probe::Init();
        AddButton(1, ResponseCompleted);
        wdrt::PostToWindow(window, wdrt::EventAccepted, 1);
        return level;
      }
    } rows;
    return rows.Run();
  });
  ASSERT_EQ(run.wait_for(30s), std::future_status::ready);
  EXPECT_EQ(run.get(), ResponseCompleted);
}

TEST(WindowControllerEvents, FirstSizedEventDoesNotResetTheSecondDoes) {
  Probe probe;
  ASSERT_EQ(probe.Init(), LevelOk);
  wdrt::Event event;
  ASSERT_TRUE(wdrt::Accept(probe.window, event));
  probe.OnEvent();  // open window: OnOpen resets once
  const int afterOpen = probe.resets;
  wdrt::PostToWindow(probe.window, wdrt::EventSized);
  wdrt::PostToWindow(probe.window, wdrt::EventSized);
  ASSERT_TRUE(wdrt::Accept(probe.window, event));
  probe.OnEvent();
  EXPECT_EQ(probe.resets, afterOpen);
  EXPECT_TRUE(probe.INITED & 2);
  ASSERT_TRUE(wdrt::Accept(probe.window, event));
  probe.OnEvent();
  EXPECT_EQ(probe.resets, afterOpen + 1);
  probe.Kill();
}

TEST(WindowControllerEvents, GainingFocusBeforeOpenRunsOnOpenNotReset) {
  Probe probe;
  ASSERT_EQ(probe.Init(), LevelOk);
  wdrt::Event event;
  ASSERT_TRUE(wdrt::Accept(probe.window, event));  // the open event, not handled yet
  wdrt::PostToWindow(probe.window, wdrt::EventGainFocus);
  ASSERT_TRUE(wdrt::Accept(probe.window, event));
  ASSERT_EQ(event.number, wdrt::EventGainFocus);
  probe.OnEvent();
  EXPECT_EQ(probe.opens, 1);
  EXPECT_TRUE(probe.INITED & 1);
  // Once opened, gaining focus resets instead.
  const int resets = probe.resets;
  wdrt::PostToWindow(probe.window, wdrt::EventGainFocus);
  ASSERT_TRUE(wdrt::Accept(probe.window, event));
  probe.OnEvent();
  EXPECT_EQ(probe.opens, 1);
  EXPECT_EQ(probe.resets, resets + 1);
  probe.Kill();
}

TEST(WindowControllerEvents, NoResetPropertyStopsReset) {
  Probe probe;
  ASSERT_EQ(probe.Init(), LevelOk);
  struct Counter : WindowComponent {
    int resets = 0;
    void Kill() override {}
    void Reset(std::uint8_t) override { ++resets; }
    std::uint8_t NeedsReset() override { return 0; }
    void ArmAlertKeys() override {}
    int OnEvent() override { return LevelOk; }
    void Update() override {}
    void Redisplay() override {}
  } counter;
  probe.AddComponent(&counter);
  probe.Reset(0);
  EXPECT_EQ(counter.resets, 1);
  wdrt::SetProp(probe.window, 0, wdrt::PropNoReset, 1);
  probe.Reset(0);
  EXPECT_EQ(counter.resets, 1);
  probe.Kill();
}

TEST(WindowControllerThreads, StartedProcedureRunsItsOwnLoopWhileTheFirstKeepsWorking) {
  std::promise<int> secondThread;
  std::atomic<bool> firstGotEvent{false};
  auto first = std::async(std::launch::async, [&] {
    Probe probe("First");
    probe.onAccepted = [&](Probe& p, int control) {
      if (control == 1) {
        wdrt::Start([&] {
          Probe second("Second");
          second.onAccepted = [&](Probe& s, int) { wdrt::PostToWindow(s.window, wdrt::EventCloseWindow); };
          secondThread.set_value(wdrt::Thread());
          second.Run();
        });
      } else {
        firstGotEvent = true;
        wdrt::PostToWindow(p.window, wdrt::EventCloseWindow);
      }
    };
    struct Kick : Probe {
      using Probe::Probe;
      int Init() override {
        int level = Probe::Init();
        wdrt::PostToWindow(window, wdrt::EventAccepted, 1);
        return level;
      }
    };
    Kick kick("First");
    kick.onAccepted = probe.onAccepted;
    return kick.Run();
  });
  auto future = secondThread.get_future();
  ASSERT_EQ(future.wait_for(30s), std::future_status::ready);
  const int second = future.get();
  // The first window still takes input while the second is open on its own thread.
  wdrt::WindowPtr firstWindow;
  for (const auto& w : wdrt::OpenWindows())
    if (w->Title() == "First") firstWindow = w;
  ASSERT_TRUE(firstWindow);
  EXPECT_NE(firstWindow->Thread(), second);
  EXPECT_FALSE(firstWindow->IsCovered());
  wdrt::PostInput(firstWindow, wdrt::EventAccepted, 2);
  ASSERT_EQ(first.wait_for(30s), std::future_status::ready);
  EXPECT_TRUE(firstGotEvent);
  // The second thread names itself before its window opens: the event that closes it is posted
  // once the window is there to take it.
  const auto until = std::chrono::steady_clock::now() + 30s;
  auto secondOpen = [] {
    for (const auto& w : wdrt::OpenWindows())
      if (w->Title() == "Second" && w->IsOpen()) return true;
    return false;
  };
  while (!secondOpen() && std::chrono::steady_clock::now() < until) std::this_thread::sleep_for(5ms);
  ASSERT_TRUE(secondOpen()) << "the second procedure's window never opened";
  wdrt::Post(wdrt::EventAccepted, 1, second);
  EXPECT_TRUE(wdrt::WaitForProcedureThreads(0, 30s)) << "the second procedure did not end";
}

TEST(WindowControllerThreads, ProcedureCalledOnTheSameThreadBlocksTheCallersInput) {
  std::promise<void> innerOpen;
  std::promise<void> innerMayClose;
  auto outerThread = std::async(std::launch::async, [&] {
    Probe outer("Outer");
    struct Kick : Probe {
      using Probe::Probe;
      int Init() override {
        int level = Probe::Init();
        wdrt::PostToWindow(window, wdrt::EventAccepted, 1);
        return level;
      }
    } kick("Outer");
    kick.onAccepted = [&](Probe& p, int control) {
      if (control == 1) {
        Probe inner("Inner");
        struct Signal : Probe {
          using Probe::Probe;
          std::promise<void>* opened = nullptr;
          int Init() override {
            int level = Probe::Init();
            opened->set_value();
            return level;
          }
        } signal("Inner");
        signal.opened = &innerOpen;
        signal.onAccepted = [](Probe& s, int) { wdrt::PostToWindow(s.window, wdrt::EventCloseWindow); };
        signal.Run();  // called, not started: this thread waits here
        innerMayClose.get_future().wait();
      } else {
        p.accepted.push_back(-1);
        wdrt::PostToWindow(p.window, wdrt::EventCloseWindow);
      }
    };
    kick.Run();
    return kick.accepted;
  });
  ASSERT_EQ(innerOpen.get_future().wait_for(30s), std::future_status::ready);
  wdrt::WindowPtr outer, inner;
  for (int i = 0; i < 3000 && !inner; ++i) {
    for (const auto& w : wdrt::OpenWindows()) {
      if (w->Title() == "Outer") outer = w;
      if (w->Title() == "Inner") inner = w;
    }
    std::this_thread::sleep_for(10ms);
  }
  ASSERT_TRUE(outer && inner);
  EXPECT_TRUE(outer->IsCovered());
  wdrt::PostInput(outer, wdrt::EventAccepted, 2);  // a click on the covered window: dropped
  EXPECT_FALSE(outer->HasPending());
  wdrt::PostInput(inner, wdrt::EventAccepted, 1);  // the inner window closes
  innerMayClose.set_value();
  for (int i = 0; i < 3000 && outer->IsCovered(); ++i) std::this_thread::sleep_for(10ms);
  EXPECT_FALSE(outer->IsCovered());
  wdrt::PostInput(outer, wdrt::EventAccepted, 2);
  ASSERT_EQ(outerThread.wait_for(30s), std::future_status::ready);
  const auto accepted = outerThread.get();
  EXPECT_EQ(std::count(accepted.begin(), accepted.end(), -1), 1);
}

}  // namespace
