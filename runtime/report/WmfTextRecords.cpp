// TEXTOUT and EXTTEXTOUT: fonts scaled from logical units, alignment, spacing arrays,
// opaque and clipping rectangles, and the text report for search and export.
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

#include "runtime/report/WmfFontCache.h"
#include "runtime/report/WmfFormat.h"
#include "runtime/report/WmfRecordPlayer.h"
#include "runtime/report/WmfTextCodec.h"

namespace wdrt::report {
namespace {

// Byte length of each character of a double-byte charset, or empty when the decoded text does
// not line up with the bytes one character per sequence.
std::vector<int> SequenceLengths(const QByteArray& bytes, std::uint8_t charset, qsizetype chars) {
  std::vector<int> lengths;
  for (qsizetype i = 0; i < bytes.size();) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    const bool lead = charset == SHIFTJIS_CHARSET ? ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC))
                                                  : (b >= 0x81 && b <= 0xFE);
    const int len = lead && i + 1 < bytes.size() ? 2 : 1;
    lengths.push_back(len);
    i += len;
  }
  if (static_cast<qsizetype>(lengths.size()) != chars) lengths.clear();
  return lengths;
}

}  // namespace

bool WmfRecordPlayer::TextOut(Params p, std::size_t n) {
  if (n < 2) return Fault("record too short");
  const int count = ReadS16(p);
  const std::size_t padded = static_cast<std::size_t>(std::max(count, 0)) + (count & 1);
  if (count < 0 || 2 + padded + 4 > n) return Fault("TEXTOUT string runs past its record");
  const QByteArray bytes(reinterpret_cast<const char*>(p + 2), count);
  const QPointF reference(ReadS16(p + 2 + padded + 2), ReadS16(p + 2 + padded));
  return DrawText(bytes, reference, 0, nullptr, {});
}

bool WmfRecordPlayer::ExtTextOut(Params p, std::size_t n) {
  if (n < 8) return Fault("record too short");
  const QPointF reference(ReadS16(p + 2), ReadS16(p));
  const int count = ReadS16(p + 4);
  const std::uint16_t options = ReadU16(p + 6);
  std::size_t offset = 8;
  QRectF rect;
  const bool hasRect = options & (ETO_OPAQUE | ETO_CLIPPED);
  if (hasRect) {
    if (n < 16) return Fault("EXTTEXTOUT rectangle runs past its record");
    rect = QRectF(QPointF(ReadS16(p + 8), ReadS16(p + 10)), QPointF(ReadS16(p + 12), ReadS16(p + 14))).normalized();
    offset = 16;
  }
  if (count < 0 || offset + static_cast<std::size_t>(count) > n)
    return Fault("EXTTEXTOUT string runs past its record");
  const QByteArray bytes(reinterpret_cast<const char*>(p + offset), count);
  offset += static_cast<std::size_t>(count) + (count & 1);
  std::vector<QPointF> spacing;
  const bool pairs = options & ETO_PDY;
  if (count > 0 && offset + static_cast<std::size_t>(count) * (pairs ? 4 : 2) <= n) {
    spacing.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
      if (pairs) spacing.emplace_back(ReadS16(p + offset + 4 * i), ReadS16(p + offset + 4 * i + 2));
      else spacing.emplace_back(ReadS16(p + offset + 2 * i), 0);
    }
  }
  return DrawText(bytes, reference, options, hasRect ? &rect : nullptr, spacing);
}

