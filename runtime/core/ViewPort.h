// The runtime's side of the view: what the core asks of the screen. The Qt view implements
// it on the GUI thread; without a view (unit tests) windows live as models only.
// Notifications may be called from any thread and must not block; ShowMessage blocks the
// calling procedure thread until the user answers.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "runtime/core/Window.h"

namespace wdrt {

struct MessageRequest {
  std::string text;     // "|" breaks a line
  std::string caption;
  int icon = 0;         // StockIcon or 0
  int buttons = 1;      // set of Button values
  int defaultButton = 0;
};

// One entry of a pop-up menu; "&" marks its access key.
struct PopupItem {
  std::string text;
  bool enabled = true;
};

class ViewPort {
 public:
  virtual ~ViewPort() = default;

  virtual void WindowOpened(const WindowPtr& window) = 0;
  virtual void WindowClosed(const WindowPtr& window) = 0;
  // Control 0: the window itself (title, covered state, size, deferred moves done).
  virtual void WindowChanged(const WindowPtr& window, int control) = 0;
  virtual void SelectControl(const WindowPtr& window, int control) = 0;
  virtual void RunStdAction(const WindowPtr& window, StdAction action) = 0;
  virtual int ShowMessage(const MessageRequest& request) = 0;
  // The size in dialog units of a text on one line, for controls that take their text's size.
  virtual Geometry MeasureText(const FontDef& font, const FontDef& windowFont, const std::string& text) = 0;
  virtual void Quit(int exitCode) = 0;

  // What a user does, for the scripted driver. Each returns false when it cannot be done.
  virtual bool Press(const WindowPtr& window, int control) = 0;
  virtual bool Type(const WindowPtr& window, int control, const std::string& text) = 0;
  virtual bool Screenshot(const WindowPtr& window, const std::string& file) = 0;
  virtual bool ResizeByUser(const WindowPtr& window, int widthDlu, int heightDlu) = 0;
  virtual bool CloseByUser(const WindowPtr& window) = 0;
  virtual bool AnswerMessage(int button) = 0;  // answers the open message box, if any
  // POPUP: shows a menu near the window's top and waits; the chosen item's number from 1, or 0.
  virtual int ShowPopup(const WindowPtr& window, const std::vector<PopupItem>& items) {
    (void)window; (void)items; return 0;
  }
  // Chooses the item of the open pop-up menu whose text (without "&", any case) is `text`;
  // "" closes the menu without a choice. False when no menu is open.
  virtual bool ChoosePopupItem(const std::string& text) { (void)text; return false; }
  // Presses a key (Keys.h) in the window, where its focus is.
  virtual bool Key(const WindowPtr& window, int key) { (void)window; (void)key; return false; }
  // Holds a key down in the window for `milliseconds`, then releases it; blocks the caller
  // (never the GUI thread) meanwhile.
  virtual bool HoldKey(const WindowPtr& window, int key, int milliseconds) {
    (void)window; (void)key; (void)milliseconds; return false;
  }
  // Presses and releases the left mouse button at a point of the window in dialog units.
  virtual bool ClickAt(const WindowPtr&, int, int) { return false; }
  // Moves the mouse pointer to a point of the window in dialog units, as a hand on the mouse.
  virtual bool MoveMouseTo(const WindowPtr&, int, int) { return false; }
  // Where the mouse pointer is, in dialog units of the window's area (outside it too);
  // nullopt while the window is not on the screen.
  virtual std::optional<Geometry> MousePosition(const WindowPtr&) { return std::nullopt; }

  // Carries out a system command (WindowShape.h) on a top-level window; must not block.
  virtual void SysCommand(const WindowPtr&, int) {}
  // True when the whole window lies on the screen's available area and, for a child window,
  // inside its frame's child-window area with no scroll bar showing and, when `fillPercent` is
  // not 0, filling at least that share of the area's height or width, whichever limits; else
  // `why` says why not.
  virtual bool WhollyVisible(const WindowPtr& /*window*/, int /*fillPercent*/, std::string& why) {
    why = "no view";
    return false;
  }
  // Where a window's controls and their texts are on the screen, one line each, in pixels of
  // the window's surface: `surface <width> <height> <design width> <design height>`, then
  // `control <number> <type> <x> <y> <w> <h> <text x> <y> <w> <h> <style> "<picture>" "<text>"`
  // (text box 0 0 0 0 without a text; style plain, hotspot or label). nullopt while the window
  // is not shown.
  virtual std::optional<std::string> Layout(const WindowPtr&) { return std::nullopt; }
};

void SetViewPort(ViewPort* view);
ViewPort* GetViewPort();

}  // namespace wdrt
