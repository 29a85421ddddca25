#include "runtime/view/FrameFit.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStyle>
#include <algorithm>
#include <cmath>

#include "runtime/view/Units.h"

namespace wdrt::view {

FrameChrome MeasureFrameChrome(bool withChildFrame) {
  FrameChrome chrome;
  static const int menuBar = [] {
    QMenuBar bar;
    bar.addMenu("&File");
    return bar.sizeHint().height();
  }();
  chrome.menuBar = menuBar;
  if (withChildFrame) {
    static const QSize childFrame = [] {
      QMdiArea area;
      auto* client = new QWidget;
      client->resize(200, 100);
      QMdiSubWindow* child = area.addSubWindow(client);
      child->adjustSize();
      const QMargins margins = child->contentsMargins();
      return QSize(margins.left() + margins.right(), margins.top() + margins.bottom());
    }();
    chrome.childFrame = childFrame;
  }
  // The window manager's title bar and borders are not known before the window is shown; a
  // title bar of the style's height and thin borders stand in for them.
  const int title = QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight);
  chrome.windowFrame = QSize(8, title + 8);
  return chrome;
}

int ToolbarHeightUnits(const WindowDef& def) {
  if (def.toolbar.empty()) return 0;
  int bottom = 0;
  for (const ControlDef& c : def.toolbar) bottom = std::max(bottom, c.pos.y + c.pos.height);
  return bottom + 2;
}

QSize FrameSizeAt(const WindowDef& def, const FrameChrome& chrome, double scale) {
  const auto x = [scale](int units) { return static_cast<int>(std::lround(units * 1.5 * scale)); };
  const auto y = [scale](int units) { return static_cast<int>(std::lround(units * 1.625 * scale)); };
  int toolbarWidth = 0;
  for (const ControlDef& c : def.toolbar) toolbarWidth = std::max(toolbarWidth, c.pos.x + c.pos.width);
  const int width = std::max(x(def.size.width) + chrome.childFrame.width(), x(toolbarWidth + 2));
  const int height = chrome.menuBar + y(ToolbarHeightUnits(def)) + y(def.size.height) + chrome.childFrame.height();
  return {width, height};
}

QSize WindowSizeAt(const WindowDef& def, const FrameChrome& chrome, double scale) {
  const int width = static_cast<int>(std::lround(def.size.width * 1.5 * scale));
  const int height = static_cast<int>(std::lround(def.size.height * 1.625 * scale));
  return {width, height + (def.menu.empty() ? 0 : chrome.menuBar)};
}

double ScaleToFit(const WindowDef& def, const FrameChrome& chrome, QSize available) {
  const QSize room = available - chrome.windowFrame;
  const bool frame = def.kind == WindowKind::Frame;
  const double largest = frame ? kMaxBookScale : kDesignScale;
  for (int hundredths = static_cast<int>(largest * 100); hundredths > kMinScale * 100; --hundredths) {
    const double scale = hundredths / 100.0;
    const QSize size = frame ? FrameSizeAt(def, chrome, scale) : WindowSizeAt(def, chrome, scale);
    if (size.width() <= room.width() && size.height() <= room.height()) return scale;
  }
  return kMinScale;
}

QRect PlaceOnScreen(QRect at, bool resizable, const QRect& available, const FrameChrome& chrome) {
  const QSize room = available.size() - chrome.windowFrame;
  if (resizable) at.setSize(at.size().boundedTo(room));
  const QRect outer = at.adjusted(0, 0, chrome.windowFrame.width(), chrome.windowFrame.height());
  if (!available.contains(outer)) {
    at.moveTo(available.x() + std::max(0, (available.width() - outer.width()) / 2),
              available.y() + std::max(0, (available.height() - outer.height()) / 2));
  }
  return at;
}

}  // namespace wdrt::view
