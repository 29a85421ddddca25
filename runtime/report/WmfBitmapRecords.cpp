// STRETCHDIB, DIBSTRETCHBLT and DIBBITBLT: the bitmap decoded (or its JPEG handed to the
// caller) and drawn into its destination, mirrored when the destination runs backwards.
#include <QPaintEngine>
#include <QPainter>

#include <cmath>

#include "runtime/report/WmfBitmaps.h"
#include "runtime/report/WmfFormat.h"
#include "runtime/report/WmfRecordPlayer.h"

namespace wdrt::report {
namespace {

constexpr std::uint32_t kSrcAnd = 0x008800C6u;
constexpr std::uint32_t kSrcPaint = 0x00EE0086u;
constexpr std::uint32_t kSrcInvert = 0x00660046u;
constexpr std::uint32_t kNotSrcCopy = 0x00330008u;

}  // namespace

std::optional<WmfDib> WmfRecordPlayer::DecodeBitmap(const unsigned char* data, std::size_t size,
                                                    std::uint16_t colorUsage, std::string* problem,
                                                    QSize fitInto) {
  auto dib = DecodeDib(data, size, colorUsage, problem, fitInto, bitmapPixelsLeft_);
  if (dib) bitmapPixelsLeft_ -= std::int64_t{dib->image.width()} * dib->image.height();
  return dib;
}

bool WmfRecordPlayer::DrawBitmap(std::uint16_t function, Params p, std::size_t n) {
  if (n < 16) return Fault("record too short");
  const std::uint32_t rop = ReadU32(p);
  auto word = [&](std::size_t i) { return static_cast<int>(ReadS16(p + 4 + 2 * i)); };
  int srcW = 0, srcH = 0, xSrc = 0, ySrc = 0;
  QRectF dest;
  std::size_t dibOffset = 0;
  std::uint16_t usage = DIB_RGB_COLORS;
  switch (function) {
    case META_STRETCHDIB:
      if (n < 22) return Fault("record too short");
      usage = ReadU16(p + 4);
      srcH = word(1), srcW = word(2), ySrc = word(3), xSrc = word(4);
      dest = QRectF(word(8), word(7), word(6), word(5));
      dibOffset = 22;
      break;
    case META_DIBSTRETCHBLT:
      if (n == 22) return PatBlt(QRectF(word(8), word(7), word(6), word(5)), rop);  // no bitmap
      if (n < 20) return Fault("record too short");
      srcH = word(0), srcW = word(1), ySrc = word(2), xSrc = word(3);
      dest = QRectF(word(7), word(6), word(5), word(4));
      dibOffset = 20;
      break;
    default:  // META_DIBBITBLT
      if (n == 18) return PatBlt(QRectF(word(6), word(5), word(4), word(3)), rop);  // no bitmap
      ySrc = word(0), xSrc = word(1), srcH = word(2), srcW = word(3);
      dest = QRectF(word(5), word(4), srcW, srcH);
      dibOffset = 16;
      break;
  }
  NoteDrawing(dest);
  if (!painter_ || dc_.State().rop2 == R2_NOP) return true;
  if (dibOffset >= n) return Fault("bitmap missing from its record");

  const QTransform full = LogicalToPainter();
  const QPointF corner0 = full.map(dest.topLeft()), corner1 = full.map(dest.bottomRight());
  const QRectF target = QRectF(corner0, corner1).normalized();
  const bool mirrorH = corner1.x() < corner0.x(), mirrorV = corner1.y() < corner0.y();
  const QSize devicePixels = base_.mapRect(target).size().toSize().expandedTo(QSize(1, 1));

  std::string problem;
  auto dib = DecodeBitmap(p + dibOffset, n - dibOffset, usage, &problem, devicePixels);
  if (!dib) return Fault(("bitmap: " + problem).c_str());

  // Source rectangle in stored pixels; STRETCHDIB counts a bottom-up bitmap's rows from below.
  const QSize stored = dib->storedSize;
  QRect source(xSrc, ySrc, srcW, srcH);
  if (function == META_STRETCHDIB && !dib->topDown) source.moveTop(stored.height() - ySrc - srcH);
  source = source.intersected(QRect(QPoint(0, 0), stored));
  const bool whole = source.isEmpty() || source == QRect(QPoint(0, 0), stored);

  ApplyClip();
  painter_->setTransform(base_);
  if (dib->compression == BI_JPEG && options_.drawJpeg && whole && !mirrorH && !mirrorV &&
      options_.drawJpeg(dib->embedded, target, *painter_))
    return true;

  QImage image = dib->image;
  if (!whole && stored.width() > 0 && stored.height() > 0) {
    const double fx = static_cast<double>(image.width()) / stored.width();
    const double fy = static_cast<double>(image.height()) / stored.height();
    image = image.copy(QRectF(source.x() * fx, source.y() * fy, source.width() * fx, source.height() * fy).toRect());
  }
  if (mirrorH || mirrorV) image = image.mirrored(mirrorH, mirrorV);
  if (rop == kNotSrcCopy) image.invertPixels();
  const bool rasterOps = CanMixWithDestination();
  QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
  if (rop == kSrcAnd && rasterOps) mode = QPainter::RasterOp_SourceAndDestination;
  if (rop == kSrcPaint && rasterOps) mode = QPainter::RasterOp_SourceOrDestination;
  if (rop == kSrcInvert) {
    if (!rasterOps) return true;  // an inverting blit has nothing to show on paper
    mode = QPainter::RasterOp_SourceXorDestination;
  }
  painter_->setCompositionMode(mode);
  painter_->drawImage(target, image);
  painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
  return true;
}

}  // namespace wdrt::report
