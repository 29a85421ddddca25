// How large a program's windows open. The scale of dialog units is chosen once, from the
// screen the program's first window opens on, so that every window of the program shares it:
// a book's frame (menu bar, toolbar and a child-window area that holds its largest page whole,
// title bar and borders included) fills the screen's available area as far as its proportions
// allow; a menu fits the screen without growing past the design scale. Later windows that the
// scale makes too large for the screen are bounded to it and laid out by their resizers.
// GUI thread only.
#pragma once

#include <QRect>
#include <QSize>

#include "runtime/core/WindowDef.h"

namespace wdrt::view {

// Pixel sizes that do not grow with dialog units.
struct FrameChrome {
  int menuBar = 0;     // height of the menu bar
  QSize childFrame;    // what a child window's title bar and borders add to its client area
  QSize windowFrame;   // allowance for what a window manager adds around a top-level window
};

// Below this the texts of a page would be too small for a child to read.
constexpr double kMinScale = 1.0;
// A book may grow past the design scale to use a large screen; its pictures are made with
// pixels enough for this.
constexpr double kMaxBookScale = 4.0;

// The chrome of the current style, measured once with throwaway widgets. The child frame is
// measured only when asked for: a program without a frame window need not pay for it.
FrameChrome MeasureFrameChrome(bool withChildFrame = true);

// Height of the toolbar in dialog units: its lowest control and a small margin.
int ToolbarHeightUnits(const WindowDef& def);

// The frame's size (menu bar, toolbar and child-window area) at dialog-unit scale `scale`.
QSize FrameSizeAt(const WindowDef& def, const FrameChrome& chrome, double scale);

// A top-level window's size at `scale`: its client area and its own menu bar.
QSize WindowSizeAt(const WindowDef& def, const FrameChrome& chrome, double scale);

// The largest scale, from kMinScale up to kMaxBookScale for a frame and up to kDesignScale for
// any other window, in steps of 0.01, at which the window and its window frame fit into
// `available`.
double ScaleToFit(const WindowDef& def, const FrameChrome& chrome, QSize available);

// Where a top-level window of `size` (without the window manager's frame) goes on a screen
// whose available area is `available`: bounded to it (when `resizable`), and moved inside it,
// centred, when it would stick out at `at`.
QRect PlaceOnScreen(QRect at, bool resizable, const QRect& available, const FrameChrome& chrome);

}  // namespace wdrt::view
