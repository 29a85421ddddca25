// The Qt view: shows every window model as widgets on the GUI thread and carries out what the
// scripted driver asks a user to do. Notifications may come from any thread; they are queued
// to the GUI thread. Blocking requests must not come from the GUI thread itself.
#pragma once

#include <QMenu>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <map>
#include <vector>

#include "runtime/core/ViewPort.h"

namespace wdrt::view {

class FrameWindow;
class WindowWidget;
class ChildFrame;
class HeldKeyWatcher;

class QtView : public QObject, public ViewPort {
  Q_OBJECT
 public:
  QtView();
  ~QtView() override;

  void WindowOpened(const WindowPtr& window) override;
  void WindowClosed(const WindowPtr& window) override;
  void WindowChanged(const WindowPtr& window, int control) override;
  void SelectControl(const WindowPtr& window, int control) override;
  void RunStdAction(const WindowPtr& window, StdAction action) override;
  int ShowMessage(const MessageRequest& request) override;
  Geometry MeasureText(const FontDef& font, const FontDef& windowFont, const std::string& text) override;
  void Quit(int exitCode) override;

  bool Press(const WindowPtr& window, int control) override;
  bool Type(const WindowPtr& window, int control, const std::string& text) override;
  bool Screenshot(const WindowPtr& window, const std::string& file) override;
  bool ResizeByUser(const WindowPtr& window, int widthDlu, int heightDlu) override;
  bool CloseByUser(const WindowPtr& window) override;
  bool WhollyVisible(const WindowPtr& window, int fillPercent, std::string& why) override;
  std::optional<std::string> Layout(const WindowPtr& window) override;
  bool AnswerMessage(int button) override;
  bool Key(const WindowPtr& window, int key) override;
  bool HoldKey(const WindowPtr& window, int key, int milliseconds) override;
  int ShowPopup(const WindowPtr& window, const std::vector<PopupItem>& items) override;
  bool ChoosePopupItem(const std::string& text) override;

 protected:
  // Key presses in a window whose model armed the key become alert-key events.
  bool eventFilter(QObject* watched, QEvent* event) override;
  bool ClickAt(const WindowPtr& window, int x, int y) override;
  bool MoveMouseTo(const WindowPtr& window, int x, int y) override;
  std::optional<Geometry> MousePosition(const WindowPtr& window) override;
  void SysCommand(const WindowPtr& window, int command) override;

 private:
  struct Shown {
    WindowPtr model;
    QPointer<QWidget> top;             // what the user sees as the window
    QPointer<WindowWidget> client;     // the client area (null for a frame)
    QPointer<FrameWindow> frame;       // set for frames
    QPointer<ChildFrame> child;        // set for child windows
    bool awaitingShape = false;        // a borderless window not shown until it is shaped
  };

  template <typename F> auto OnGui(F&& f);  // runs f on the GUI thread and waits for it
  void Create(const WindowPtr& window);
  void Destroy(int windowId);
  void Refresh(int windowId, int control);
  Shown* Find(int windowId);
  QWidget* ControlWidget(const Shown& shown, int control);
  FrameWindow* CurrentFrame();

  std::map<int, Shown> shown_;
  std::vector<QPointer<QMessageBox>> openBoxes_;
  QPointer<QMenu> openMenu_;
  HeldKeyWatcher* heldKeys_;  // child of this view
};

}  // namespace wdrt::view
