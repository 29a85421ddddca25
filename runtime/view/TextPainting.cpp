#include "runtime/view/TextPainting.h"

#include <QFontMetrics>
#include <QPainterPath>
#include <QStringList>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

namespace wdrt::view {
namespace {

// Breaks the text into lines at blanks so that each line fits `width`; a word longer than the
// width stands on its own line.
QStringList WrapLines(const QFontMetrics& metrics, const QString& text, int width) {
  QStringList lines;
  for (const QString& paragraph : text.split('\n')) {
    const QStringList words = paragraph.split(' ');
    QString line;
    for (int i = 0; i < words.size(); ++i) {
      QString candidate = line.isEmpty() ? words[i] : line + ' ' + words[i];
      if (!line.isEmpty() && metrics.horizontalAdvance(candidate.trimmed()) > width) {
        lines << line.trimmed();
        line = words[i];
      } else {
        line = candidate;
      }
    }
    lines << line.trimmed();
  }
  return lines;
}

bool Fits(const QFont& font, const QString& text, const QRect& rect) {
  QFontMetrics metrics(font);
  const QStringList lines = WrapLines(metrics, text, rect.width());
  // Whole lines, descenders included.
  if (lines.size() * metrics.height() > rect.height()) return false;
  for (const QString& line : lines)
    if (metrics.horizontalAdvance(line) > rect.width()) return false;
  return true;
}

// The outline drawn around light texts, in pixels, for a font of `pixels`.
double OutlineWidth(int pixels) { return std::max(2.0, pixels / 9.0); }

}  // namespace

// A text that fits on one line at no less than this share of its size stays on one line: a
// slightly smaller line reads better than a broken one, and keeps clear of the controls that
// the page tables let overlap a text's lower part.
constexpr double kOneLineShare = 0.7;

QFont OneLineFont(const QFont& font, const QString& text, const QRect& rect) {
  QFont fitted = font;
  const int size = font.pixelSize() > 0 ? font.pixelSize() : QFontMetrics(font).height();
  const int advance = QFontMetrics(font).horizontalAdvance(text);
  int oneLine = advance > rect.width() ? size * rect.width() / std::max(1, advance) : size;
  oneLine = std::min(oneLine, size * rect.height() / std::max(1, QFontMetrics(font).height()));
  fitted.setPixelSize(std::max(1, oneLine));
  return fitted;
}

QFont FitFont(const QFont& font, const QString& text, const QRect& rect) {
  QFont fitted = font;
  int size = font.pixelSize() > 0 ? font.pixelSize() : QFontMetrics(font).height();
  if (!text.contains('\n')) {
    QFont oneLine = OneLineFont(font, text, rect);
    if (oneLine.pixelSize() >= size * kOneLineShare && Fits(oneLine, text, rect)) return oneLine;
  }
  while (size > 9) {
    fitted.setPixelSize(size);
    if (Fits(fitted, text, rect)) return fitted;
    size = std::max(9, size * 9 / 10);
    if (size == 9) break;
  }
  fitted.setPixelSize(9);
  return fitted;
}

// Where the `nth` word (from 0) of a line lies, in characters; false when the line has fewer.
bool WordInLine(const QString& line, int nth, int& start, int& length) {
  int seen = 0;
  for (int i = 0; i < line.size();) {
    if (line[i] == ' ') { ++i; continue; }
    int end = i;
    while (end < line.size() && line[end] != ' ') ++end;
    if (seen++ == nth) {
      start = i;
      length = end - i;
      return true;
    }
    i = end;
  }
  return false;
}

int WordsInLine(const QString& line) { return static_cast<int>(line.split(' ', Qt::SkipEmptyParts).size()); }

// A marker in warm amber with a dark orange rim behind a word: it stands out on any picture,
// and both the outlined white texts and the dark ones stay legible on it.
void DrawWordMarker(QPainter& painter, const QFontMetrics& metrics, const QString& line, int lineX, int baseline,
                    int nth) {
  int start = 0;
  int length = 0;
  if (!WordInLine(line, nth, start, length)) return;
  const int pad = std::max(3, metrics.height() / 10);
  const int x = lineX + metrics.horizontalAdvance(line.left(start));
  const int width = metrics.horizontalAdvance(line.mid(start, length));
  const QRectF marker(x - pad, baseline - metrics.ascent() - pad / 2, width + 2 * pad, metrics.height() + pad);
  painter.save();
  painter.setPen(QPen(QColor(200, 90, 0), std::max(2.0, metrics.height() / 16.0)));
  painter.setBrush(QColor(255, 184, 28, 235));
  painter.drawRoundedRect(marker, pad * 1.5, pad * 1.5);
  painter.restore();
}

FittedText LayOutText(const QRect& rect, const QString& text, const QFont& font, bool outline) {
  FittedText laid;
  if (text.isEmpty()) return laid;
  // The outline stays inside the rectangle too.
  const int margin = outline ? static_cast<int>(std::ceil(OutlineWidth(font.pixelSize()) / 2)) : 0;
  const QRect room = rect.adjusted(margin, margin, -margin, -margin);
  laid.font = FitFont(font, text, room);
  laid.outline = outline ? OutlineWidth(laid.font.pixelSize()) : 0;
  QFontMetrics metrics(laid.font);
  const QStringList lines = WrapLines(metrics, text, room.width());
  const int total = static_cast<int>(lines.size()) * metrics.height();
  int top = room.top() + (room.height() - total) / 2;
  for (const QString& line : lines) {
    const int width = metrics.horizontalAdvance(line);
    const QRect box(room.left() + (room.width() - width) / 2, top, width, metrics.height());
    laid.lines.push_back({line, box, top + metrics.ascent()});
    laid.bounds |= box;
    top += metrics.height();
  }
  const int grow = static_cast<int>(std::ceil(laid.outline / 2));
  laid.bounds.adjust(-grow, -grow, grow, grow);
  return laid;
}

void DrawFittedText(QPainter& painter, const QRect& rect, const QString& text, const QFont& font,
                    const QColor& color, bool outline, int litWord) {
  const FittedText laid = LayOutText(rect, text, font, outline);
  if (laid.lines.empty()) return;
  QFontMetrics metrics(laid.font);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  int wordsBefore = 0;
  for (const FittedText::Line& line : laid.lines) {
    const int x = line.box.left();
    const int words = WordsInLine(line.text);
    if (litWord == kEveryWordLit)
      for (int nth = 0; nth < words; ++nth) DrawWordMarker(painter, metrics, line.text, x, line.baseline, nth);
    else if (litWord >= wordsBefore && litWord < wordsBefore + words)
      DrawWordMarker(painter, metrics, line.text, x, line.baseline, litWord - wordsBefore);
    wordsBefore += words;
    if (outline) {
      QPainterPath path;
      path.addText(x, line.baseline, laid.font, line.text);
      QPen pen(QColor(20, 20, 40, 230), laid.outline, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
      painter.strokePath(path, pen);
      painter.fillPath(path, color);
    } else {
      painter.setFont(laid.font);
      painter.setPen(color);
      painter.drawText(x, line.baseline, line.text);
    }
  }
  painter.restore();
}

QSize TextSize(const QFont& font, const QString& text) {
  QFontMetrics metrics(font);
  return QSize(metrics.horizontalAdvance(text) + 4, metrics.height() + 2);
}

}  // namespace wdrt::view
