// The widgets that show one window model: the client area with its controls (WindowWidget),
// the frame with menu bar, toolbar and child-window area (FrameWindow), and the frame around
// a child window (ChildFrame). GUI thread only.
#pragma once

#include <QMainWindow>
#include <QMenuBar>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QWidget>
#include <map>
#include <string>

#include "runtime/core/Window.h"

namespace wdrt::view {

// The maximized and iconized states: the model's (PropMaximize, PropIconize) shown by a
// top-level or child window, and a user's change reported back to the model.
void ApplyWindowState(QWidget* shown, const WindowPtr& window);
void ReportWindowState(const QWidget* shown, const WindowPtr& window);

class WindowWidget : public QWidget {
  Q_OBJECT
 public:
  enum class Part { Client, Toolbar };
  WindowWidget(const WindowPtr& window, Part part, QWidget* parent);

  const WindowPtr& Model() const { return window_; }
  QWidget* ControlWidget(int number) const;
  // Brings one control (0: all controls and the window's own state) up to date.
  void Refresh(int control);
  // Closing by the user's hand becomes a close-window event; the model decides.
  void SetReportsClose(bool reports) { reportsClose_ = reports; }
  QSize sizeHint() const override;
  // The item of the window's own menu bar (windows with menus but no frame).
  QAction* MenuAction(int number) const;
  // The widget the controls lie on.
  QWidget* Surface();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void Build();
  bool Wanted(const ControlState& state) const;
  void EvenOutTexts();

  WindowPtr window_;
  Part part_;
  std::map<int, QWidget*> controls_;
  bool reportsClose_ = false;
  bool built_ = false;
  QMenuBar* menuBar_ = nullptr;
  QWidget* surface_ = nullptr;
  bool wasActive_ = false;
  std::map<int, QAction*> menuActions_;
};

// Frame of a child window: its close box asks the model instead of closing.
class ChildFrame : public QMdiSubWindow {
  Q_OBJECT
 public:
  ChildFrame(const WindowPtr& window, QWidget* parent);
  bool allowClose = false;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  WindowPtr window_;
};

// Child-window area that shows the frame's picture stretched behind the windows.
class PictureMdiArea : public QMdiArea {
  Q_OBJECT
 public:
  explicit PictureMdiArea(QWidget* parent);
  // Shows picture `name` stretched over the area, decoded at the area's size.
  void SetPicture(const std::string& name);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void ShowPicture();

  std::string pictureName_;
  QPixmap picture_;
};

class FrameWindow : public QMainWindow {
  Q_OBJECT
 public:
  explicit FrameWindow(const WindowPtr& window);

  const WindowPtr& Model() const { return window_; }
  PictureMdiArea* Area() const { return area_; }
  WindowWidget* Toolbar() const { return toolbar_; }
  QAction* MenuAction(int number) const;
  void Refresh(int control);
  bool allowClose = false;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void BuildMenu();

  WindowPtr window_;
  PictureMdiArea* area_ = nullptr;
  WindowWidget* toolbar_ = nullptr;
  std::map<int, QAction*> actions_;
};

}  // namespace wdrt::view
