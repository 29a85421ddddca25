// The window model: a window's definition, its numbered controls with their state and
// properties, and its event queue. The runtime owns every model; procedure threads change it
// through runtime calls (Runtime.h), the view reads it on the GUI thread. Every member is
// safe to call from any thread.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "runtime/core/Events.h"
#include "runtime/core/WindowDef.h"

namespace wdrt {

struct ControlState {
  int number = 0;
  ControlDef def;
  Geometry pos;          // current geometry in dialog units
  std::string text;
  std::string picture;
  std::string value;     // contents of entries and check boxes ("1"/"0")
  bool hidden = false;
  bool disabled = false;
  bool inToolbar = false;
  bool inMenu = false;
  std::map<int, long> props;
};

class Window {
 public:
  Window(int id, int thread, const WindowDef& def);

  int Id() const { return id_; }
  int Thread() const { return thread_; }
  const WindowDef& Def() const { return def_; }
  long Sequence() const { return sequence_; }  // order of opening, program-wide, from 1

  std::string Title() const;
  void SetTitle(const std::string& title);
  std::string Procedure() const;
  void SetProcedure(const std::string& name);

  bool IsOpen() const;
  bool IsCovered() const;  // a later window of the same thread is open
  void SetCovered(bool covered);
  void MarkClosed();

  // Geometry of the window itself (client area) in dialog units.
  Geometry ClientGeometry() const;
  void SetClientGeometry(const Geometry& g);

  // Controls: snapshots and single-field updates. Unknown numbers are ignored.
  std::vector<ControlState> Controls() const;
  std::optional<ControlState> Control(int number) const;
  bool HasControl(int number) const;
  int FindByUse(const std::string& use) const;    // 0 when none
  int FindByText(const std::string& text) const;  // 0 when none; ignores "&" and case
  template <typename F> bool Update(int number, F&& change);
  // CREATE: adds a control at run time; false when the number is taken.
  bool CreateControl(int number, const ControlDef& def);

  long WindowProp(int prop) const;
  void SetWindowProp(int prop, long value);

  // Event queue.
  void Post(const Event& event, bool front = false);
  // Waits for the next event. Returns false if the window closed or the wait timed out.
  bool Take(Event& event, std::chrono::steady_clock::time_point deadline);
  bool HasPending() const;
  void Wake();  // wakes a waiting Take (closing down)

  void SetTimerInterval(int hundredths);
  int TimerInterval() const;

  // ALERT: keys that reach the window's loop as alert-key events.
  void ArmKey(int key);
  bool IsArmed(int key) const;
  // Keys that count only when held down: milliseconds to hold `key`, 0 when it is not armed so.
  void ArmHeldKey(int key, int milliseconds);
  int HeldKeyTime(int key) const;

 private:
  ControlState* FindLocked(int number);

  const int id_;
  const int thread_;
  const WindowDef def_;
  const long sequence_;
  mutable std::mutex mutex_;
  std::condition_variable queueChanged_;
  std::string title_;
  std::string procedure_ = "-";
  bool open_ = true;
  bool covered_ = false;
  Geometry client_;
  std::vector<ControlState> controls_;
  std::map<int, long> windowProps_;
  std::deque<Event> queue_;
  int timerHundredths_ = 0;
  std::set<int> alertKeys_;
  std::map<int, int> heldKeys_;
  std::chrono::steady_clock::time_point nextTimer_{};
};

using WindowPtr = std::shared_ptr<Window>;

template <typename F>
bool Window::Update(int number, F&& change) {
  std::lock_guard lock(mutex_);
  ControlState* c = FindLocked(number);
  if (!c) return false;
  change(*c);
  return true;
}

}  // namespace wdrt
