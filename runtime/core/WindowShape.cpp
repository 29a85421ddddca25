#include "runtime/core/WindowShape.h"

#include <cstdio>
#include <map>
#include <mutex>

#include "runtime/core/Journal.h"
#include "runtime/core/ViewPort.h"

namespace wdrt {
namespace {

struct Shape {
  WindowRegion region;
  bool buttonEvents = false;
};

struct Shapes {
  std::mutex mutex;
  std::map<int, Shape> byWindow;
};

Shapes& AllShapes() {
  static Shapes* shapes = new Shapes;  // never destroyed: threads may outlive main()
  return *shapes;
}

}  // namespace

WindowRegion CreateRoundRectRgn(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight) {
  WindowRegion region;
  region.kind = WindowRegion::Kind::RoundRect;
  region.rect = Geometry{left, top, right - left, bottom - top};
  region.ellipseWidth = ellipseWidth;
  region.ellipseHeight = ellipseHeight;
  return region;
}

WindowRegion CreatePolygonRgn(std::vector<std::pair<int, int>> points) {
  WindowRegion region;
  region.kind = WindowRegion::Kind::Polygon;
  region.points = std::move(points);
  return region;
}

void SetWindowRgn(const WindowPtr& window, const WindowRegion& region, bool redraw) {
  if (!window) return;
  {
    Shapes& s = AllShapes();
    std::lock_guard lock(s.mutex);
    WindowRegion& kept = s.byWindow[window->Id()].region;
    kept = region;
    kept.reference = window->ClientGeometry();
  }
  static const char* const kKinds[] = {"none", "round-rect", "polygon"};
  JournalLine("window-region " + JournalQuote(window->Title()) + " " + kKinds[static_cast<int>(region.kind)]);
  if (!redraw) return;
  if (ViewPort* view = GetViewPort()) view->WindowChanged(window, 0);
}

WindowRegion GetWindowRgn(const WindowPtr& window) {
  if (!window) return {};
  Shapes& s = AllShapes();
  std::lock_guard lock(s.mutex);
  auto it = s.byWindow.find(window->Id());
  return it == s.byWindow.end() ? WindowRegion{} : it->second.region;
}

void SetButtonEvents(const WindowPtr& window, bool on) {
  if (!window) return;
  Shapes& s = AllShapes();
  {
    std::lock_guard lock(s.mutex);
    s.byWindow[window->Id()].buttonEvents = on;
  }
  // From here a press on the window is its own event: a script waits for this before clicking.
  JournalLine("button-events " + JournalQuote(window->Title()) + (on ? " on" : " off"));
}

bool ButtonEvents(const WindowPtr& window) {
  if (!window) return false;
  Shapes& s = AllShapes();
  std::lock_guard lock(s.mutex);
  auto it = s.byWindow.find(window->Id());
  return it != s.byWindow.end() && it->second.buttonEvents;
}

void PostSysCommand(const WindowPtr& window, int command) {
  if (!window) return;
  char hex[16];
  std::snprintf(hex, sizeof hex, "0x%X", static_cast<unsigned>(command));
  JournalLine("syscommand " + JournalQuote(window->Title()) + " " + hex);
  if (ViewPort* view = GetViewPort()) view->SysCommand(window, command);
}

}  // namespace wdrt
