#include "runtime/report/TextShapes.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainterPath>

#include <cmath>

#include "runtime/report/WmfFontCache.h"

namespace wdrt::report {
namespace {

bool HaveFonts() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr; }

// The font the players resolve for a font record: the same face (or its stand-in), its em the
// record's height in page units.
QFont FontOf(const WmfFontSpec& spec) {
  WmfFont f;
  f.face = QString::fromStdString(spec.face);
  f.weight = spec.weight;
  f.italic = spec.italic;
  QFont font(WmfFaceFor(f));
  font.setPixelSize(std::max(1, spec.height));
  font.setWeight(static_cast<QFont::Weight>(std::clamp(spec.weight, 100, 900)));
  font.setItalic(spec.italic);
  font.setHintingPreference(QFont::PreferNoHinting);
  return font;
}

}  // namespace

std::optional<double> TextWidth(const std::string& utf8, const WmfFontSpec& font) {
  if (!HaveFonts()) return std::nullopt;
  return QFontMetricsF(FontOf(font)).horizontalAdvance(QString::fromStdString(utf8));
}

std::vector<Polygon> TextOutline(const std::string& utf8, const WmfFontSpec& font, double left, double top) {
  std::vector<Polygon> polygons;
  if (!HaveFonts()) return polygons;
  const QFont qfont = FontOf(font);
  QPainterPath path;
  path.addText(QPointF(left, top + QFontMetricsF(qfont).ascent()), qfont, QString::fromStdString(utf8));
  for (const QPolygonF& outline : path.toSubpathPolygons()) {
    Polygon polygon;
    for (const QPointF& point : outline) {
      const std::pair<int, int> p{static_cast<int>(std::lround(point.x())), static_cast<int>(std::lround(point.y()))};
      if (polygon.empty() || polygon.back() != p) polygon.push_back(p);
    }
    if (polygon.size() >= 3) polygons.push_back(std::move(polygon));
  }
  return polygons;
}

}  // namespace wdrt::report