bool WmfRecordPlayer::DrawText(const QByteArray& bytes, QPointF reference, std::uint16_t options,
                               const QRectF* rect, const std::vector<QPointF>& spacing) {
  WmfDcState& s = dc_.State();
  if (s.textAlign & TA_UPDATECP) reference = s.position;
  const double logicalHeight = std::abs(s.font.height) ? std::abs(s.font.height) : 12;
  NoteDrawing(QRectF(reference.x(), reference.y() - logicalHeight, logicalHeight * 0.5 * bytes.size() + 1, logicalHeight * 2));
  if (rect) NoteDrawing(*rect);
  if (!painter_ && !textSink_) return true;

  const QTransform full = LogicalToPainter();
  const double sx = std::hypot(full.m11(), full.m12()), sy = std::hypot(full.m21(), full.m22());
  if (painter_ && rect && (options & ETO_OPAQUE) && s.rop2 != R2_NOP) {
    ApplyClip();
    painter_->setTransform(base_);
    painter_->fillRect(full.mapRect(*rect), s.bkColor);
  }
  const QString text = DecodeWmfText(bytes, s.font.charset);
  if (text.isEmpty()) return true;

  double height = std::abs(s.font.height) * sy;
  if (s.font.height == 0) height = header_.unitsPerInch * std::fabs(deviceToPainter_.m22()) * 12 / 72;
  QPaintDevice* device = painter_ ? painter_->device() : &metricsDevice_;
  QFont font = WmfQFontFor(s.font, height, std::abs(s.font.width) * sx, *device);
  if (s.charExtra && spacing.empty()) font.setLetterSpacing(QFont::AbsoluteSpacing, s.charExtra * sx);
  const QFontMetricsF metrics(font, device);

  // Advance of each character along the baseline (painter units) when the record gives them.
  std::vector<QPointF> advances;
  if (!spacing.empty()) {
    if (WmfCharsetIsMultiByte(s.font.charset)) {
      const std::vector<int> lengths = SequenceLengths(bytes, s.font.charset, text.size());
      std::size_t at = 0;
      for (int len : lengths) {
        QPointF sum;
        for (int k = 0; k < len && at < spacing.size(); ++k) sum += spacing[at++];
        advances.emplace_back(sum.x() * sx, sum.y() * sy);
      }
    } else if (static_cast<std::size_t>(text.size()) <= spacing.size()) {
      for (qsizetype i = 0; i < text.size(); ++i)
        advances.emplace_back(spacing[static_cast<std::size_t>(i)].x() * sx, spacing[static_cast<std::size_t>(i)].y() * sy);
    }
  }
  double width = 0;
  if (!advances.empty()) {
    for (const QPointF& a : advances) width += a.x();
  } else {
    width = metrics.horizontalAdvance(text);
  }

  const double ascent = metrics.ascent(), descent = metrics.descent();
  const std::uint16_t horizontal = s.textAlign & TA_CENTER, vertical = s.textAlign & TA_BASELINE;
  const double x0 = horizontal == TA_CENTER ? -width / 2 : horizontal == TA_RIGHT ? -width : 0;
  const double yb = vertical == TA_BASELINE ? 0 : vertical == TA_BOTTOM ? -descent : ascent;
  const QPointF anchor = full.map(reference);
  QTransform local;
  local.translate(anchor.x(), anchor.y());
  local.rotate(-s.font.escapement / 10.0);
  const QRectF box = local.mapRect(QRectF(x0, yb - ascent, width, ascent + descent));
  const QPointF baseline = local.map(QPointF(x0, yb));

  if (s.textAlign & TA_UPDATECP) {
    const double step = sx > 0 ? width / sx : 0;
    s.position = QPointF(reference.x() + (full.m11() < 0 ? -step : step), reference.y());
  }
  if (textSink_) textSink_(text, baseline, box);
  if (!painter_) return true;
  if (options_.onText) options_.onText(text, box);
  if (s.rop2 == R2_NOP) return true;

  ApplyClip();
  if (rect && (options & ETO_CLIPPED)) {
    painter_->setTransform(base_);
    painter_->setClipRect(full.mapRect(*rect), painter_->hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    clipDirty_ = true;  // the next drawing puts the record-independent clip back
  }
  painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
  painter_->setTransform(local * base_);
  if (s.bkMode == BK_OPAQUE && !(rect && (options & ETO_OPAQUE)))
    painter_->fillRect(QRectF(x0, yb - ascent, width, ascent + descent), s.bkColor);
  painter_->setFont(font);
  painter_->setPen(s.textColor);
  if (advances.empty()) {
    painter_->drawText(QPointF(x0, yb), text);
    return true;
  }
  QPointF at(x0, yb);
  for (qsizetype i = 0; i < text.size() && static_cast<std::size_t>(i) < advances.size(); ++i) {
    painter_->drawText(at, QString(text[i]));
    at += advances[static_cast<std::size_t>(i)];
  }
  return true;
}

}  // namespace wdrt::report
