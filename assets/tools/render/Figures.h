// Ready-made figures for the scenes: children, trees, clouds, sun, balloons, stars and flags.
// Each draws in pixel space on the given painter, sized from the caller's arguments. Any thread.
#pragma once

#include <QColor>
#include <QPainter>
#include <QPointF>

namespace scene {

struct KidLook {
  QColor shirt{0xE5, 0x3B, 0x6E};
  QColor trousers{0x2B, 0x5B, 0xB8};
  QColor hair{0x5A, 0x36, 0x1E};
  QColor skin{0xF6, 0xC9, 0xA0};
  bool girl = false;
  bool wave = false;      // one arm raised
  bool partyHat = false;
  bool armsUp = false;    // both arms raised (cheering, acrobat)
  bool adult = false;     // grown-up proportions: longer legs and body, smaller head
};

// A friendly cartoon child standing with its feet at `feet`, `height` pixels tall.
void DrawKid(QPainter& p, QPointF feet, double height, const KidLook& look);
void DrawTree(QPainter& p, QPointF base, double height, QColor leaves);
void DrawCloud(QPainter& p, QPointF centre, double width);
void DrawSun(QPainter& p, QPointF centre, double radius);
void DrawBalloon(QPainter& p, QPointF centre, double radius, QColor colour, double stringLength);
void DrawStar(QPainter& p, QPointF centre, double radius, QColor fill, QColor stroke, double strokeWidth);

enum class FlagStyle { Stars50, RedWhite, RedBlue };
// A flag of 13 stripes with a canton of 50 stars in 9 rows, in the real 10:19 proportion.
// `topLeft` and `width` in pixels; returns the flag's height in pixels.
double DrawFlag(QPainter& p, QPointF topLeft, double width, FlagStyle style);

}  // namespace scene
