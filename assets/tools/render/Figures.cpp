#include "Figures.h"

#include <QPainterPath>
#include <QPolygonF>
#include <cmath>

namespace scene {
namespace {

constexpr double kPi = 3.14159265358979323846;

QPen Outline(double width) {
  QPen pen(QColor(0x33, 0x22, 0x22));
  pen.setWidthF(width);
  pen.setJoinStyle(Qt::RoundJoin);
  pen.setCapStyle(Qt::RoundCap);
  return pen;
}

void Limb(QPainter& p, QPointF from, QPointF to, double thickness, QColor colour, double outline) {
  QPen back = Outline(thickness + 2 * outline);
  p.setPen(back);
  p.drawLine(from, to);
  QPen front(colour);
  front.setWidthF(thickness);
  front.setCapStyle(Qt::RoundCap);
  p.setPen(front);
  p.drawLine(from, to);
}

}  // namespace

void DrawKid(QPainter& p, QPointF feet, double height, const KidLook& look) {
  p.save();
  p.translate(feet);
  const double u = height / 100.0;  // the figure is designed 100 units tall, feet at 0
  p.scale(u, u);
  const double ow = 1.2;
  p.setRenderHint(QPainter::Antialiasing);

  // Vertical plan of the figure: hips, top of the body (shoulders) and the head above it.
  const double hip = look.adult ? -44 : -30;
  const double top = look.adult ? -80 : -64;
  // Legs and shoes.
  const QColor legColour = look.adult ? look.trousers : look.skin;
  Limb(p, {-6, hip}, {-7, -3}, look.adult ? 8 : 6, legColour, ow);
  Limb(p, {6, hip}, {7, -3}, look.adult ? 8 : 6, legColour, ow);
  p.setPen(Outline(ow));
  p.setBrush(QColor(0x44, 0x33, 0x55));
  p.drawEllipse(QRectF(-14, -5, 11, 6));
  p.drawEllipse(QRectF(3, -5, 11, 6));

  // Arms behind the body.
  const QPointF shoulderL(-11, top + 6), shoulderR(11, top + 6);
  const QPointF handL = look.armsUp ? QPointF(-24, top - 24) : QPointF(-23, hip - 8);
  const QPointF handR = (look.wave || look.armsUp) ? QPointF(24, top - 24) : QPointF(23, hip - 8);
  Limb(p, shoulderL, handL, 6, look.skin, ow);
  Limb(p, shoulderR, handR, 6, look.skin, ow);
  p.setPen(Outline(ow));
  p.setBrush(look.skin);
  p.drawEllipse(handL, 4.2, 4.2);
  p.drawEllipse(handR, 4.2, 4.2);

  // Body: a dress for a girl, shirt and shorts for a boy.
  p.setPen(Outline(ow));
  if (look.girl) {
    QPainterPath dress;
    dress.moveTo(-10, top);
    dress.lineTo(10, top);
    dress.lineTo(20, hip + 3);
    dress.quadTo(0, hip + 7, -20, hip + 3);
    dress.closeSubpath();
    p.setBrush(look.shirt);
    p.drawPath(dress);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 150));
    for (int i = -2; i <= 2; ++i) p.drawEllipse(QPointF(i * 6.5, hip - 4), 1.8, 1.8);
  } else {
    p.setBrush(look.trousers);
    p.drawRoundedRect(QRectF(-12, hip - 10, 24, 13), 3, 3);
    p.setBrush(look.shirt);
    p.drawRoundedRect(QRectF(-13, top, 26, hip - 7 - top), 5, 5);
  }
  // Sleeves over the shoulders so the arms look attached.
  p.setPen(Outline(ow));
  p.setBrush(look.shirt);
  p.drawEllipse(shoulderL + QPointF(-1, 2), 5.5, 6);
  p.drawEllipse(shoulderR + QPointF(1, 2), 5.5, 6);

  // Head.
  const QPointF head(0, top - 15);
  if (look.girl) {  // pigtails behind the head
    p.setBrush(look.hair);
    p.drawEllipse(head + QPointF(-16, 4), 6, 8);
    p.drawEllipse(head + QPointF(16, 4), 6, 8);
  }
  p.setBrush(look.skin);
  p.drawEllipse(head, 15, 15);
  // Hair cap.
  QPainterPath hair;
  hair.moveTo(head + QPointF(-15.5, 1));
  hair.cubicTo(head + QPointF(-17, -20), head + QPointF(17, -20), head + QPointF(15.5, 1));
  hair.cubicTo(head + QPointF(10, -8), head + QPointF(-4, -10), head + QPointF(-15.5, 1));
  p.setBrush(look.hair);
  p.drawPath(hair);
  // Face.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x22, 0x22, 0x33));
  p.drawEllipse(head + QPointF(-5.5, 0), 2.0, 2.6);
  p.drawEllipse(head + QPointF(5.5, 0), 2.0, 2.6);
  p.setBrush(Qt::white);
  p.drawEllipse(head + QPointF(-4.8, -0.9), 0.7, 0.7);
  p.drawEllipse(head + QPointF(6.2, -0.9), 0.7, 0.7);
  p.setBrush(QColor(255, 120, 130, 120));
  p.drawEllipse(head + QPointF(-9, 6), 3.2, 2.2);
  p.drawEllipse(head + QPointF(9, 6), 3.2, 2.2);
  QPen mouth(QColor(0xA0, 0x20, 0x30));
  mouth.setWidthF(1.6);
  mouth.setCapStyle(Qt::RoundCap);
  p.setPen(mouth);
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(head.x() - 6, head.y() + 0, 12, 9), 200 * 16, 140 * 16);

  if (look.partyHat) {
    QPolygonF hat;
    hat << head + QPointF(-9, -11) << head + QPointF(9, -11) << head + QPointF(1, -34);
    p.setPen(Outline(ow));
    p.setBrush(QColor(0xFF, 0xC1, 0x07));
    p.drawPolygon(hat);
    p.setBrush(QColor(0xE9, 0x1E, 0x63));
    p.drawEllipse(head + QPointF(1, -35), 3.2, 3.2);
  }
  p.restore();
}

