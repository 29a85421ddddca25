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

FrameChrome MeasureFrameChrome() {
  FrameChrome chrome;
  QMenuBar bar;
  bar.addMenu("&File");
  chrome.menuBar = bar.sizeHint().height();
  QMdiArea area;
  auto* client = new QWidget;
  client->resize(200, 100);
  QMdiSubWindow* child = area.addSubWindow(client);
  child->adjustSize();
  const QMargins margins = child->contentsMargins();
  chrome.childFrame = QSize(margins.left() + margins.right(), margins.top() + margins.bottom());
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

double ScaleToFit(const WindowDef& def, const FrameChrome& chrome, QSize available) {
  const QSize room = available - chrome.windowFrame;
  for (int hundredths = static_cast<int>(kDesignScale * 100); hundredths > kMinScale * 100; --hundredths) {
    const QSize size = FrameSizeAt(def, chrome, hundredths / 100.0);
    if (size.width() <= room.width() && size.height() <= room.height()) return hundredths / 100.0;
  }
  return kMinScale;
}

}  // namespace wdrt::view
