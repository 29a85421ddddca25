#include "runtime/report/WmfRecordPlayer.h"

#include <QPaintEngine>
#include <QPainter>

#include <algorithm>
#include <cmath>

#include "runtime/report/WmfBitmaps.h"
#include "runtime/report/WmfFormat.h"

namespace wdrt::report {
namespace {

// The first SETWINDOWEXT of a file without a placeable header: its logical units count as
// device units until the file changes the window again.
QPointF FirstWindowExtent(const QByteArray& bytes, std::size_t offset) {
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
  const std::size_t size = static_cast<std::size_t>(bytes.size());
  while (offset + 6 <= size) {
    const std::uint32_t words = ReadU32(data + offset);
    const std::uint16_t function = ReadU16(data + offset + 4);
    if (words < 3 || words > (size - offset) / 2 || function == META_EOF) break;
    if (function == META_SETWINDOWEXT && words >= 5) {
      const double y = ReadS16(data + offset + 6), x = ReadS16(data + offset + 8);
      if (x != 0 && y != 0) return {std::fabs(x), std::fabs(y)};
    }
    offset += static_cast<std::size_t>(words) * 2;
  }
  return {1, 1};
}

QColor ColorRef(const unsigned char* p) { return QColor(p[0], p[1], p[2]); }

bool IsDrawing(std::uint16_t f) {
  switch (f) {
    case META_LINETO: case META_POLYLINE: case META_POLYGON: case META_POLYPOLYGON:
    case META_RECTANGLE: case META_ROUNDRECT: case META_ELLIPSE: case META_ARC: case META_PIE:
    case META_CHORD: case META_SETPIXEL: case META_TEXTOUT: case META_EXTTEXTOUT:
    case META_STRETCHDIB: case META_DIBSTRETCHBLT: case META_DIBBITBLT: case META_PATBLT:
      return true;
    default:
      return false;
  }
}

QPainter::CompositionMode RasterOp(std::uint16_t rop2) {
  switch (rop2) {
    case R2_NOTMERGEPEN: return QPainter::RasterOp_NotSourceAndNotDestination;
    case R2_MASKNOTPEN: return QPainter::RasterOp_NotSourceAndDestination;
    case R2_NOTCOPYPEN: return QPainter::RasterOp_NotSource;
    case R2_MASKPENNOT: return QPainter::RasterOp_SourceAndNotDestination;
    case R2_NOT: return QPainter::RasterOp_NotDestination;
    case R2_XORPEN: return QPainter::RasterOp_SourceXorDestination;
    case R2_NOTMASKPEN: return QPainter::RasterOp_NotSourceOrNotDestination;
    case R2_MASKPEN: return QPainter::RasterOp_SourceAndDestination;
    case R2_NOTXORPEN: return QPainter::RasterOp_NotSourceXorDestination;
    case R2_MERGENOTPEN: return QPainter::RasterOp_NotSourceOrDestination;
    case R2_MERGEPENNOT: return QPainter::RasterOp_SourceOrNotDestination;
    case R2_MERGEPEN: return QPainter::RasterOp_SourceOrDestination;
    default: return QPainter::CompositionMode_SourceOver;
  }
}

}  // namespace

WmfRecordPlayer::WmfRecordPlayer(QPainter* painter, const QByteArray& bytes,
                                 const WmfParsedHeader& header, const QRectF& frame,
                                 const QRectF& target, WmfPlayOptions options)
    : painter_(painter),
      bytes_(bytes),
      header_(header),
      options_(std::move(options)),
      dc_(header.unitsPerInch, header.objects),
      target_(target),
      metricsDevice_(1, 1, QImage::Format_RGB32) {
  // 72 dpi: one point per pixel (2835 dots per metre).
  metricsDevice_.setDotsPerMeterX(2835);
  metricsDevice_.setDotsPerMeterY(2835);
  WmfDcState& s = dc_.State();
  if (header.placeable && header.bbox.width() > 0 && header.bbox.height() > 0) {
    s.windowOrg = s.viewportOrg = header.bbox.topLeft();
    s.windowExt = s.viewportExt = QPointF(header.bbox.width(), header.bbox.height());
  } else {
    s.windowExt = s.viewportExt = FirstWindowExtent(bytes, header.firstRecord);
  }
  if (frame.width() > 0 && frame.height() > 0) {
    const double sx = target.width() / frame.width(), sy = target.height() / frame.height();
    deviceToPainter_ = QTransform(sx, 0, 0, sy, target.x() - frame.x() * sx, target.y() - frame.y() * sy);
  }
  if (painter_) {
    base_ = painter_->transform();
    hasCallerClip_ = painter_->hasClipping();
    if (hasCallerClip_) callerClip_ = painter_->clipPath();
    painter_->setRenderHint(QPainter::Antialiasing, true);
    painter_->setRenderHint(QPainter::TextAntialiasing, true);
    painter_->setRenderHint(QPainter::SmoothPixmapTransform, true);
  }
}

bool WmfRecordPlayer::Fault(const char* why) {
  if (result_.status == WmfStatus::Ok) {
    result_.status = WmfStatus::Damaged;
    result_.problem = why;
  }
  return false;
}

WmfPlayResult WmfRecordPlayer::Run() {
  const auto* data = reinterpret_cast<const unsigned char*>(bytes_.constData());
  const std::size_t size = static_cast<std::size_t>(bytes_.size());
  std::size_t offset = header_.firstRecord;
  bool sawEof = false;
  while (offset + 6 <= size) {
    const std::uint32_t words = ReadU32(data + offset);
    const std::uint16_t function = ReadU16(data + offset + 4);
    if (words < 3) {
      Fault("record with a size below three words");
      break;
    }
    if (words > (size - offset) / 2) {
      Fault("record runs past the end of the file");
      break;
    }
    ++result_.records;
    const std::size_t bytes = static_cast<std::size_t>(words) * 2;
    if (function == META_EOF) {
      sawEof = true;
      if (offset + bytes < size) Fault("bytes after the EOF record");
      break;
    }
    if (IsDrawing(function) && windowExtSet_ && !windowFrame_.isValid()) {
      const WmfDcState& s = dc_.State();
      windowFrame_ = dc_.LogicalToDevice().mapRect(QRectF(s.windowOrg, QSizeF(s.windowExt.x(), s.windowExt.y())).normalized());
    }
    Dispatch(function, data + offset + 6, bytes - 6);
    offset += bytes;
  }
  if (!sawEof) Fault("no EOF record");
  if (windowExtSet_ && !windowFrame_.isValid()) {
    const WmfDcState& s = dc_.State();
    windowFrame_ = dc_.LogicalToDevice().mapRect(QRectF(s.windowOrg, QSizeF(s.windowExt.x(), s.windowExt.y())).normalized());
  }
  return result_;
}

bool WmfRecordPlayer::Dispatch(std::uint16_t function, Params p, std::size_t n) {
  WmfDcState& s = dc_.State();
  auto need = [&](std::size_t bytes) { return n >= bytes ? true : Fault("record too short"); };
  switch (function) {
    case META_SETWINDOWORG: case META_SETWINDOWEXT: case META_SETVIEWPORTORG:
    case META_SETVIEWPORTEXT: case META_OFFSETWINDOWORG: case META_OFFSETVIEWPORTORG:
    case META_SCALEWINDOWEXT: case META_SCALEVIEWPORTEXT:
      return SetWindowOrViewport(function, p, n);
    case META_SETMAPMODE:
      if (!need(2)) return false;
      if (ReadU16(p) >= MM_TEXT && ReadU16(p) <= MM_ANISOTROPIC) s.mapMode = ReadU16(p);
      return true;
    case META_SETBKMODE:
      if (!need(2)) return false;
      s.bkMode = ReadU16(p);
      return true;
    case META_SETROP2:
      if (!need(2)) return false;
      s.rop2 = ReadU16(p);
      return true;
    case META_SETPOLYFILLMODE:
      if (!need(2)) return false;
      s.polyFillMode = ReadU16(p);
      return true;
    case META_SETTEXTALIGN:
      if (!need(2)) return false;
      s.textAlign = ReadU16(p);
      return true;
    case META_SETTEXTCHAREXTRA:
      if (!need(2)) return false;
      s.charExtra = ReadS16(p);
      return true;
    case META_SETTEXTCOLOR:
      if (!need(4)) return false;
      s.textColor = ColorRef(p);
      return true;
    case META_SETBKCOLOR:
      if (!need(4)) return false;
      s.bkColor = ColorRef(p);
      return true;
    case META_SAVEDC:
      return dc_.Save() ? true : Fault("SAVEDC nested too deep");
    case META_RESTOREDC:
      if (!need(2)) return false;
      clipDirty_ = true;
      return dc_.Restore(ReadS16(p)) ? true : Fault("RESTOREDC without a matching SAVEDC");
    case META_SELECTOBJECT:
      if (!need(2)) return false;
      if (const WmfObject* o = dc_.Object(ReadU16(p)); o && o->kind == WmfObject::Kind::Region) {
        if (painter_) dc_.SetClip(o->region, LogicalToClip());
        clipDirty_ = true;
      }
      return dc_.Select(ReadU16(p)) ? true : Fault("SELECTOBJECT of a missing object");
    case META_SELECTCLIPREGION: {
      if (!need(2)) return false;
      const WmfObject* o = dc_.Object(ReadU16(p));
      clipDirty_ = true;
      if (o && o->kind == WmfObject::Kind::Region) {
        if (painter_) dc_.SetClip(o->region, LogicalToClip());
      } else {
        dc_.ClearClip();
      }
      return true;
    }
    case META_DELETEOBJECT:
      if (!need(2)) return false;
      return dc_.Delete(ReadU16(p)) ? true : Fault("DELETEOBJECT of a missing object");
    case META_CREATEPENINDIRECT: case META_CREATEBRUSHINDIRECT: case META_CREATEFONTINDIRECT:
    case META_DIBCREATEPATTERNBRUSH: case META_CREATEPATTERNBRUSH: case META_CREATEPALETTE:
    case META_CREATEREGION:
      return CreateObject(function, p, n);
    case META_INTERSECTCLIPRECT: case META_EXCLUDECLIPRECT: {
      if (!need(8)) return false;
      const QRectF r(QPointF(ReadS16(p + 6), ReadS16(p + 4)), QPointF(ReadS16(p + 2), ReadS16(p)));
      if (!painter_) return true;  // clips matter only where something is painted
      if (function == META_INTERSECTCLIPRECT) dc_.IntersectClip(r, LogicalToClip());
      else dc_.ExcludeClip(r, LogicalToClip());
      clipDirty_ = true;
      return true;
    }
    case META_OFFSETCLIPRGN: {
      if (!need(4)) return false;
      if (s.clipped) {
        const QTransform t = LogicalToClip();
        const QPointF by = t.map(QPointF(ReadS16(p + 2), ReadS16(p))) - t.map(QPointF(0, 0));
        s.clip.translate(by.toPoint());
        clipDirty_ = true;
      }
      return true;
    }
    case META_MOVETO:
      if (!need(4)) return false;
      s.position = QPointF(ReadS16(p + 2), ReadS16(p));
      return true;
    case META_LINETO: case META_RECTANGLE: case META_ROUNDRECT: case META_ELLIPSE:
    case META_ARC: case META_PIE: case META_CHORD: case META_SETPIXEL:
      return DrawShape(function, p, n);
    case META_POLYLINE: case META_POLYGON: case META_POLYPOLYGON:
      return DrawPoly(function, p, n);
    case META_TEXTOUT:
      return TextOut(p, n);
    case META_EXTTEXTOUT:
      return ExtTextOut(p, n);
    case META_PATBLT:
      if (!need(12)) return false;
      return PatBlt(QRectF(ReadS16(p + 10), ReadS16(p + 8), ReadS16(p + 6), ReadS16(p + 4)), ReadU32(p));
    case META_STRETCHDIB: case META_DIBSTRETCHBLT: case META_DIBBITBLT:
      return DrawBitmap(function, p, n);
    case META_FILLREGION: case META_PAINTREGION: {
      if (!need(2)) return false;
      const WmfObject* region = dc_.Object(ReadU16(p));
      if (!region || region->kind != WmfObject::Kind::Region) return Fault("region object missing");
      const WmfBrush saved = s.brush;
      if (function == META_FILLREGION) {
        const WmfObject* brush = n >= 4 ? dc_.Object(ReadU16(p + 2)) : nullptr;
        if (!brush || brush->kind != WmfObject::Kind::Brush) return Fault("brush object missing");
        s.brush = brush->brush;
      }
      NoteDrawing(region->region);
      if (Prepare(false, true)) painter_->drawRect(region->region);
      s.brush = saved;
      return true;
    }
    default:
      return true;  // records that do not draw (escapes, palettes, flags) are skipped
  }
}

bool WmfRecordPlayer::SetWindowOrViewport(std::uint16_t function, Params p, std::size_t n) {
  WmfDcState& s = dc_.State();
  const bool scale = function == META_SCALEWINDOWEXT || function == META_SCALEVIEWPORTEXT;
  if (n < (scale ? 8u : 4u)) return Fault("record too short");
  if (scale) {
    const double yDen = ReadS16(p), yNum = ReadS16(p + 2), xDen = ReadS16(p + 4), xNum = ReadS16(p + 6);
    if (xDen == 0 || yDen == 0 || xNum == 0 || yNum == 0) return Fault("extent scaled to or by zero");
    QPointF& ext = function == META_SCALEWINDOWEXT ? s.windowExt : s.viewportExt;
    const QPointF scaled(ext.x() * xNum / xDen, ext.y() * yNum / yDen);
    if (std::fabs(scaled.x()) < 1e-3 || std::fabs(scaled.y()) < 1e-3 ||
        std::fabs(scaled.x()) > 1e7 || std::fabs(scaled.y()) > 1e7)
      return Fault("extent scaled out of range");
    ext = scaled;
    return true;
  }
  const QPointF v(ReadS16(p + 2), ReadS16(p));
  switch (function) {
    case META_SETWINDOWORG: s.windowOrg = v; break;
    case META_SETVIEWPORTORG: s.viewportOrg = v; break;
    case META_OFFSETWINDOWORG: s.windowOrg += v; break;
    case META_OFFSETVIEWPORTORG: s.viewportOrg += v; break;
    case META_SETWINDOWEXT: case META_SETVIEWPORTEXT:
      if (v.x() == 0 || v.y() == 0) return Fault("zero window or viewport extent");
      if (function == META_SETWINDOWEXT) {
        s.windowExt = v;
        windowExtSet_ = true;
      } else {
        s.viewportExt = v;
      }
      break;
    default: break;
  }
  return true;
}

bool WmfRecordPlayer::CreateObject(std::uint16_t function, Params p, std::size_t n) {
  WmfObject o;
  bool ok = true;
  switch (function) {
    case META_CREATEPENINDIRECT:
      if (n < 10) {
        ok = Fault("pen record too short");
        o.kind = WmfObject::Kind::Pen;
        o.pen.style = PS_NULL;
        break;
      }
      o.kind = WmfObject::Kind::Pen;
      o.pen.style = ReadU16(p);
      o.pen.width = std::abs(ReadS16(p + 2));
      o.pen.color = ColorRef(p + 6);
      break;
    case META_CREATEBRUSHINDIRECT:
      o.kind = WmfObject::Kind::Brush;
      if (n < 8) {
        ok = Fault("brush record too short");
        o.brush.style = BS_NULL;
        break;
      }
      o.brush.style = ReadU16(p);
      o.brush.color = ColorRef(p + 2);
      o.brush.hatch = ReadU16(p + 6);
      break;
    case META_CREATEFONTINDIRECT:
      o.kind = WmfObject::Kind::Font;
      if (n < 18) {
        ok = Fault("font record too short");
        break;
      }
      o.font.height = ReadS16(p);
      o.font.width = ReadS16(p + 2);
      o.font.escapement = ReadS16(p + 4);
      o.font.weight = ReadS16(p + 8);
      o.font.italic = p[10] != 0;
      o.font.underline = p[11] != 0;
      o.font.strikeOut = p[12] != 0;
      o.font.charset = p[13];
      o.font.pitchAndFamily = p[17];
      {
        const std::size_t faceBytes = std::min<std::size_t>(n - 18, 32);
        std::size_t len = 0;
        while (len < faceBytes && p[18 + len]) ++len;
        o.font.face = QString::fromLatin1(reinterpret_cast<const char*>(p + 18), static_cast<qsizetype>(len));
      }
      break;
    case META_DIBCREATEPATTERNBRUSH: {
      o.kind = WmfObject::Kind::Brush;
      o.brush.style = BS_SOLID;
      o.brush.color = Qt::gray;
      std::string problem;
      if (n < 4) {
        ok = Fault("pattern brush record too short");
        break;
      }
      if (!painter_) break;  // passes that paint nothing need no pattern pixels
      auto dib = DecodeBitmap(p + 4, n - 4, ReadU16(p + 2), &problem);
      if (!dib) {
        ok = Fault(("pattern brush bitmap: " + problem).c_str());
        break;
      }
      o.brush.style = BS_DIBPATTERN;
      o.brush.pattern = dib->image;
      break;
    }
    case META_CREATEPATTERNBRUSH:
      // Device-dependent bitmap of old files: a mid-grey stands in for its pattern.
      o.kind = WmfObject::Kind::Brush;
      o.brush.style = BS_SOLID;
      o.brush.color = Qt::gray;
      break;
    case META_CREATEREGION:
      o.kind = WmfObject::Kind::Region;
      if (n >= 20) {
        o.region = QRectF(QPointF(ReadS16(p + 12), ReadS16(p + 14)), QPointF(ReadS16(p + 16), ReadS16(p + 18))).normalized();
      }
      break;
    default:
      o.kind = WmfObject::Kind::Other;
      break;
  }
  // The object takes its slot even when damaged, so later indices still match.
  if (!dc_.AddObject(std::move(o))) return Fault("too many objects");
  return ok;
}

bool WmfRecordPlayer::CanMixWithDestination() const {
  // Only the raster engine carries raster operations out; PDF and printer engines claim the
  // feature but draw plainly, which would paint over what an inverting record means to show.
  return painter_ && painter_->paintEngine() && painter_->paintEngine()->type() == QPaintEngine::Raster;
}

QTransform WmfRecordPlayer::LogicalToPainter() const { return dc_.LogicalToDevice() * deviceToPainter_; }

QTransform WmfRecordPlayer::LogicalToClip() const { return LogicalToPainter() * base_; }

void WmfRecordPlayer::SetPainterTransform(const QTransform& logicalToPainter) {
  painter_->setTransform(logicalToPainter * base_);
}

void WmfRecordPlayer::NoteDrawing(const QRectF& logicalBounds) {
  const QRectF device = dc_.LogicalToDevice().mapRect(logicalBounds.normalized());
  extent_ = extent_.isNull() ? device : extent_.united(device);
}

void WmfRecordPlayer::ApplyClip() {
  if (!clipDirty_) return;
  clipDirty_ = false;
  painter_->setTransform(base_);
  if (hasCallerClip_) painter_->setClipPath(callerClip_, Qt::ReplaceClip);
  else painter_->setClipping(false);
  const WmfDcState& s = dc_.State();
  if (s.clipped) {
    painter_->setTransform(QTransform());
    painter_->setClipRegion(s.clip, hasCallerClip_ ? Qt::IntersectClip : Qt::ReplaceClip);
  }
}

bool WmfRecordPlayer::Prepare(bool outline, bool fill) {
  if (!painter_) return false;
  const WmfDcState& s = dc_.State();
  if (s.rop2 == R2_NOP) return false;
  ApplyClip();
  const QTransform full = LogicalToPainter();
  SetPainterTransform(full);

  QPen pen(Qt::NoPen);
  if (outline && (s.pen.style & 0x0F) != PS_NULL) {
    pen = QPen(s.pen.color);
    // As on a screen, no pen is thinner than one device pixel (width 0 included).
    const double pixels = s.pen.width * std::sqrt(std::fabs((full * base_).determinant()));
    pen.setWidthF(pixels < 1 ? 0 : s.pen.width);
    pen.setCosmetic(pixels < 1);
    switch (s.pen.style & 0x0F) {
      case PS_DASH: pen.setStyle(Qt::DashLine); break;
      case PS_DOT: pen.setStyle(Qt::DotLine); break;
      case PS_DASHDOT: pen.setStyle(Qt::DashDotLine); break;
      case PS_DASHDOTDOT: pen.setStyle(Qt::DashDotDotLine); break;
      default: break;
    }
    const std::uint16_t cap = s.pen.style & 0x0F00, join = s.pen.style & 0xF000;
    pen.setCapStyle(cap == 0x0100 ? Qt::SquareCap : cap == 0x0200 ? Qt::FlatCap : Qt::RoundCap);
    pen.setJoinStyle(join == 0x1000 ? Qt::BevelJoin : join == 0x2000 ? Qt::MiterJoin : Qt::RoundJoin);
  }
  QBrush brush(Qt::NoBrush);
  if (fill) {
    switch (s.brush.style) {
      case BS_SOLID: brush = QBrush(s.brush.color); break;
      case BS_HATCHED: {
        static constexpr Qt::BrushStyle kHatch[] = {Qt::HorPattern, Qt::VerPattern, Qt::FDiagPattern,
                                                    Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
        brush = QBrush(s.brush.color, s.brush.hatch < 6 ? kHatch[s.brush.hatch] : Qt::SolidPattern);
        break;
      }
      case BS_PATTERN: case BS_DIBPATTERN:
        if (!s.brush.pattern.isNull()) brush = QBrush(s.brush.pattern);
        break;
      default: break;
    }
    // Patterns and hatches stay in device pixels, as on the screen a metafile was made for.
    if (brush.style() != Qt::SolidPattern && brush.style() != Qt::NoBrush)
      brush.setTransform((full * base_).inverted());
  }
  QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
  switch (s.rop2) {
    case R2_BLACK: pen.setColor(Qt::black); if (brush.style() != Qt::NoBrush) brush = QBrush(Qt::black); break;
    case R2_WHITE: pen.setColor(Qt::white); if (brush.style() != Qt::NoBrush) brush = QBrush(Qt::white); break;
    case R2_COPYPEN: break;
    default:
      if (CanMixWithDestination()) {
        mode = RasterOp(s.rop2);
      } else if (s.rop2 == R2_NOT || s.rop2 == R2_XORPEN || s.rop2 == R2_NOTXORPEN) {
        return false;  // a printer cannot invert what is under the pen
      }
      break;
  }
  painter_->setCompositionMode(mode);
  painter_->setRenderHint(QPainter::Antialiasing, mode == QPainter::CompositionMode_SourceOver);
  if (s.brush.style == BS_HATCHED && s.bkMode == BK_OPAQUE && fill) {
    // An opaque background shows between the hatch lines: filled first by the caller's shape.
    painter_->setBackgroundMode(Qt::OpaqueMode);
    painter_->setBackground(s.bkColor);
  } else {
    painter_->setBackgroundMode(Qt::TransparentMode);
  }
  painter_->setPen(pen);
  painter_->setBrush(brush);
  return true;
}

bool WmfRecordPlayer::DrawShape(std::uint16_t function, Params p, std::size_t n) {
  WmfDcState& s = dc_.State();
  if (function == META_LINETO) {
    if (n < 4) return Fault("record too short");
    const QPointF to(ReadS16(p + 2), ReadS16(p));
    NoteDrawing(QRectF(s.position, to));
    if (Prepare(true, false)) painter_->drawLine(s.position, to);
    s.position = to;
    return true;
  }
  if (function == META_SETPIXEL) {
    if (n < 8) return Fault("record too short");
    const QPointF at(ReadS16(p + 6), ReadS16(p + 4));
    NoteDrawing(QRectF(at, QSizeF(1, 1)));
    if (!painter_) return true;
    ApplyClip();
    painter_->setTransform(base_);
    painter_->fillRect(QRectF(LogicalToPainter().map(at), QSizeF(1, 1)), ColorRef(p));
    return true;
  }
  const std::size_t words = function == META_RECTANGLE || function == META_ELLIPSE ? 4
                            : function == META_ROUNDRECT                          ? 6
                                                                                  : 8;
  if (n < words * 2) return Fault("record too short");
  auto at = [&](std::size_t word) { return static_cast<double>(ReadS16(p + 2 * (words - 1 - word))); };
  // Parameters are stored last first: left, top, right, bottom are the last four words.
  const QRectF rect = QRectF(QPointF(at(0), at(1)), QPointF(at(2), at(3))).normalized();
  NoteDrawing(rect);
  switch (function) {
    case META_RECTANGLE:
      if (Prepare(true, true)) painter_->drawRect(rect);
      return true;
    case META_ELLIPSE:
      if (Prepare(true, true)) painter_->drawEllipse(rect);
      return true;
    case META_ROUNDRECT:
      if (Prepare(true, true)) painter_->drawRoundedRect(rect, std::fabs(at(4)) / 2, std::fabs(at(5)) / 2);
      return true;
    default: break;
  }
  // ARC, PIE, CHORD: the angles are taken on the painter, where "counter-clockwise" is seen.
  const QPointF start(at(4), at(5)), end(at(6), at(7));
  if (!painter_) return true;
  const QTransform full = LogicalToPainter();
  bool invertible = false;
  const QTransform back = full.inverted(&invertible);
  if (!invertible) return true;
  const QRectF box = full.mapRect(rect);
  const QPointF c = box.center(), a = full.map(start), b = full.map(end);
  const double a0 = std::atan2(-(a.y() - c.y()), a.x() - c.x()) * 180 / M_PI;
  const double a1 = std::atan2(-(b.y() - c.y()), b.x() - c.x()) * 180 / M_PI;
  double sweep = a1 - a0;
  if (sweep <= 0) sweep += 360;
  QPainterPath path;
  if (function == META_PIE) path.moveTo(c);
  else path.arcMoveTo(box, a0);
  path.arcTo(box, a0, sweep);
  if (function != META_ARC) path.closeSubpath();
  if (Prepare(true, function != META_ARC)) painter_->drawPath(back.map(path));
  return true;
}

bool WmfRecordPlayer::DrawPoly(std::uint16_t function, Params p, std::size_t n) {
  const WmfDcState& s = dc_.State();
  if (n < 2) return Fault("record too short");
  const Qt::FillRule rule = s.polyFillMode == POLY_WINDING ? Qt::WindingFill : Qt::OddEvenFill;
  auto points = [&](std::size_t offset, std::size_t count) {
    QPolygonF poly;
    poly.reserve(static_cast<qsizetype>(count));
    for (std::size_t i = 0; i < count; ++i)
      poly.append(QPointF(ReadS16(p + offset + 4 * i), ReadS16(p + offset + 4 * i + 2)));
    return poly;
  };
  if (function == META_POLYPOLYGON) {
    const std::size_t polys = ReadU16(p);
    if (2 + 2 * polys > n) return Fault("POLYPOLYGON counts run past the record");
    std::size_t total = 0;
    for (std::size_t i = 0; i < polys; ++i) total += ReadU16(p + 2 + 2 * i);
    std::size_t offset = 2 + 2 * polys;
    if (offset + 4 * total > n) return Fault("POLYPOLYGON points run past the record");
    QPainterPath path;
    path.setFillRule(rule);
    for (std::size_t i = 0; i < polys; ++i) {
      const std::size_t count = ReadU16(p + 2 + 2 * i);
      QPolygonF poly = points(offset, count);
      offset += 4 * count;
      if (poly.isEmpty()) continue;
      path.addPolygon(poly);
      path.closeSubpath();
    }
    NoteDrawing(path.boundingRect());
    if (Prepare(true, true)) painter_->drawPath(path);
    return true;
  }
  const std::size_t count = static_cast<std::size_t>(std::max<int>(ReadS16(p), 0));
  if (2 + 4 * count > n) return Fault("polygon points run past the record");
  const QPolygonF poly = points(2, count);
  if (poly.isEmpty()) return true;
  NoteDrawing(poly.boundingRect());
  if (function == META_POLYLINE) {
    if (Prepare(true, false)) painter_->drawPolyline(poly);
  } else if (Prepare(true, true)) {
    painter_->drawPolygon(poly, rule);
  }
  return true;
}

bool WmfRecordPlayer::PatBlt(QRectF logical, std::uint32_t rop) {
  WmfDcState& s = dc_.State();
  NoteDrawing(logical);
  if (!painter_) return true;
  const std::uint16_t savedRop = s.rop2;
  switch (rop) {
    case BLACKNESS: s.rop2 = R2_BLACK; break;
    case WHITENESS: s.rop2 = R2_WHITE; break;
    case DSTINVERT: s.rop2 = R2_NOT; break;
    case PATINVERT: s.rop2 = R2_XORPEN; break;
    default: s.rop2 = R2_COPYPEN; break;
  }
  if (Prepare(false, true)) {
    if (s.rop2 == R2_BLACK || s.rop2 == R2_WHITE || s.rop2 == R2_NOT) painter_->setBrush(Qt::black);
    if (s.rop2 == R2_WHITE) painter_->setBrush(Qt::white);
    painter_->drawRect(logical.normalized());
  }
  s.rop2 = savedRop;
  return true;
}

}  // namespace wdrt::report
