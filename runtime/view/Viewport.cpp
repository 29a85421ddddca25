#include "runtime/view/Viewport.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <list>

#include "runtime/core/Runtime.h"
#include "runtime/report/WmfPlayer.h"

namespace wdrt::view {
namespace {

constexpr int kCanvasMargin = 8;

int ToFraction(int value, int maximum) { return maximum <= 0 ? 0 : (value * 255 + maximum / 2) / maximum; }
int FromFraction(long fraction, int maximum) {
  return static_cast<int>(std::clamp(fraction, 0L, 255L) * maximum / 255);
}

// A magnifying glass with a plus (zoom in) or a minus (zoom out).
QCursor ZoomCursor(bool in) {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(Qt::white, 5));
  p.drawEllipse(QPointF(12, 12), 8, 8);
  p.drawLine(18, 18, 28, 28);
  p.setPen(QPen(Qt::black, 2.5));
  p.drawEllipse(QPointF(12, 12), 8, 8);
  p.drawLine(18, 18, 28, 28);
  p.setPen(QPen(Qt::black, 2));
  p.drawLine(8, 12, 16, 12);
  if (in) p.drawLine(12, 8, 12, 16);
  p.end();
  return QCursor(pixmap, 12, 12);
}

}  // namespace

ControlViewport::ControlViewport(const WindowPtr& window, int number, QWidget* parent)
    : QScrollArea(parent), window_(window), number_(number) {
  auto* canvas = new QWidget;
  canvas->setAttribute(Qt::WA_TransparentForMouseEvents);
  setWidget(canvas);
  setWidgetResizable(false);
  setAlignment(Qt::AlignCenter);
  setBackgroundRole(QPalette::Dark);
  setFocusPolicy(Qt::StrongFocus);
  viewport()->installEventFilter(this);
  canvas->installEventFilter(this);
  connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { Scrolled(); });
  connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { Scrolled(); });
}

void ControlViewport::FitCanvas() {
  QRect extent;
  for (QObject* child : widget()->children())
    if (auto* w = qobject_cast<QWidget*>(child); w && !w->isHidden()) extent |= w->geometry();
  const QSize wanted(extent.right() + 1 + kCanvasMargin, extent.bottom() + 1 + kCanvasMargin);
  if (widget()->size() != wanted) widget()->resize(wanted);
}

void ControlViewport::Apply(const ControlState& state) {
  FitCanvas();
  applying_ = true;
  auto prop = [&](int p) {
    auto it = state.props.find(p);
    return it == state.props.end() ? 0L : it->second;
  };
  horizontalScrollBar()->setValue(FromFraction(prop(PropScrollX), horizontalScrollBar()->maximum()));
  verticalScrollBar()->setValue(FromFraction(prop(PropScrollY), verticalScrollBar()->maximum()));
  applying_ = false;
  const int cursor = static_cast<int>(prop(PropViewportCursor));
  if (cursor != cursor_) {
    cursor_ = cursor;
    if (cursor == CursorZoomIn || cursor == CursorZoomOut)
      viewport()->setCursor(ZoomCursor(cursor == CursorZoomIn));
    else
      viewport()->unsetCursor();
  }
}

void ControlViewport::Scrolled() {
  if (applying_) return;
  auto window = window_.lock();
  if (!window) return;
  const int x = ToFraction(horizontalScrollBar()->value(), horizontalScrollBar()->maximum());
  const int y = ToFraction(verticalScrollBar()->value(), verticalScrollBar()->maximum());
  window->Update(number_, [&](ControlState& c) {
    c.props[PropScrollX] = x;
    c.props[PropScrollY] = y;
  });
}

bool ControlViewport::eventFilter(QObject* watched, QEvent* event) {
  if (watched == widget() && (event->type() == QEvent::ChildAdded || event->type() == QEvent::ChildRemoved)) {
    if (auto* child = qobject_cast<QWidget*>(static_cast<QChildEvent*>(event)->child()))
      event->type() == QEvent::ChildAdded ? child->installEventFilter(this) : child->removeEventFilter(this);
  } else if (watched != widget() && watched != viewport() &&
             (event->type() == QEvent::Resize || event->type() == QEvent::Move || event->type() == QEvent::Show ||
              event->type() == QEvent::Hide)) {
    FitCanvas();
  } else if (watched == viewport() && event->type() == QEvent::MouseButtonPress) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    auto window = window_.lock();
    if (mouse->button() == Qt::LeftButton && window) {
      const QPoint onCanvas = widget()->mapFrom(viewport(), mouse->position().toPoint());
      const int x = ToFraction(std::clamp(onCanvas.x(), 0, widget()->width()), widget()->width());
      const int y = ToFraction(std::clamp(onCanvas.y(), 0, widget()->height()), widget()->height());
      window->Update(number_, [&](ControlState& c) {
        c.props[PropClickX] = x;
        c.props[PropClickY] = y;
      });
      PostInput(window, EventAccepted, number_);
      return true;
    }
  }
  return QScrollArea::eventFilter(watched, event);
}

bool IsMetafileName(const std::string& name) {
  if (name.size() < 4) return false;
  std::string tail = name.substr(name.size() - 4);
  for (char& c : tail) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return tail == ".wmf";
}

QPixmap RenderMetafile(const QString& path, const QSize& size) {
  struct Drawn {
    QString path;
    QSize size;
    QPixmap pixmap;
  };
  // Paging back and forth and repainting reuse the last drawings.
  static std::list<Drawn> cache;
  for (auto it = cache.begin(); it != cache.end(); ++it) {
    if (it->path == path && it->size == size) {
      cache.splice(cache.begin(), cache, it);
      return cache.front().pixmap;
    }
  }
  QPixmap pixmap(size.isEmpty() ? QSize(1, 1) : size);
  pixmap.fill(Qt::white);
  if (!size.isEmpty()) {
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    report::PlayWmfFile(painter, path, QRectF(QPointF(0, 0), QSizeF(size)));
  }
  cache.push_front({path, size, pixmap});
  if (cache.size() > 4) cache.pop_back();
  return pixmap;
}

}  // namespace wdrt::view
