// The scrollable viewport control: its child controls (an image, a box) lie on a canvas that
// scrolls inside it and stands centred when smaller. Scroll positions and clicks go to the
// model as 0 .. 255 fractions; a left click is an accepted event of the viewport. Also draws
// page metafiles for image controls. GUI thread only.
#pragma once

#include <QPixmap>
#include <QScrollArea>
#include <QString>

#include "runtime/core/Window.h"

namespace wdrt::view {

class ControlViewport : public QScrollArea {
  Q_OBJECT
 public:
  ControlViewport(const WindowPtr& window, int number, QWidget* parent);
  QWidget* Canvas() const { return widget(); }
  void Apply(const ControlState& state);
  // Sizes the canvas to hold its children.
  void FitCanvas();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Scrolled();

  std::weak_ptr<Window> window_;
  int number_;
  bool applying_ = false;
  int cursor_ = -1;
};

// True for a picture name that is a metafile (".wmf", any case).
bool IsMetafileName(const std::string& name);
// The page metafile drawn on white at `size` pixels; the last few drawings are kept.
QPixmap RenderMetafile(const QString& path, const QSize& size);

}  // namespace wdrt::view
