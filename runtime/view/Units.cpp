#include "runtime/view/Units.h"

#include <QColor>
#include <cmath>

namespace wdrt::view {

int UnitsToPixelsX(int units) { return static_cast<int>(std::lround(units * kPixelsPerUnitX)); }
int UnitsToPixelsY(int units) { return static_cast<int>(std::lround(units * kPixelsPerUnitY)); }
int PixelsToUnitsX(int pixels) { return static_cast<int>(std::lround(pixels / kPixelsPerUnitX)); }
int PixelsToUnitsY(int pixels) { return static_cast<int>(std::lround(pixels / kPixelsPerUnitY)); }

QRect UnitsToPixels(const Geometry& g) {
  return QRect(UnitsToPixelsX(g.x), UnitsToPixelsY(g.y), UnitsToPixelsX(g.width), UnitsToPixelsY(g.height));
}

QSize UnitsToPixels(int width, int height) { return QSize(UnitsToPixelsX(width), UnitsToPixelsY(height)); }

void InstallFontSubstitutions() {
  QFont::insertSubstitution("Arial", "Liberation Sans");
  QFont::insertSubstitution("MS Sans Serif", "Liberation Sans");
  QFont::insertSubstitution("Microsoft Sans Serif", "Liberation Sans");
  QFont::insertSubstitution("Comic Sans MS", "Comic Neue");
}

QFont MakeFont(const FontDef& def, const FontDef& base) {
  const std::string face = !def.face.empty() ? def.face : (!base.face.empty() ? base.face : "MS Sans Serif");
  const int points = def.points > 0 ? def.points : (base.points > 0 ? base.points : 8);
  QFont font(QString::fromStdString(face));
  // Point sizes are for 96 dpi screens at the suite's scale; pixel sizes keep them
  // independent of the screen's reported resolution (the offscreen platform reports 72 dpi).
  font.setPixelSize(static_cast<int>(std::lround(points * 96.0 / 72.0 * kScale)));
  font.setBold(def.bold || (def.face.empty() && def.points == 0 && base.bold));
  font.setUnderline(def.underline);
  return font;
}

QColor ToQColor(Rgb rgb) {
  if (rgb == kColorNone) return QColor();
  return QColor((rgb >> 16) & 255, (rgb >> 8) & 255, rgb & 255);
}

}  // namespace wdrt::view
