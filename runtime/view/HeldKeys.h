// Keys that count only when held down (Runtime.h, AlertHeld): a press of an armed key starts a
// timer, and any key released before it runs out cancels the gesture. When the time is up (or a
// release arrives after the time, on a busy GUI thread) the key reaches the arming window as
// an alert-key event. GUI thread only.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <memory>
#include <vector>

#include "runtime/core/Window.h"

namespace wdrt::view {

class HeldKeyWatcher : public QObject {
  Q_OBJECT
 public:
  explicit HeldKeyWatcher(QObject* parent);

  // A key press in a widget inside `windows` (innermost first). True when the press belongs to
  // a held-key gesture and is consumed.
  bool Pressed(const std::vector<WindowPtr>& windows, int key, bool autoRepeat);
  // Any key released (auto-repeat releases excepted) ends the gesture.
  void Released(bool autoRepeat);

 private:
  void TimeUp();

  QTimer timer_;
  QElapsedTimer heldFor_;
  std::weak_ptr<Window> window_;
  int key_ = 0;
  int needed_ = 0;  // milliseconds
};

}  // namespace wdrt::view
