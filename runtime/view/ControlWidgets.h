// The Qt widget of each control type, made from and updated by the control's model state.
// User input on a control becomes an event posted to the control's window. GUI thread only.
#pragma once

#include <QAbstractButton>
#include <QPixmap>
#include <QWidget>

#include "runtime/core/Window.h"

namespace wdrt::view {

// Buttons: plain (raised, own background) or hot spots (flat over the window's picture).
class ControlButton : public QAbstractButton {
  Q_OBJECT
 public:
  explicit ControlButton(QWidget* parent);
  void Apply(const ControlState& state, const QFont& font);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  QPixmap picture_;
  QIcon stateIcon_;
  QColor textColor_;
  QColor background_;
  int style_ = 0;
  bool hover_ = false;
};

// A picture that fills its control.
class ControlImage : public QWidget {
  Q_OBJECT
 public:
  explicit ControlImage(QWidget* parent);
  void SetPicture(const QPixmap& picture);
  // A page metafile, drawn at the control's size.
  void SetMetafile(const QString& path);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPixmap picture_;
  QString metafile_;
};

// A static text; light texts get a dark outline so that they read over pictures.
class ControlLabel : public QWidget {
  Q_OBJECT
 public:
  explicit ControlLabel(QWidget* parent);
  void Apply(const ControlState& state, const QFont& font);
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString text_;
  QFont font_;
  QColor color_;
  QColor background_;
};

// A transparent area that takes clicks and tells when the mouse enters and leaves it.
class ControlRegion : public QWidget {
  Q_OBJECT
 public:
  ControlRegion(const WindowPtr& window, int number, QWidget* parent);

 protected:
  void mousePressEvent(QMouseEvent*) override {}
  void mouseReleaseEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  std::weak_ptr<Window> window_;
  int number_;
};

// Creates the widget of a control and wires its input to the window's queue.
QWidget* CreateControlWidget(const WindowPtr& window, const ControlState& state, const FontDef& windowFont,
                             QWidget* parent);
// Brings an existing widget up to date with the model (text, picture, state, geometry).
void UpdateControlWidget(QWidget* widget, const ControlState& state, const FontDef& windowFont);

}  // namespace wdrt::view
