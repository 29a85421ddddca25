#include "runtime/flush/ProgressLoop.h"

#include "runtime/core/Keys.h"

namespace wdrt {

ProgressLoop::ProgressLoop(const WindowDef& def, int cancelControl, int tickHundredths) : cancel_(cancelControl) {
  previous_ = Target();
  if (previous_) {
    previousTimer_ = previous_->TimerInterval();
    SetTimer(previous_, 0);
  }
  window_ = Open(def);
  Alert(window_, KeyEsc);
  SetTimer(window_, tickHundredths);
}

ProgressLoop::~ProgressLoop() {
  if (window_ && window_->IsOpen()) Close(window_);
  if (previous_ && previous_->IsOpen()) SetTimer(previous_, previousTimer_);
}

bool ProgressLoop::Run(const std::function<Step()>& slice, const std::function<bool(Request)>& stop) {
  Event event;
  while (Accept(window_, event)) {
    switch (event.number) {
      case EventTimer:
        if (slice() == Step::Done) return true;
        break;
      case EventAlertKey:
        if (event.key == KeyEsc && stop(Request::Cancel)) return false;
        break;
      case EventAccepted:
        if (event.control == cancel_ && stop(Request::Cancel)) return false;
        DefaultHandling(window_, event);
        break;
      case EventCloseWindow:
        // Closing the window is a request to cancel, asked like the button.
        if (stop(Request::Cancel)) return false;
        break;
      case EventCloseDown:
        if (stop(Request::CloseDown)) return false;
        break;
      default:
        DefaultHandling(window_, event);
        break;
    }
  }
  return false;
}

bool ForAbout(std::chrono::milliseconds budget, const std::function<bool()>& work) {
  const auto end = std::chrono::steady_clock::now() + budget;
  do {
    if (!work()) return false;
  } while (std::chrono::steady_clock::now() < end);
  return true;
}

}  // namespace wdrt
