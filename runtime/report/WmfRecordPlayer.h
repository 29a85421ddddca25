// Walks the records of a metafile and carries them out on a painter through a device
// context. Without a painter it draws nothing and only follows the mapping (to find the
// frame of a file without a placeable header) and reports texts. Internal to the player.
#pragma once

#include <QByteArray>
#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <QRectF>
#include <QTransform>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "runtime/report/WmfBitmaps.h"
#include "runtime/report/WmfDeviceContext.h"
#include "runtime/report/WmfHeader.h"
#include "runtime/report/WmfPlayer.h"

class QPainter;

namespace wdrt::report {

class WmfRecordPlayer {
 public:
  using TextSink = std::function<void(const QString& text, const QPointF& baseline, const QRectF& box)>;

  // `frame` (device units) maps onto `target` (painter coordinates); both may be empty when
  // there is no painter and only the frame is being looked for.
  WmfRecordPlayer(QPainter* painter, const QByteArray& bytes, const WmfParsedHeader& header,
                  const QRectF& frame, const QRectF& target, WmfPlayOptions options);

  void SetTextSink(TextSink sink) { textSink_ = std::move(sink); }
  WmfPlayResult Run();

  // After Run: the first window the file set, mapped to device units at its first drawing
  // (invalid when it set none), and the device-unit extent of everything drawn.
  QRectF WindowFrame() const { return windowFrame_; }
  QRectF Extent() const { return extent_; }

 private:
  using Params = const unsigned char*;

  bool Dispatch(std::uint16_t function, Params p, std::size_t n);
  bool Fault(const char* why);

  // Mapping and state records.
  bool SetWindowOrViewport(std::uint16_t function, Params p, std::size_t n);
  bool CreateObject(std::uint16_t function, Params p, std::size_t n);
  // Drawing records.
  bool DrawShape(std::uint16_t function, Params p, std::size_t n);
  bool DrawPoly(std::uint16_t function, Params p, std::size_t n);
  bool DrawText(const QByteArray& bytes, QPointF reference, std::uint16_t options,
                const QRectF* rect, const std::vector<QPointF>& spacing);
  bool TextOut(Params p, std::size_t n);
  bool ExtTextOut(Params p, std::size_t n);
  bool DrawBitmap(std::uint16_t function, Params p, std::size_t n);
  bool PatBlt(QRectF logical, std::uint32_t rop);
  // DecodeDib within what is left of the file's bitmap allowance, which it then takes from.
  std::optional<WmfDib> DecodeBitmap(const unsigned char* data, std::size_t size,
                                     std::uint16_t colorUsage, std::string* problem,
                                     QSize fitInto = QSize());

  // Painting helpers. Prepare returns false when nothing is to be painted (no painter, R2_NOP).
  void NoteDrawing(const QRectF& logicalBounds);
  bool Prepare(bool outline, bool fill);
  void ApplyClip();
  bool CanMixWithDestination() const;  // raster operations are carried out
  QTransform LogicalToPainter() const;
  QTransform LogicalToClip() const;  // logical units → the painter's device pixels
  void SetPainterTransform(const QTransform& logicalToPainter);

  QPainter* painter_;
  const QByteArray& bytes_;
  WmfParsedHeader header_;
  WmfPlayOptions options_;
  TextSink textSink_;
  WmfDeviceContext dc_;
  QTransform deviceToPainter_;
  QTransform base_;        // the painter's own transform when playing began
  QRectF target_;
  QImage metricsDevice_;   // 72 dpi stand-in for text metrics without a painter
  bool clipDirty_ = true;
  bool hasCallerClip_ = false;
  QPainterPath callerClip_;
  bool windowExtSet_ = false;
  QRectF windowFrame_;
  QRectF extent_;
  WmfPlayResult result_;
  std::int64_t bitmapPixelsLeft_ = kMaxWmfBitmapPixels;
};

}  // namespace wdrt::report
