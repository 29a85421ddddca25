// Shaped top-level windows and what a replaced window procedure gives the menus: a window's
// region (CreateRoundRectRgn, CreatePolygonRgn, SetWindowRgn), mouse button messages turned
// into user events, and system commands (WM_SYSCOMMAND) such as dragging a borderless window.
// Called from procedure threads; the view reads the shapes on the GUI thread.
#pragma once

#include <utility>
#include <vector>

#include "runtime/core/Window.h"

namespace wdrt {

// A region in the window's own units: the rectangle from (0, 0) to the window's width and
// height (its client geometry when the region was set) covers the whole window on the screen,
// so a shape made from the window's size keeps its proportions whatever the screen's scale,
// and stretches with the window when it is resized.
struct WindowRegion {
  enum class Kind { None, RoundRect, Polygon };
  Kind kind = Kind::None;
  Geometry rect;                          // RoundRect: the rectangle
  int ellipseWidth = 0;                   // RoundRect: size of the corner ellipses
  int ellipseHeight = 0;
  std::vector<std::pair<int, int>> points;  // Polygon, filled by the winding rule
  Geometry reference;                     // the window's size the region was made for (SetWindowRgn)
};

WindowRegion CreateRoundRectRgn(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);
WindowRegion CreatePolygonRgn(std::vector<std::pair<int, int>> points);

// Applies (or, with Kind::None, removes) the region: outside it the window is not there.
// Journals `window-region "<title>" <none|round-rect|polygon>`.
void SetWindowRgn(const WindowPtr& window, const WindowRegion& region, bool redraw = true);
WindowRegion GetWindowRgn(const WindowPtr& window);

// The user events that mouse buttons on the window's own area (not on a control) post.
enum ButtonEvent : int {
  EventLeftButtonDown = 1024,
  EventLeftButtonUp = 1025,
  EventRightButtonDown = 1026,
  EventRightButtonUp = 1027,
};
// Switches the posting of the button events on or off for a window.
void SetButtonEvents(const WindowPtr& window, bool on);
bool ButtonEvents(const WindowPtr& window);

// System commands carried out by the view for a top-level window.
enum SystemCommand : int {
  ScSize = 0xF000,
  ScMove = 0xF010,
  ScDragMove = 0xF012,  // move with the mouse, as when dragging the caption
  ScMinimize = 0xF020,
  ScMaximize = 0xF030,
  ScRestore = 0xF120,
};
// Posts the command to the window's view; journals `syscommand "<title>" <hex>`.
void PostSysCommand(const WindowPtr& window, int command);

}  // namespace wdrt
