// Control type numbers and the numbered properties that procedures read and write.
// Plain constants; any thread.
#pragma once

namespace wdrt {

enum ControlType : int {
  TypeStaticString = 1,
  TypeString = 2,
  TypeImage = 3,
  TypeRegion = 4,
  TypeLine = 5,
  TypeBox = 6,
  TypeEllipse = 7,
  TypeEntry = 8,
  TypeButton = 9,
  TypePrompt = 10,
  TypeOption = 11,
  TypeCheck = 12,
  TypeGroup = 13,
  TypeList = 14,
  TypeCombo = 15,
  TypeSpin = 16,
  TypeText = 17,
  TypeMenu = 19,
  TypeItem = 20,
  TypeRadio = 21,
  TypeOle = 32,
  TypeDropList = 33,
  TypeDropCombo = 34,
  TypeProgress = 35,
  TypeSheet = 36,
  TypeTab = 37,
  TypePanel = 38,
  TypeRichText = 39,
  TypeViewport = 40,  // a scrollable area; controls that name it as parent scroll inside it
  TypeToolbar = 128,
};

enum Property : int {
  PropNoResize = 31257,       // the resizer leaves this control alone
  PropKeepWidth = 31296,      // the resizer never changes this control's width
  PropType = 31745,           // read-only: the control's type number
  PropXPos = 31746,
  PropYPos = 31747,
  PropWidth = 31748,
  PropHeight = 31749,
  PropParent = 31750,         // read-only: number of the containing control, 0 for the window
  PropDrop = 31840,           // a list that drops down
  PropMaximize = 31834,       // the window is maximized (kept up to date by the view)
  PropIconize = 31835,        // the window is minimized to an icon (kept up to date by the view)
  PropResizeRouted = 31850,   // the window's sized event is routed to a resizer
  PropHandle = 31894,         // the window's system handle
  PropNoReset = 31898,        // the window skips its controller's Reset
  PropFocus = 31900,          // the control with the input focus (kept by the view)
  PropButtonStyle = 31901,    // how a button is drawn: ButtonStylePlain or ButtonStyleHotSpot
  PropMinWidth = 31917,
  PropMinHeight = 31918,
  PropMaxWidth = 31919,
  PropMaxHeight = 31920,
  PropDeferMoves = 31933,     // number of deferred moves pending; 0 applies them
  PropTimer = 31960,          // timer interval in hundredths of a second
  // A viewport's scroll positions (0 .. 255 across the range), the last click in it (0 .. 255
  // across what it shows) and its cursor (ViewportCursor).
  PropScrollX = 31991,
  PropScrollY = 31992,
  PropClickX = 31993,
  PropClickY = 31994,
  PropViewportCursor = 31995,
  PropShaping = 31845,        // 1 while a borderless window is being shaped: not shown yet
  // The word of a button's text shown lit up while it is read aloud: its number among the
  // blank-separated words, from 1; 0 for none; kReadEveryWord for all of them at once.
  PropReadWord = 31996,
  // A button drawn dimmed that still takes presses (what it starts is not there).
  PropDimmed = 31997,
  // An answer's reply shown on it: a number that grows with every press, times two, plus 1 for
  // a right answer (a ring) or 0 for a wrong one (a short shake); 0 for none yet.
  PropAnswerReply = 31998,
};

inline constexpr long kReadEveryWord = -1;

enum ViewportCursor : int { CursorArrow = 0, CursorZoomIn = 1, CursorZoomOut = 2 };

enum ButtonStyle : int {
  ButtonStylePlain = 0,    // a raised button with its own background
  ButtonStyleHotSpot = 1,  // flat, the window's picture showing through, outlined text
};

}  // namespace wdrt
