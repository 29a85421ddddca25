#include "ContactSheet.h"

#include <QFont>
#include <QImageReader>
#include <QPainter>

namespace scene {

QImage MakeContactSheet(const std::vector<PictureEntry>& pictures, const QString& dir) {
  constexpr int kColumns = 8, kCellW = 300, kCellH = 250, kThumbW = 280, kThumbH = 200, kTop = 60;
  const int rows = (int(pictures.size()) + kColumns - 1) / kColumns;
  QImage sheet(kColumns * kCellW, kTop + rows * kCellH, QImage::Format_RGB32);
  sheet.fill(QColor(0xEE, 0xEE, 0xEE));
  QPainter p(&sheet);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.setRenderHint(QPainter::Antialiasing);
  QFont title(QStringLiteral("Liberation Sans"));
  title.setPixelSize(30);
  title.setBold(true);
  p.setFont(title);
  p.drawText(QRect(0, 0, sheet.width(), kTop), Qt::AlignCenter,
             QStringLiteral("Storyloom pictures (%1)").arg(pictures.size()));
  QFont label(QStringLiteral("Liberation Sans"));
  label.setPixelSize(17);
  p.setFont(label);
  for (size_t i = 0; i < pictures.size(); ++i) {
    const PictureEntry& e = pictures[i];
    const int cx = int(i % kColumns) * kCellW, cy = kTop + int(i / kColumns) * kCellH;
    QImageReader reader(dir + u'/' + e.name);
    reader.setDecideFormatFromContent(true);
    const QImage img = reader.read();
    const QRect cell(cx + (kCellW - kThumbW) / 2, cy + 8, kThumbW, kThumbH);
    if (img.isNull()) {
      p.fillRect(cell, QColor(0xD3, 0x2F, 0x2F));
    } else {
      // Checkerboard under pictures with transparency, so icons show their shape.
      for (int y = cell.top(); y < cell.bottom(); y += 10)
        for (int x = cell.left(); x < cell.right(); x += 10)
          p.fillRect(QRect(x, y, 10, 10).intersected(cell), ((x + y) / 10) % 2 ? QColor(0xFF, 0xFF, 0xFF) : QColor(0xDD, 0xDD, 0xDD));
      QSize s = img.size().scaled(cell.size(), Qt::KeepAspectRatio);
      if (img.width() <= kThumbW && img.height() <= kThumbH) s = img.size();
      const QRect target(cell.center().x() - s.width() / 2, cell.center().y() - s.height() / 2, s.width(), s.height());
      p.drawImage(target, img);
    }
    p.setPen(Qt::black);
    p.drawText(QRect(cx, cy + kThumbH + 10, kCellW, 28), Qt::AlignCenter,
               QStringLiteral("%1  %2×%3").arg(e.name).arg(e.width).arg(e.height));
  }
  return sheet;
}

}  // namespace scene
