// Draws control texts: wrapped at blanks, shrunk until they fit their rectangle, and outlined
// in a dark colour when light, so that they stay legible over any picture. GUI thread only.
#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRect>
#include <QString>
#include <vector>

namespace wdrt::view {

// The largest font not above `font` whose wrapped text fits into `rect` (never below 9 px).
QFont FitFont(const QFont& font, const QString& text, const QRect& rect);

// A text laid out in its rectangle: the fitted font, each line with its box and baseline, and
// the box of all its ink (outline included), which never leaves the rectangle unless even the
// smallest font cannot fit.
struct FittedText {
  struct Line {
    QString text;
    QRect box;
    int baseline = 0;
  };
  QFont font;
  double outline = 0;  // width of the outline, 0 for none
  std::vector<Line> lines;
  QRect bounds;
};
FittedText LayOutText(const QRect& rect, const QString& text, const QFont& font, bool outline);

// `litWord` (from 0 among the blank-separated words, -1 for none, kEveryWordLit for all) is
// drawn on a warm marker, for the word being read aloud.
inline constexpr int kEveryWordLit = -2;
void DrawFittedText(QPainter& painter, const QRect& rect, const QString& text, const QFont& font,
                    const QColor& color, bool outline, int litWord = -1);

// Size of a text drawn on one line (labels without a size take their text's size).
QSize TextSize(const QFont& font, const QString& text);

}  // namespace wdrt::view
