#include "runtime/view/TextPainting.h"

#include <QFontMetrics>
#include <QPainterPath>
#include <QStringList>
#include <QTextLayout>
#include <algorithm>

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
  if (lines.size() * metrics.height() > rect.height() + metrics.height() / 8) return false;
  for (const QString& line : lines)
    if (metrics.horizontalAdvance(line) > rect.width()) return false;
  return true;
}

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

void DrawFittedText(QPainter& painter, const QRect& rect, const QString& text, const QFont& font,
                    const QColor& color, bool outline) {
  if (text.isEmpty()) return;
  const QFont fitted = FitFont(font, text, rect);
  QFontMetrics metrics(fitted);
  const QStringList lines = WrapLines(metrics, text, rect.width());
  const int total = static_cast<int>(lines.size()) * metrics.height();
  int y = rect.top() + (rect.height() - total) / 2 + metrics.ascent();
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  for (const QString& line : lines) {
    const int x = rect.left() + (rect.width() - metrics.horizontalAdvance(line)) / 2;
    if (outline) {
      QPainterPath path;
      path.addText(x, y, fitted, line);
      QPen pen(QColor(20, 20, 40, 230), std::max(2.0, fitted.pixelSize() / 9.0), Qt::SolidLine, Qt::RoundCap,
               Qt::RoundJoin);
      painter.strokePath(path, pen);
      painter.fillPath(path, color);
    } else {
      painter.setFont(fitted);
      painter.setPen(color);
      painter.drawText(x, y, line);
    }
    y += metrics.height();
  }
  painter.restore();
}

QSize TextSize(const QFont& font, const QString& text) {
  QFontMetrics metrics(font);
  return QSize(metrics.horizontalAdvance(text) + 4, metrics.height() + 2);
}

}  // namespace wdrt::view
