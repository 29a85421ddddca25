#include "runtime/view/WindowShapeView.h"

#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QWindow>

#include "runtime/core/Runtime.h"

namespace wdrt::view {

QRegion RegionToPixels(const WindowRegion& region, const Geometry& units, const QSize& pixels) {
  if (region.kind == WindowRegion::Kind::None || units.width <= 0 || units.height <= 0) return {};
  const double sx = static_cast<double>(pixels.width()) / units.width;
  const double sy = static_cast<double>(pixels.height()) / units.height;
  QPainterPath path;
  path.setFillRule(Qt::WindingFill);
  if (region.kind == WindowRegion::Kind::RoundRect) {
    const QRectF rect(region.rect.x * sx, region.rect.y * sy, region.rect.width * sx, region.rect.height * sy);
    path.addRoundedRect(rect, region.ellipseWidth * sx / 2, region.ellipseHeight * sy / 2);
  } else {
    QPolygonF polygon;
    for (const auto& [x, y] : region.points) polygon << QPointF(x * sx, y * sy);
    path.addPolygon(polygon);
    path.closeSubpath();
  }
  return QRegion(path.toFillPolygon().toPolygon(), Qt::WindingFill);
}

void ApplyWindowShape(QWidget* top, const WindowPtr& window) {
  const WindowRegion region = GetWindowRgn(window);
  if (region.kind == WindowRegion::Kind::None) {
    if (!top->mask().isEmpty()) top->clearMask();
    return;
  }
  const QRegion mask = RegionToPixels(region, region.reference, top->size());
  if (!mask.isEmpty() && mask != top->mask()) top->setMask(mask);
}

void ClearOutsideMask(QImage& picture, const QWidget* widget) {
  const QRegion mask = widget->mask();
  if (mask.isEmpty()) return;
  picture = picture.convertToFormat(QImage::Format_ARGB32);
  QPainter painter(&picture);
  painter.setCompositionMode(QPainter::CompositionMode_Clear);
  painter.setClipRegion(QRegion(picture.rect()).subtracted(mask));
  painter.fillRect(picture.rect(), Qt::transparent);
}

void CarryOutSysCommand(QWidget* top, int command) {
  QWindow* handle = top ? top->windowHandle() : nullptr;
  if (!handle) return;
  switch (command & 0xFFF0) {
    case ScMove: handle->startSystemMove(); break;  // also ScDragMove, whose low bits are 2
    case ScSize: handle->startSystemResize(Qt::BottomEdge | Qt::RightEdge); break;
    case ScMinimize: top->showMinimized(); break;
    case ScMaximize: top->showMaximized(); break;
    case ScRestore: top->showNormal(); break;
    default: break;
  }
}

QString MenuText(const std::string& text) {
  std::string shown;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '&') {
      shown += text[i];
    } else if (i + 1 < text.size() && text[i + 1] == '&') {
      shown += "&&";
      ++i;
    } else {
      shown += i + 1 < text.size() && text[i + 1] != ' ' ? "&" : "&&";
    }
  }
  return QString::fromStdString(shown);
}

void BuildMenuBar(QMenuBar* bar, const WindowPtr& window, std::map<int, QAction*>& actions) {
  QMenu* current = nullptr;
  std::weak_ptr<Window> weak = window;
  for (const ControlState& state : window->Controls()) {
    if (!state.inMenu) continue;
    if (state.def.type == TypeMenu) {
      current = bar->addMenu(MenuText(state.text));
      current->setToolTipsVisible(true);
      current->menuAction()->setToolTip(QString::fromStdString(state.def.tip));
      continue;
    }
    if (!current) continue;
    QAction* action = current->addAction(MenuText(state.text));
    action->setToolTip(QString::fromStdString(state.def.tip));
    action->setStatusTip(QString::fromStdString(state.def.tip));
    const int number = state.number;
    QObject::connect(action, &QAction::triggered, bar, [weak, number] {
      if (auto w = weak.lock()) PostInput(w, EventAccepted, number);
    });
    actions[number] = action;
  }
}

}  // namespace wdrt::view
