#include "runtime/view/CaptionedPicture.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

#include "runtime/view/Pictures.h"

namespace wdrt {
namespace {

QColor ColorOf(Rgb rgb) { return QColor((rgb >> 16) & 255, (rgb >> 8) & 255, rgb & 255); }

}  // namespace

bool WriteCaptionedPicture(const std::string& picture, const PictureCaption& caption, const std::string& out) {
  const QString path = view::PicturePath(picture);
  if (path.isEmpty()) return false;
  QImage image = view::DecodePicture(path, QSize());
  if (image.isNull()) return false;
  image = image.convertToFormat(QImage::Format_RGB32);
  {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font(QString::fromStdString(caption.face));
    font.setBold(true);
    const QString text = QString::fromStdString(caption.text);
    double size = caption.height * image.height();
    font.setPixelSize(std::max(1, static_cast<int>(size)));
    const double room = caption.widthAtMost * image.width();
    const double width = QFontMetricsF(font).horizontalAdvance(text);
    if (width > room) font.setPixelSize(std::max(1, static_cast<int>(size * room / width)));
    const QFontMetricsF metrics(font);
    const double left = caption.centreX * image.width() - metrics.horizontalAdvance(text) / 2;
    const double baseline = caption.middleY * image.height() + (metrics.ascent() - metrics.descent()) / 2;
    QPainterPath letters;
    letters.addText(QPointF(left, baseline), font, text);
    if (caption.outline != kColorNone && caption.outlineWidth > 0) {
      QPen pen(ColorOf(caption.outline));
      pen.setWidthF(caption.outlineWidth * image.width() * 2);
      pen.setJoinStyle(Qt::RoundJoin);
      painter.strokePath(letters, pen);
    }
    painter.fillPath(letters, ColorOf(caption.color));
  }
  const std::string part = out + ".part";
  if (!image.save(QString::fromStdString(part), "JPG", 90)) return false;
  return std::rename(part.c_str(), out.c_str()) == 0;
}

}  // namespace wdrt