void DrawTree(QPainter& p, QPointF base, double height, QColor leaves) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  const double u = height / 100.0;
  QPen pen(leaves.darker(160));
  pen.setWidthF(1.5 * u);
  p.setPen(pen);
  p.setBrush(QColor(0x8B, 0x5A, 0x2B));
  p.drawRoundedRect(QRectF(base.x() - 7 * u, base.y() - 50 * u, 14 * u, 50 * u), 3 * u, 3 * u);
  p.setBrush(leaves);
  const QPointF blobs[] = {{-18, -62}, {18, -62}, {0, -80}, {-10, -45}, {10, -45}};
  for (const QPointF& b : blobs) p.drawEllipse(base + b * u, 22 * u, 20 * u);
  p.setPen(Qt::NoPen);
  p.setBrush(leaves.lighter(125));
  p.drawEllipse(base + QPointF(-8, -84) * u, 9 * u, 7 * u);
  p.restore();
}

void DrawCloud(QPainter& p, QPointF c, double w) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 235));
  const double u = w / 100.0;
  p.drawEllipse(c + QPointF(-28, 6) * u, 24 * u, 16 * u);
  p.drawEllipse(c + QPointF(0, -4) * u, 30 * u, 24 * u);
  p.drawEllipse(c + QPointF(28, 6) * u, 24 * u, 16 * u);
  p.drawRoundedRect(QRectF(c.x() - 45 * u, c.y(), 90 * u, 20 * u), 10 * u, 10 * u);
  p.restore();
}

void DrawSun(QPainter& p, QPointF c, double r) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  QPen ray(QColor(0xFF, 0xB3, 0x00));
  ray.setWidthF(r * 0.16);
  ray.setCapStyle(Qt::RoundCap);
  p.setPen(ray);
  for (int i = 0; i < 12; ++i) {
    const double a = i * kPi / 6;
    p.drawLine(c + QPointF(std::cos(a), std::sin(a)) * r * 1.25,
               c + QPointF(std::cos(a), std::sin(a)) * r * 1.6);
  }
  QRadialGradient g(c, r);
  g.setColorAt(0, QColor(0xFF, 0xF5, 0x9D));
  g.setColorAt(1, QColor(0xFF, 0xCA, 0x28));
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawEllipse(c, r, r);
  p.restore();
}

