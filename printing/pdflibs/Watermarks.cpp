#include "printing/pdflibs/Watermarks.h"

#include <QBuffer>
#include <QColor>
#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QTransform>

#include <cmath>

#include "printing/pdflibs/CoreDocument.h"
#include "runtime/report/JpegPassThrough.h"
#include "runtime/report/PdfPages.h"

namespace pdflibs {
namespace {

constexpr int kDpi = 720;  // ten painter units per point

QColor ColorOf(std::int32_t colorRef) {
  const auto c = static_cast<std::uint32_t>(colorRef);
  return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

// Draws `paint` (in a box of `size` points, its centre at the origin after rotation) onto one
// page that just holds the rotated box, and finishes it.
template <typename Paint>
QByteArray OnePage(QSizeF size, double angle, wdrt::report::JpegPassThrough& jpegs, Paint&& paint) {
  QTransform rotation;
  rotation.rotate(-angle);  // anticlockwise on the page, whose y axis points down
  const QRectF box(-size.width() / 2, -size.height() / 2, size.width(), size.height());
  const QRectF turned = rotation.mapRect(box);
  const double pageWidth = std::max(1.0, std::ceil(turned.width()));
  const double pageHeight = std::max(1.0, std::ceil(turned.height()));
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setResolution(kDpi);
    writer.setPageSize(QPageSize(QSizeF(pageWidth, pageHeight), QPageSize::Point, QString(), QPageSize::ExactMatch));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter(&writer);
    const double scale = kDpi / 72.0;
    painter.scale(scale, scale);
    painter.translate(pageWidth / 2, pageHeight / 2);
    painter.setTransform(rotation, true);
    paint(painter, box);
  }
  buffer.close();
  return wdrt::report::FinishQtPdf(bytes, {{pageWidth, pageHeight}}, jpegs, {});
}

QByteArray TextWatermark(const PdfWatermarkDescription& d, const std::string& text) {
  const QString words = QString::fromStdString(text).trimmed();
  if (words.isEmpty()) return {};
  QFont font("Liberation Sans");
  font.setPointSizeF(d.FONTSIZE > 0 ? d.FONTSIZE : 48);
  font.setBold(d.FONTID == 1 || d.FONTID == 3);
  font.setItalic(d.FONTID == 2 || d.FONTID == 3);
  // Measured in points: the painter is scaled to points before drawing.
  QImage probe(1, 1, QImage::Format_RGB32);
  probe.setDotsPerMeterX(static_cast<int>(std::lround(72 / 0.0254)));
  probe.setDotsPerMeterY(static_cast<int>(std::lround(72 / 0.0254)));
  const QFontMetricsF metrics(font, &probe);
  const double lineWidth = std::max(0.0, d.LINEWIDTH / 1000.0);
  const QSizeF size(metrics.horizontalAdvance(words) + 2 * lineWidth + 2, metrics.height() + 2 * lineWidth + 2);
  wdrt::report::JpegPassThrough none;
  return OnePage(size, d.ANGLE, none, [&](QPainter& painter, const QRectF& box) {
    const QColor color = ColorOf(d.COLOR);
    painter.setFont(font);
    const QPointF baseline(box.left() + lineWidth + 1, box.top() + lineWidth + 1 + metrics.ascent());
    // Outlined text is still real text (drawn almost transparent under its outline), so that
    // a reader finds and copies it.
    QColor fill = color;
    if (d.TEXTMODE == 1) fill.setAlpha(1);
    painter.setPen(fill);
    painter.drawText(baseline, words);
    if (d.TEXTMODE == 1 || d.TEXTMODE == 2) {
      QPainterPath outline;
      outline.addText(baseline, font, words);
      painter.setBrush(Qt::NoBrush);
      painter.setPen(QPen(d.TEXTMODE == 2 ? color.darker(160) : color, std::max(0.1, lineWidth)));
      painter.drawPath(outline);
    }
  });
}

QByteArray ImageWatermark(const PdfWatermarkDescription& d, const std::string& fileName) {
  QFile file(QString::fromStdString(fileName));
  if (fileName.empty() || !file.open(QIODevice::ReadOnly)) return {};
  const QByteArray bytes = file.readAll();
  if (bytes.startsWith("%PDF-")) return bytes;  // its page is taken by the caller
  QImage image;
  const std::optional<wdrt::report::JpegInfo> jpeg = wdrt::report::ProbeJpeg(bytes);
  if (!jpeg && !image.loadFromData(bytes)) return {};
  const QSizeF natural = jpeg ? QSizeF(jpeg->width, jpeg->height) : QSizeF(image.size());
  QSizeF size(d.WIDTH > 0 ? d.WIDTH : natural.width(), d.HEIGHT > 0 ? d.HEIGHT : natural.height());
  if (d.KEEPASPECT) size = natural.scaled(size, Qt::KeepAspectRatio);
  if (size.isEmpty()) return {};
  wdrt::report::JpegPassThrough jpegs;
  return OnePage(size, d.ANGLE, jpegs, [&](QPainter& painter, const QRectF& box) {
    if (jpeg && jpegs.Draw(painter, bytes, box)) return;
    if (image.isNull()) image.loadFromData(bytes);
    painter.drawImage(box, image);
  });
}

}  // namespace

QByteArray WatermarkPdf(const PdfWatermarkDescription& description, const std::string& text,
                        const std::string& imageFileName) {
  return description.TYPE == 1 ? ImageWatermark(description, imageFileName) : TextWatermark(description, text);
}

}  // namespace pdflibs
