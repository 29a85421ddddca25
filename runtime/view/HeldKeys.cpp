#include "runtime/view/HeldKeys.h"

#include "runtime/core/Runtime.h"

namespace wdrt::view {

HeldKeyWatcher::HeldKeyWatcher(QObject* parent) : QObject(parent) {
  timer_.setSingleShot(true);
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
    timer_.start(milliseconds);
    return true;
  }
  return false;
}

void HeldKeyWatcher::Released(bool autoRepeat) {
  if (autoRepeat) return;
  timer_.stop();
  key_ = 0;
}

void HeldKeyWatcher::TimeUp() {
  const int key = key_;
  key_ = 0;
  if (WindowPtr window = window_.lock()) PostHeldKey(window, key);
}

}  // namespace wdrt::view
