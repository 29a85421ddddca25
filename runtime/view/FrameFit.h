// How large a frame window opens. Its child-window area holds a child window as large as the
// frame's designed size, title bar and borders included, under the menu bar and toolbar, so a
// page (never larger than its frame's design) opens whole, without scroll bars. When the
// screen's available area cannot hold that at the design scale, the scale of dialog units is
// lowered for the whole run so that it does. GUI thread only.
#pragma once

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

// The chrome of the current style, measured with throwaway widgets.
FrameChrome MeasureFrameChrome();

// Height of the toolbar in dialog units: its lowest control and a small margin.
int ToolbarHeightUnits(const WindowDef& def);

// The frame's size (menu bar, toolbar and child-window area) at dialog-unit scale `scale`.
QSize FrameSizeAt(const WindowDef& def, const FrameChrome& chrome, double scale);

// The largest scale, from kMinScale up to kDesignScale in steps of 0.01, at which the frame and
// its window frame fit into `available`.
double ScaleToFit(const WindowDef& def, const FrameChrome& chrome, QSize available);

}  // namespace wdrt::view
