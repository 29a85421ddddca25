#include "ScenePainter.h"

#include "Figures.h"

#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <cmath>
#include <functional>
#include <optional>

namespace scene {
namespace {

bool ToNumbers(const QStringList& args, int from, int count, std::vector<double>* out) {
  if (args.size() < from + count) return false;
  for (int i = from; i < from + count; ++i) {
    bool ok = false;
    out->push_back(args[i].toDouble(&ok));
    if (!ok) return false;
  }
  return true;
}

// Absolute SVG path data with M, L, H, V, C, Q and Z, in design units.
std::optional<QPainterPath> ParsePathData(const QString& d) {
  static const QRegularExpression token(QStringLiteral("[MLHVCQZmlhvcqz]|-?[0-9]*\\.?[0-9]+(?:e-?[0-9]+)?"));
  QStringList tokens;
  for (auto it = token.globalMatch(d); it.hasNext();) tokens << it.next().captured(0);
  QPainterPath path;
  QChar op;
  int i = 0;
  auto number = [&](double* v) {
    if (i >= tokens.size() || tokens[i][0].isLetter()) return false;
    *v = tokens[i++].toDouble();
    return true;
  };
  QPointF cur;
  while (i < tokens.size()) {
    if (tokens[i][0].isLetter()) op = tokens[i++][0].toUpper();
    double a, b, c, e, f, g;
    switch (op.unicode()) {
      case 'M': if (!number(&a) || !number(&b)) return std::nullopt; cur = {a, b}; path.moveTo(cur); op = u'L'; break;
      case 'L': if (!number(&a) || !number(&b)) return std::nullopt; cur = {a, b}; path.lineTo(cur); break;
      case 'H': if (!number(&a)) return std::nullopt; cur.setX(a); path.lineTo(cur); break;
      case 'V': if (!number(&a)) return std::nullopt; cur.setY(a); path.lineTo(cur); break;
      case 'C':
        if (!number(&a) || !number(&b) || !number(&c) || !number(&e) || !number(&f) || !number(&g)) return std::nullopt;
        cur = {f, g}; path.cubicTo(a, b, c, e, f, g); break;
      case 'Q':
        if (!number(&a) || !number(&b) || !number(&c) || !number(&e)) return std::nullopt;
        cur = {c, e}; path.quadTo(a, b, c, e); break;
      case 'Z': path.closeSubpath(); break;
      default: return std::nullopt;
    }
  }
  return path;
}

}  // namespace

std::optional<QColor> ParseColour(const QString& word) {
  if (word == QStringLiteral("none")) return QColor(Qt::transparent);
  QColor c = QColor::fromString(word);
  if (!c.isValid()) return std::nullopt;
  return c;
}

ScenePainter::ScenePainter(QImage& image, RenderSettings settings)
    : image_(image), settings_(std::move(settings)), painter_(&image) {
  painter_.setRenderHint(QPainter::Antialiasing);
  painter_.setRenderHint(QPainter::SmoothPixmapTransform);
  painter_.setRenderHint(QPainter::TextAntialiasing);
  sx_ = image.width() / 316.0;
  sy_ = image.height() / 208.0;
}

QString ScenePainter::Expand(QString text) const {
  return text.replace(QStringLiteral("{child}"), settings_.childName);
}

namespace {

// The commands that draw something a child looks at, as opposed to scenery.
bool IsFigure(const QString& name) {
  return name == u"kid" || name == u"emoji" || name == u"clip" || name == u"balloon" || name == u"flag" ||
         name == u"text";
}

// A figure whose box covers more than a fifth of the picture is the scene's backdrop.
constexpr double kBackdropShare = 0.2;

// The box of the pixels that differ between two pictures of one size; empty when none do.
QRect ChangedPixels(const QImage& before, const QImage& after) {
  int left = after.width(), top = after.height(), right = -1, bottom = -1;
  for (int y = 0; y < after.height(); ++y) {
    const auto* a = reinterpret_cast<const QRgb*>(before.constScanLine(y));
    const auto* b = reinterpret_cast<const QRgb*>(after.constScanLine(y));
    for (int x = 0; x < after.width(); ++x) {
      if (a[x] == b[x]) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

}  // namespace

bool ScenePainter::Blocked(const QRectF& share, bool rather) const {
  auto overlaps = [&share](const std::vector<QRectF>& places) {
    for (const QRectF& place : places) {
      const QRectF common = share & place;
      if (common.width() > kClearance && common.height() > kClearance) return true;
    }
    return false;
  };
  return overlaps(keepClear_) || (rather && overlaps(ratherClear_));
}

std::optional<QPointF> ScenePainter::ClearOffset(const QRectF& share, bool rather) const {
  // Candidate moves in steps of half a hundredth of the picture, nearest first; a step up or
  // down counts double, so that figures keep their ground where they can.
  constexpr double kStep = 0.005;
  constexpr int kReach = 120;
  std::optional<QPointF> best;
  double bestCost = 0;
  for (int dy = -kReach; dy <= kReach; ++dy) {
    for (int dx = -kReach; dx <= kReach; ++dx) {
      const double cost = std::abs(dx) + 2.0 * std::abs(dy);
      if (best && cost >= bestCost) continue;
      const QRectF moved = share.translated(dx * kStep, dy * kStep);
      // A figure that stood whole in the picture stays whole in it.
      const QRectF room = QRectF(0, 0, 1, 1) | share;
      if (!room.contains(moved)) continue;
      // Drawn again at a fraction of a pixel elsewhere, a figure's ink may spread by a pixel.
      if (Blocked(moved.adjusted(-2.0 / image_.width(), -2.0 / image_.height(), 2.0 / image_.width(),
                                 2.0 / image_.height()),
                  rather))
        continue;
      best = QPointF(dx * kStep, dy * kStep);
      bestCost = cost;
    }
  }
  return best;
}

bool ScenePainter::Run(const std::vector<Command>& commands, QString* error) {
  auto share = [this](const QRect& pixels) {
    return QRectF(double(pixels.x()) / image_.width(), double(pixels.y()) / image_.height(),
                  double(pixels.width()) / image_.width(), double(pixels.height()) / image_.height());
  };
  for (const Command& c : commands) {
    QString why;
    const bool figure = IsFigure(c.name);
    // A figure's place is where its drawing changed the picture.
    const QImage before = figure ? image_.copy() : QImage();
    if (!Execute(c, &why)) {
      if (error) *error = QStringLiteral("line %1 (%2): %3").arg(c.line).arg(c.name, why);
      return false;
    }
    if (!figure) continue;
    QRectF drawn = share(ChangedPixels(before, image_));
    // What fills a good part of the picture (a flag waving across it) is its backdrop.
    if (drawn.isEmpty() || drawn.width() * drawn.height() > kBackdropShare) continue;
    // Clear of the printed texts too where there is room; else clear of the controls only.
    const bool underControl = Blocked(drawn, false);
    if (underControl || Blocked(drawn, true)) {
      std::optional<QPointF> offset = ClearOffset(drawn, true);
      if (!offset && underControl) offset = ClearOffset(drawn, false);
      if (offset) {
        // Drawn again, moved to where no control lies over it.
        painter_.save();
        painter_.resetTransform();
        painter_.setClipping(false);
        painter_.setOpacity(1);
        painter_.setCompositionMode(QPainter::CompositionMode_Source);
        painter_.drawImage(0, 0, before);
        painter_.restore();
        painter_.save();
        painter_.translate(offset->x() * image_.width(), offset->y() * image_.height());
        Execute(c, &why);
        painter_.restore();
        drawn = share(ChangedPixels(before, image_));
      }
    }
    figures_.push_back({c.name, c.line, drawn});
  }
  return true;
}

bool ScenePainter::Execute(const Command& c, QString* error) {
  std::vector<double> n;
  auto colourAt = [&](int index, QColor* out) {
    if (c.args.size() <= index) return false;
    auto col = ParseColour(c.args[index]);
    if (!col) return false;
    *out = *col;
    return true;
  };
  // Optional "stroke width" pair after the fill colour.
  auto applyStroke = [&](int index) {
    QColor stroke;
    std::vector<double> w;
    if (colourAt(index, &stroke) && ToNumbers(c.args, index + 1, 1, &w) && w[0] > 0) {
      QPen pen(stroke);
      pen.setWidthF(w[0] * sx_);
      pen.setJoinStyle(Qt::RoundJoin);
      pen.setCapStyle(Qt::RoundCap);
      painter_.setPen(pen);
    } else {
      painter_.setPen(Qt::NoPen);
    }
  };
  auto fail = [&](const char* what) {
    *error = QString::fromUtf8(what);
    return false;
  };
  QColor a, b;
  const QString& name = c.name;

  if (name == u"space") {
    if (!ToNumbers(c.args, 0, 2, &n) || n[0] <= 0 || n[1] <= 0) return fail("needs W H");
    sx_ = image_.width() / n[0];
    sy_ = image_.height() / n[1];
  } else if (name == u"fill") {
    if (!colourAt(0, &a)) return fail("needs a colour");
    painter_.fillRect(image_.rect(), a);
  } else if (name == u"sky" || name == u"vgrad" || name == u"hgrad") {
    // sky C1 C2 [C3] fills everything; vgrad/hgrad X Y W H C1 C2 [C3] fill a rectangle.
    const bool whole = name == u"sky";
    const int first = whole ? 0 : 4;
    if (!whole && !ToNumbers(c.args, 0, 4, &n)) return fail("needs X Y W H C1 C2");
    QColor c3;
    if (!colourAt(first, &a) || !colourAt(first + 1, &b)) return fail("needs two colours");
    const bool three = colourAt(first + 2, &c3);
    QRectF r = whole ? QRectF(image_.rect()) : QRectF(Px(n[0], n[1]), Px(n[0] + n[2], n[1] + n[3]));
    QLinearGradient g = name == u"hgrad" ? QLinearGradient(r.topLeft(), r.topRight())
                                         : QLinearGradient(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, a);
    if (three) {
      g.setColorAt(0.5, b);
      g.setColorAt(1, c3);
    } else {
      g.setColorAt(1, b);
    }
    painter_.fillRect(r, g);
  } else if (name == u"rect" || name == u"rrect") {
    const bool round = name == u"rrect";
    const int k = round ? 5 : 4;
    if (!ToNumbers(c.args, 0, k, &n) || !colourAt(k, &a)) return fail("needs X Y W H [R] FILL");
    applyStroke(k + 1);
    painter_.setBrush(a);
    const QRectF r(Px(n[0], n[1]), Px(n[0] + n[2], n[1] + n[3]));
    if (round) {
      painter_.drawRoundedRect(r, n[4] * sx_, n[4] * sx_);
    } else {
      painter_.drawRect(r);
    }
  } else if (name == u"ellipse") {
    if (!ToNumbers(c.args, 0, 4, &n) || !colourAt(4, &a)) return fail("needs CX CY RX RY FILL");
    applyStroke(5);
    painter_.setBrush(a);
    painter_.drawEllipse(Px(n[0], n[1]), n[2] * sx_, n[3] * sy_);
  } else if (name == u"circle") {
    if (!ToNumbers(c.args, 0, 3, &n) || !colourAt(3, &a)) return fail("needs CX CY R FILL");
    applyStroke(4);
    painter_.setBrush(a);
    painter_.drawEllipse(Px(n[0], n[1]), n[2] * sx_, n[2] * sx_);
  } else if (name == u"line") {
    if (!ToNumbers(c.args, 0, 4, &n) || !colourAt(4, &a) || !ToNumbers(c.args, 5, 1, &n)) return fail("needs X1 Y1 X2 Y2 COLOUR W");
    QPen pen(a);
    pen.setWidthF(n[4] * sx_);
    pen.setCapStyle(Qt::RoundCap);
    painter_.setPen(pen);
    painter_.drawLine(Px(n[0], n[1]), Px(n[2], n[3]));
  } else if (name == u"poly" || name == u"path") {
    // poly FILL STROKE W X1 Y1 X2 Y2 ...; path FILL STROKE W "svg path data"
    if (!colourAt(0, &a) || !colourAt(1, &b) || !ToNumbers(c.args, 2, 1, &n)) return fail("needs FILL STROKE W");
    QPainterPath path;
    if (name == u"poly") {
      std::vector<double> pts;
      const int count = int(c.args.size()) - 3;
      if (count < 6 || count % 2 != 0 || !ToNumbers(c.args, 3, count, &pts)) return fail("needs point pairs");
      QPolygonF poly;
      for (size_t i = 0; i < pts.size(); i += 2) poly << Px(pts[i], pts[i + 1]);
      path.addPolygon(poly);
      path.closeSubpath();
    } else {
      if (c.args.size() < 4) return fail("needs path data");
      auto parsed = ParsePathData(c.args[3]);
      if (!parsed) return fail("bad path data");
      path = QTransform::fromScale(sx_, sy_).map(*parsed);
    }
    QPen pen(b);
    pen.setWidthF(n[0] * sx_);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    painter_.setPen(n[0] > 0 && b.alpha() > 0 ? pen : QPen(Qt::NoPen));
    painter_.setBrush(a);
    painter_.drawPath(path);
  } else if (name == u"text") {
    if (c.args.size() < 5 || !ToNumbers(c.args, 0, 3, &n) || !colourAt(3, &a)) return fail("needs X Y SIZE COLOUR TEXT");
    DrawText(c);
  } else if (name == u"emoji") {
    if (!ToNumbers(c.args, 0, 3, &n) || c.args.size() < 4) return fail("needs CX CY W TEXT");
    painter_.save();
    if (c.Flag(QStringLiteral("rot"))) {
      painter_.translate(Px(n[0], n[1]));
      painter_.rotate(c.Option(QStringLiteral("rot")).toDouble());
      painter_.translate(-Px(n[0], n[1]));
    }
    if (c.Flag(QStringLiteral("flip"))) {
      painter_.translate(Px(n[0], n[1]));
      painter_.scale(-1, 1);
      painter_.translate(-Px(n[0], n[1]));
    }
    DrawEmoji(Px(n[0], n[1]), n[2] * sx_, c.args[3]);
    painter_.restore();
  } else if (name == u"clip") {
    return DrawClipArt(c, error);
  } else if (name == u"kid") {
    // kid CX FEETY HEIGHT SHIRT HAIR [girl] [wave] [hat] [armsup] [adult] [skin=] [trousers=]
    if (!ToNumbers(c.args, 0, 3, &n) || !colourAt(3, &a) || !colourAt(4, &b)) return fail("needs CX FEETY H SHIRT HAIR");
    KidLook look;
    look.shirt = a;
    look.hair = b;
    for (int i = 5; i < c.args.size(); ++i) {
      if (c.args[i] == u"girl") look.girl = true;
      if (c.args[i] == u"wave") look.wave = true;
      if (c.args[i] == u"hat") look.partyHat = true;
      if (c.args[i] == u"armsup") look.armsUp = true;
      if (c.args[i] == u"adult") look.adult = true;
    }
    if (auto s = ParseColour(c.Option(QStringLiteral("skin"), QStringLiteral("#f6c9a0")))) look.skin = *s;
    if (auto t = ParseColour(c.Option(QStringLiteral("trousers"), QStringLiteral("#2b5bb8")))) look.trousers = *t;
    DrawKid(painter_, Px(n[0], n[1]), n[2] * sy_, look);
  } else if (name == u"tree") {
    if (!ToNumbers(c.args, 0, 3, &n)) return fail("needs CX BASEY H [COLOUR]");
    if (!colourAt(3, &a)) a = QColor(0x43, 0xA0, 0x47);
    DrawTree(painter_, Px(n[0], n[1]), n[2] * sy_, a);
  } else if (name == u"cloud") {
    if (!ToNumbers(c.args, 0, 3, &n)) return fail("needs CX CY W");
    DrawCloud(painter_, Px(n[0], n[1]), n[2] * sx_);
  } else if (name == u"sun") {
    if (!ToNumbers(c.args, 0, 3, &n)) return fail("needs CX CY R");
    DrawSun(painter_, Px(n[0], n[1]), n[2] * sx_);
  } else if (name == u"balloon") {
    if (!ToNumbers(c.args, 0, 3, &n) || !colourAt(3, &a)) return fail("needs CX CY R COLOUR [STRING]");
    std::vector<double> len;
    const double stringLength = ToNumbers(c.args, 4, 1, &len) ? len[0] : n[2] * 3;
    DrawBalloon(painter_, Px(n[0], n[1]), n[2] * sx_, a, stringLength * sy_);
  } else if (name == u"star") {
    if (!ToNumbers(c.args, 0, 3, &n) || !colourAt(3, &a)) return fail("needs CX CY R FILL [STROKE W]");
    std::vector<double> w;
    const bool stroked = colourAt(4, &b) && ToNumbers(c.args, 5, 1, &w);
    DrawStar(painter_, Px(n[0], n[1]), n[2] * sx_, a, b, stroked ? w[0] * sx_ : 0);
  } else if (name == u"flag") {
    // flag X Y W [us|redwhite|redblue] [pole=BOTTOMY]
    if (!ToNumbers(c.args, 0, 3, &n)) return fail("needs X Y W");
    const QString style = c.args.value(3, QStringLiteral("us"));
    FlagStyle fs = style == u"redwhite" ? FlagStyle::RedWhite : style == u"redblue" ? FlagStyle::RedBlue : FlagStyle::Stars50;
    if (c.Flag(QStringLiteral("pole"))) {
      const double bottom = c.Option(QStringLiteral("pole")).toDouble() * sy_;
      const QPointF top = Px(n[0], n[1]);
      const double w = std::max(2.0, n[2] * sx_ * 0.025);
      QLinearGradient g(top - QPointF(w, 0), top);
      g.setColorAt(0, QColor(0xE0, 0xE0, 0xE0));
      g.setColorAt(1, QColor(0x80, 0x80, 0x80));
      painter_.setPen(Qt::NoPen);
      painter_.setBrush(g);
      painter_.drawRect(QRectF(top.x() - w, top.y() - w, w, bottom - top.y() + w));
      painter_.setBrush(QColor(0xFF, 0xC1, 0x07));
      painter_.drawEllipse(QPointF(top.x() - w / 2, top.y() - w * 1.3), w * 0.9, w * 0.9);
    }
    DrawFlag(painter_, Px(n[0], n[1]), n[2] * sx_, fs);
  } else if (name == u"push") {
    painter_.save();
  } else if (name == u"pop") {
    painter_.restore();
  } else if (name == u"rotate") {
    if (!ToNumbers(c.args, 0, 3, &n)) return fail("needs CX CY DEGREES");
    painter_.translate(Px(n[0], n[1]));
    painter_.rotate(n[2]);
    painter_.translate(-Px(n[0], n[1]));
  } else if (name == u"opacity") {
    if (!ToNumbers(c.args, 0, 1, &n)) return fail("needs a value");
    painter_.setOpacity(n[0]);
  } else {
    return fail("unknown command");
  }
  return true;
}

void ScenePainter::DrawText(const Command& c) {
  // A picture made without a name ("-") leaves out the texts that name the child: the printed
  // books write the name of each child over it themselves.
  if (settings_.childName == u"-" && c.args.mid(4).join(u' ').contains(QStringLiteral("{child}"))) return;
  const double x = c.args[0].toDouble() * sx_;
  const double y = c.args[1].toDouble() * sy_;
  const double size = c.args[2].toDouble() * sy_;
  const QColor colour = *ParseColour(c.args[3]);
  const QString text = Expand(c.args.mid(4).join(u' '));
  const QString face = c.Option(QStringLiteral("font"), QStringLiteral("sans"));
  QFont font(face == u"comic" ? QStringLiteral("Comic Neue") : QStringLiteral("Liberation Sans"));
  font.setPixelSize(std::max(1, int(size)));
  font.setBold(c.Option(QStringLiteral("bold"), QStringLiteral("1")) != u"0");
  const QFontMetricsF metrics(font);
  const double width = metrics.horizontalAdvance(text);
  const QString align = c.Option(QStringLiteral("align"), QStringLiteral("center"));
  double left = x - width / 2;
  if (align == u"left") left = x;
  if (align == u"right") left = x - width;
  const double baseline = y + (metrics.ascent() - metrics.descent()) / 2;
  QPainterPath path;
  path.addText(QPointF(left, baseline), font, text);
  painter_.save();
  if (auto outline = ParseColour(c.Option(QStringLiteral("outline"), QStringLiteral("none"))); outline && outline->alpha() > 0) {
    QPen pen(*outline);
    pen.setWidthF(c.Option(QStringLiteral("ow"), QStringLiteral("1")).toDouble() * sx_ * 2);
    pen.setJoinStyle(Qt::RoundJoin);
    painter_.setPen(pen);
    painter_.setBrush(Qt::NoBrush);
    painter_.drawPath(path);
  }
  painter_.setPen(Qt::NoPen);
  painter_.setBrush(colour);
  painter_.drawPath(path);
  painter_.restore();
}

void ScenePainter::DrawEmoji(QPointF centre, double widthPx, const QString& text) {
  auto it = emojiCache_.find(text);
  if (it == emojiCache_.end()) {
    // Render once at the font's own bitmap size (136 px), then crop to the drawn pixels.
    QImage glyph(220, 220, QImage::Format_ARGB32_Premultiplied);
    glyph.fill(Qt::transparent);
    {
      QPainter gp(&glyph);
      QFont font(QStringLiteral("Noto Color Emoji"));
      font.setPixelSize(109);
      gp.setFont(font);
      gp.drawText(glyph.rect(), Qt::AlignCenter, text);
    }
    QRect used;
    for (int y = 0; y < glyph.height(); ++y)
      for (int x = 0; x < glyph.width(); ++x)
        if (qAlpha(glyph.pixel(x, y)) > 8) used |= QRect(x, y, 1, 1);
    it = emojiCache_.emplace(text, used.isEmpty() ? glyph : glyph.copy(used)).first;
  }
  const QImage& img = it->second;
  const double h = widthPx * img.height() / std::max(1, img.width());
  painter_.drawImage(QRectF(centre.x() - widthPx / 2, centre.y() - h / 2, widthPx, h), img);
}

bool ScenePainter::DrawClipArt(const Command& c, QString* error) {
  // clip CX CY W FILE [rot=DEG] [flip]
  std::vector<double> n;
  if (!ToNumbers(c.args, 0, 3, &n) || c.args.size() < 4) {
    *error = QStringLiteral("needs CX CY W FILE");
    return false;
  }
  QSvgRenderer svg(settings_.clipArtDir + u'/' + c.args[3]);
  if (!svg.isValid()) {
    *error = QStringLiteral("cannot read clip art %1").arg(c.args[3]);
    return false;
  }
  const QRectF box = svg.viewBoxF();
  const double w = n[2] * sx_;
  const double h = w * box.height() / std::max(1.0, box.width());
  const QPointF centre = Px(n[0], n[1]);
  painter_.save();
  painter_.translate(centre);
  painter_.rotate(c.Option(QStringLiteral("rot"), QStringLiteral("0")).toDouble());
  if (c.Flag(QStringLiteral("flip"))) painter_.scale(-1, 1);
  svg.render(&painter_, QRectF(-w / 2, -h / 2, w, h));
  painter_.restore();
  return true;
}

}  // namespace scene
