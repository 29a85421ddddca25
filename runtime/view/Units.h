// Dialog units to pixels, and the fonts that stand in for the Windows faces.
// GUI thread (reads no shared state; the functions are pure apart from the font database).
#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

#include "runtime/core/WindowDef.h"

namespace wdrt::view {

// A Windows dialog unit is a quarter of the dialog font's average character width and an
// eighth of its height (6 × 13 px for the classic 8-point face at 96 dpi); the suite is designed
// to be drawn kDesignScale times that size. The program's first window sets the scale once,
// before any widget is made, from the screen it opens on (FrameFit.h): every proportion of the
// design, texts included, stays as it was.
constexpr double kDesignScale = 2.0;
double Scale();
void SetScale(double scale);
double PixelsPerUnitX();
double PixelsPerUnitY();

int UnitsToPixelsX(int units);
int UnitsToPixelsY(int units);
int PixelsToUnitsX(int pixels);
int PixelsToUnitsY(int pixels);
QRect UnitsToPixels(const Geometry& g);
QSize UnitsToPixels(int width, int height);

// Installs the substitutions Arial / MS Sans Serif → Liberation Sans and
// Comic Sans MS → Comic Neue. Call once on the GUI thread after the application exists.
void InstallFontSubstitutions();

// The Qt font for a definition, falling back to `base` for the parts it leaves open.
QFont MakeFont(const FontDef& def, const FontDef& base);

QColor ToQColor(Rgb rgb);

}  // namespace wdrt::view
