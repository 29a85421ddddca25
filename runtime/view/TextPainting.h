// Draws control texts: wrapped at blanks, shrunk until they fit their rectangle, and outlined
// in a dark colour when light, so that they stay legible over any picture. GUI thread only.
#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRect>
#include <QString>

namespace wdrt::view {

// The largest font not above `font` whose wrapped text fits into `rect` (never below 9 px).
QFont FitFont(const QFont& font, const QString& text, const QRect& rect);

// `litWord` (from 0 among the blank-separated words, -1 for none, kEveryWordLit for all) is
// drawn on a warm marker, for the word being read aloud.
inline constexpr int kEveryWordLit = -2;
void DrawFittedText(QPainter& painter, const QRect& rect, const QString& text, const QFont& font,
                    const QColor& color, bool outline, int litWord = -1);

// Size of a text drawn on one line (labels without a size take their text's size).
QSize TextSize(const QFont& font, const QString& text);

}  // namespace wdrt::view
