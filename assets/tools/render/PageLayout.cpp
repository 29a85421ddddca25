#include "PageLayout.h"

#include <QFile>
#include <QPainter>
#include <QSaveFile>
#include <QTextStream>
#include <algorithm>
#include <cmath>

namespace scene {

std::optional<std::vector<Overlay>> ReadOverlays(const QString& layoutFile, const QString& name, QString* error) {
  QFile file(layoutFile);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
    if (error) *error = QStringLiteral("cannot read %1").arg(layoutFile);
    return std::nullopt;
  }
  std::vector<Overlay> overlays;
  QTextStream in(&file);
  int number = 0;
  while (!in.atEnd()) {
    const QString line = in.readLine();
    ++number;
    if (line.isEmpty() || line.startsWith(u'#')) continue;
    const QStringList cells = line.split(u'\t');
    bool ok = cells.size() == 10;
    double v[6] = {};
    for (int i = 0; ok && i < 6; ++i) v[i] = cells[3 + i].toDouble(&ok);
    if (!ok || v[4] <= 0 || v[5] <= 0) {
      if (error) *error = QStringLiteral("%1 line %2: malformed row").arg(layoutFile).arg(number);
      return std::nullopt;
    }
    if (cells[0].compare(name, Qt::CaseInsensitive) != 0) continue;
    overlays.push_back({cells[1], cells[2], QRectF(v[0] / v[4], v[1] / v[5], v[2] / v[4], v[3] / v[5]), cells[9]});
  }
  return overlays;
}

bool IsCaption(const Overlay& overlay) {
  return !overlay.text.isEmpty() && (overlay.role == u"word" || overlay.role == u"sentence" ||
                                     overlay.role == u"extraline" || overlay.role == u"label");
}

bool IsPrinted(const Overlay& overlay) { return overlay.role == u"print"; }

void CalmBehindCaptions(QImage& image, const std::vector<Overlay>& overlays) {
  for (const Overlay& overlay : overlays) {
    if (!IsCaption(overlay)) continue;
    const QRectF box(overlay.share.x() * image.width(), overlay.share.y() * image.height(),
                     overlay.share.width() * image.width(), overlay.share.height() * image.height());
    const double feather = std::max(6.0, std::min(box.width(), box.height()) * 0.3);
    const QRect area = box.adjusted(-feather, -feather, feather, feather).toAlignedRect() & image.rect();
    if (area.isEmpty()) continue;
    // A blur: the area drawn small and smoothed back up; then a light veil of dusk over it.
    QImage calm = image.copy(area)
                      .scaled(std::max(1, area.width() / 12), std::max(1, area.height() / 12), Qt::IgnoreAspectRatio,
                              Qt::SmoothTransformation)
                      .scaled(area.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                      .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    {
      QPainter veil(&calm);
      veil.fillRect(calm.rect(), QColor(20, 24, 40, 45));
    }
    // Blended in fully over the caption's box and less and less over the feather around it.
    for (int y = area.top(); y <= area.bottom(); ++y) {
      auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
      const auto* in = reinterpret_cast<const QRgb*>(calm.constScanLine(y - area.top()));
      const double dy = std::max({box.top() - y, y - box.bottom(), 0.0});
      for (int x = area.left(); x <= area.right(); ++x) {
        const double dx = std::max({box.left() - x, x - box.right(), 0.0});
        const double reach = std::min(1.0, std::hypot(dx, dy) / feather);
        const double a = 1.0 - reach * reach * (3 - 2 * reach);  // smooth fall-off
        if (a <= 0) continue;
        const QRgb c = in[x - area.left()], o = out[x];
        auto mix = [a](int from, int to) { return int(std::lround(from + (to - from) * a)); };
        out[x] = qRgba(mix(qRed(o), qRed(c)), mix(qGreen(o), qGreen(c)), mix(qBlue(o), qBlue(c)), qAlpha(o));
      }
    }
  }
}

std::vector<QString> FiguresUnderControls(const std::vector<Figure>& figures, const std::vector<Overlay>& overlays) {
  std::vector<QString> found;
  for (const Figure& figure : figures) {
    for (const Overlay& overlay : overlays) {
      if (IsPrinted(overlay)) continue;
      const QRectF common = figure.share & overlay.share;
      if (common.width() <= kClearance || common.height() <= kClearance) continue;
      found.push_back(QStringLiteral("%1 (line %2) lies under %3's %4 \"%5\"")
                   .arg(figure.command)
                   .arg(figure.line)
                   .arg(overlay.page, overlay.role, overlay.text));
    }
  }
  return found;
}

bool WriteFigures(const QString& file, const std::vector<Figure>& figures) {
  QSaveFile out(file);
  if (!out.open(QIODevice::WriteOnly | QIODevice::Text)) return false;
  QTextStream text(&out);
  text << "# command\tline\tx\ty\twidth\theight (shares of the picture)\n";
  for (const Figure& f : figures)
    text << f.command << '\t' << f.line << '\t' << f.share.x() << '\t' << f.share.y() << '\t' << f.share.width()
         << '\t' << f.share.height() << '\n';
  text.flush();
  return out.commit();
}

}  // namespace scene
