// The runtime's side of the view: what the core asks of the screen. The Qt view implements
// it on the GUI thread; without a view (unit tests) windows live as models only.
// Notifications may be called from any thread and must not block; ShowMessage blocks the
// calling procedure thread until the user answers.
#pragma once

#include <string>

#include "runtime/core/Window.h"

namespace wdrt {

struct MessageRequest {
  std::string text;     // "|" breaks a line
  std::string caption;
  int icon = 0;         // StockIcon or 0
  int buttons = 1;      // set of Button values
  int defaultButton = 0;
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
  // True when the whole window lies on the screen's available area and, for a child window,
  // inside its frame's child-window area with no scroll bar showing; else `why` says why not.
  virtual bool WhollyVisible(const WindowPtr& /*window*/, std::string& why) {
    why = "no view";
    return false;
  }
};

void SetViewPort(ViewPort* view);
ViewPort* GetViewPort();

}  // namespace wdrt
