#include "runtime/view/HeldKeys.h"

#include "runtime/core/Runtime.h"

namespace wdrt::view {

HeldKeyWatcher::HeldKeyWatcher(QObject* parent) : QObject(parent) {
  timer_.setSingleShot(true);
  timer_.setTimerType(Qt::PreciseTimer);  // a coarse timer may run 5 % (100 ms) late
  connect(&timer_, &QTimer::timeout, this, &HeldKeyWatcher::TimeUp);
}

bool HeldKeyWatcher::Pressed(const std::vector<WindowPtr>& windows, int key, bool autoRepeat) {
  // The keyboard repeats a key that is held; the repeats belong to the gesture under way.
  if (autoRepeat) return key_ != 0 && key == key_;
  for (const WindowPtr& window : windows) {
    const int milliseconds = window->HeldKeyTime(key);
    if (milliseconds <= 0) continue;
    window_ = window;
    key_ = key;
    needed_ = milliseconds;
    heldFor_.start();
    timer_.start(milliseconds);
    return true;
  }
  return false;
}

void HeldKeyWatcher::Released(bool autoRepeat) {
  if (autoRepeat) return;
  timer_.stop();
  // The timer may not have had its turn yet when the thread was busy; the time held decides.
  if (key_ != 0 && heldFor_.isValid() && heldFor_.elapsed() >= needed_) {
    TimeUp();
    return;
  }
  key_ = 0;
}

void HeldKeyWatcher::TimeUp() {
  const int key = key_;
  key_ = 0;
  if (WindowPtr window = window_.lock()) PostHeldKey(window, key);
}

}  // namespace wdrt::view