void DrawBalloon(QPainter& p, QPointF c, double r, QColor colour, double stringLength) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  const double ry = r * 1.2;
  QPen string(QColor(0x55, 0x55, 0x55));
  string.setWidthF(std::max(1.0, r * 0.05));
  p.setPen(string);
  p.setBrush(Qt::NoBrush);
  QPainterPath s;
  const QPointF knot = c + QPointF(0, ry);
  s.moveTo(knot);
  s.cubicTo(knot + QPointF(r * 0.4, stringLength * 0.33), knot + QPointF(-r * 0.4, stringLength * 0.66),
            knot + QPointF(0, stringLength));
  p.drawPath(s);
  QRadialGradient g(c + QPointF(-r * 0.35, -ry * 0.4), r * 1.4);
  g.setColorAt(0, colour.lighter(150));
  g.setColorAt(0.5, colour);
  g.setColorAt(1, colour.darker(130));
  p.setPen(QPen(colour.darker(160), std::max(1.0, r * 0.04)));
  p.setBrush(g);
  p.drawEllipse(c, r, ry);
  QPolygonF tie;
  tie << knot + QPointF(-r * 0.12, r * 0.14) << knot + QPointF(r * 0.12, r * 0.14) << knot + QPointF(0, -r * 0.02);
  p.setBrush(colour.darker(120));
  p.drawPolygon(tie);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 150));
  p.drawEllipse(c + QPointF(-r * 0.4, -ry * 0.45), r * 0.16, ry * 0.22);
  p.restore();
}

void DrawStar(QPainter& p, QPointF c, double r, QColor fill, QColor stroke, double strokeWidth) {
  QPolygonF star;
  for (int i = 0; i < 10; ++i) {
    const double rr = (i % 2 == 0) ? r : r * 0.382;
    const double a = -kPi / 2 + i * kPi / 5;
    star << c + QPointF(std::cos(a) * rr, std::sin(a) * rr);
  }
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  if (strokeWidth > 0) {
    QPen pen(stroke);
    pen.setWidthF(strokeWidth);
    pen.setJoinStyle(Qt::RoundJoin);
    p.setPen(pen);
  } else {
    p.setPen(Qt::NoPen);
  }
  p.setBrush(fill);
  p.drawPolygon(star);
  p.restore();
}

double DrawFlag(QPainter& p, QPointF topLeft, double width, FlagStyle style) {
  const QColor red(0xB2, 0x22, 0x34), white(Qt::white), blue(0x3C, 0x3B, 0x6E);
  // The red-and-blue answer flag uses a brighter blue so its stripes read clearly as blue.
  const QColor brightBlue(0x1E, 0x4F, 0xD8);
  const double hoist = width / 1.9;
  const double stripe = hoist / 13.0;
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 13; ++i) {
    QColor c = (i % 2 == 0) ? red : (style == FlagStyle::RedBlue ? brightBlue : white);
    p.setBrush(c);
    // Overlap a hair so no seam shows between stripes.
    p.drawRect(QRectF(topLeft.x(), topLeft.y() + i * stripe, width, stripe + 0.6));
  }
  const double cantonW = 0.76 * hoist, cantonH = 7 * stripe;
  QColor canton = blue, starColour = white;
  if (style == FlagStyle::RedWhite) { canton = white; starColour = red; }
  if (style == FlagStyle::RedBlue) { canton = red; starColour = brightBlue; }
  p.setBrush(canton);
  p.drawRect(QRectF(topLeft, QSizeF(cantonW, cantonH)));
  const double e = 0.054 * hoist, g = 0.063 * hoist, k = 0.0616 * hoist;
  for (int row = 0; row < 9; ++row) {
    const int count = row % 2 == 0 ? 6 : 5;
    for (int j = 0; j < count; ++j) {
      const double x = g + (row % 2 == 0 ? 2 * j : 2 * j + 1) * g;
      const double y = e * (row + 1);
      DrawStar(p, topLeft + QPointF(x, y), k / 2, starColour, starColour, 0);
    }
  }
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(0, 0, 0, 60), std::max(1.0, hoist * 0.006)));
  p.drawRect(QRectF(topLeft, QSizeF(width, hoist)));
  p.restore();
  return hoist;
}

}  // namespace scene
