// The Qt widget of each control type, made from and updated by the control's model state.
// User input on a control becomes an event posted to the control's window. GUI thread only.
#pragma once

#include <QAbstractButton>
#include <QPixmap>
#include <QPointer>
#include <QVariantAnimation>
#include <QWidget>

#include "runtime/core/Window.h"

namespace wdrt::view {

// A picture that a widget shows at its own size: asked of the picture cache, and replaced (with
// a repaint of the widget) when a better decode arrives. Belongs to the widget it repaints.
class PictureSlot {
 public:
  // Shows picture `name` (empty: none) in `owner` at `size` pixels.
  void Show(QWidget* owner, const std::string& name, QSize size);
  const QPixmap& Pixmap() const { return pixmap_; }
  const std::string& Name() const { return name_; }

 private:
  std::string name_;
  QPixmap pixmap_;
};

// Buttons: plain (raised, own background) or hot spots (flat over the window's picture).
class ControlButton : public QAbstractButton {
  Q_OBJECT
 public:
  explicit ControlButton(QWidget* parent);
  void Apply(const ControlState& state, const QFont& font);
  // Asks for the button's picture at its present size.
  void ShowPicture();
  // Where its text is drawn: the box of all its ink, in the button's coordinates.
  QRect TextBounds() const;
  // The pixel size its text is drawn at, and a cap on it (0: none) so that a row of buttons
  // can show their texts at one size.
  int FittedTextPixels() const;
  void SetTextCap(int pixels);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  QRect TextRect() const;
  QColor TextColor() const;
  QFont TextFont() const;
  void ShowReply(bool right);

  std::string pictureName_;
  PictureSlot picture_;
  QIcon stateIcon_;
  QColor textColor_;
  QColor background_;
  int style_ = 0;
  int litWord_ = -1;  // the word read aloud now, from 0
  bool hover_ = false;
  bool dimmed_ = false;
  int textCap_ = 0;
  long reply_ = 0;        // the last answer reply shown (PropAnswerReply)
  double replyPhase_ = -1;  // 0 … 1 while a reply shows, -1 when none does
  bool replyRight_ = false;
  QPointer<QVariantAnimation> replyAnimation_;
};

// A picture that fills its control.
class ControlImage : public QWidget {
  Q_OBJECT
 public:
  explicit ControlImage(QWidget* parent);
  // Shows picture `name` at the control's present size (and again when it grows); a page
  // metafile (".wmf") is drawn by the player at the control's size.
  void SetPicture(const std::string& name);
  const QPixmap& Shown() const { return picture_.Pixmap(); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  PictureSlot picture_;
  QString metafile_;
};

// A static text; light texts get a dark outline so that they read over pictures.
class ControlLabel : public QWidget {
  Q_OBJECT
 public:
  explicit ControlLabel(QWidget* parent);
  void Apply(const ControlState& state, const QFont& font);
  QSize sizeHint() const override;
  // Where its text is drawn, in the label's coordinates.
  QRect TextBounds() const;

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
