#include "runtime/view/Units.h"

#include <QColor>
#include <atomic>
#include <cmath>

namespace wdrt::view {

namespace {

std::atomic<double> scale{kDesignScale};

}  // namespace

double Scale() { return scale.load(std::memory_order_relaxed); }
void SetScale(double value) { scale.store(value, std::memory_order_relaxed); }
double PixelsPerUnitX() { return 1.5 * Scale(); }
double PixelsPerUnitY() { return 1.625 * Scale(); }

int UnitsToPixelsX(int units) { return static_cast<int>(std::lround(units * PixelsPerUnitX())); }
int UnitsToPixelsY(int units) { return static_cast<int>(std::lround(units * PixelsPerUnitY())); }
int PixelsToUnitsX(int pixels) { return static_cast<int>(std::lround(pixels / PixelsPerUnitX())); }
int PixelsToUnitsY(int pixels) { return static_cast<int>(std::lround(pixels / PixelsPerUnitY())); }

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
  font.setPixelSize(static_cast<int>(std::lround(points * 96.0 / 72.0 * Scale())));
  font.setBold(def.bold || (def.face.empty() && def.points == 0 && base.bold));
  font.setUnderline(def.underline);
  return font;
}

QColor ToQColor(Rgb rgb) {
  if (rgb == kColorNone) return QColor();
  return QColor((rgb >> 16) & 255, (rgb >> 8) & 255, rgb & 255);
}

}  // namespace wdrt::view
