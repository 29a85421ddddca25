// A piece of work done a slice at a time on the timer of a small progress window, on the
// calling procedure thread: between slices the window takes its Cancel, Esc and close, so a
// long job shows its progress and answers at once. The thread's previous window gives up its
// timer while the loop runs. Procedure threads only.
#pragma once

#include <chrono>
#include <functional>

#include "runtime/core/Runtime.h"

namespace wdrt {

class ProgressLoop {
 public:
  enum class Step { More, Done };
  enum class Request { Cancel, CloseDown };

  // Opens `def`; `cancelControl` is its Cancel button (Esc presses it too).
  ProgressLoop(const WindowDef& def, int cancelControl, int tickHundredths);
  // Closes the window and gives the previous window its timer back.
  ~ProgressLoop();
  ProgressLoop(const ProgressLoop&) = delete;
  ProgressLoop& operator=(const ProgressLoop&) = delete;

  // Calls `slice` on every tick until it says Done (true). A cancel (the button, Esc or closing
  // the window) or a close-down asks `stop`: true ends the loop at once (false is returned).
  bool Run(const std::function<Step()>& slice, const std::function<bool(Request)>& stop);

  const WindowPtr& Window() const { return window_; }
  void SetTick(int hundredths) { SetTimer(window_, hundredths); }

 private:
  WindowPtr previous_;
  int previousTimer_ = 0;
  WindowPtr window_;
  int cancel_;
};

// Repeats `work` while it returns true, for about `budget`: the slice of a ProgressLoop.
// Returns false once `work` has returned false.
bool ForAbout(std::chrono::milliseconds budget, const std::function<bool()>& work);

}  // namespace wdrt
