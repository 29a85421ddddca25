#include "runtime/report/WmfPlayer.h"

#include <QFile>
#include <QPainter>

#include "runtime/report/WmfFormat.h"
#include "runtime/report/WmfHeader.h"
#include "runtime/report/WmfRecordPlayer.h"

namespace wdrt::report {
namespace {

// Largest metafile read from disk.
constexpr qint64 kMaxWmfFileBytes = 64 * 1024 * 1024;

// The frame in device units that maps onto the target: the placeable box, or for other files
// the first window (or what they draw), found by a pass that draws nothing.
struct Frame {
  QRectF rect;
  double unitsPerInch = 96;
  bool boxEmpty = false;
};

Frame FindFrame(const QByteArray& bytes, const WmfParsedHeader& header) {
  Frame frame;
  frame.unitsPerInch = header.unitsPerInch;
  if (header.placeable && header.bbox.width() > 0 && header.bbox.height() > 0) {
    frame.rect = header.bbox;
    return frame;
  }
  frame.boxEmpty = header.placeable;
  WmfRecordPlayer measure(nullptr, bytes, header, QRectF(), QRectF(), {});
  measure.Run();
  frame.rect = measure.WindowFrame().isValid() ? measure.WindowFrame() : measure.Extent();
  return frame;
}

WmfPlayResult Merge(const WmfParsedHeader& header, WmfPlayResult played) {
  if (header.status != WmfStatus::Ok) {
    played.status = header.status;
    played.problem = header.problem;
  }
  return played;
}

}  // namespace

WmfPlayResult PlayWmf(QPainter& painter, const QByteArray& bytes, const QRectF& target,
                      const WmfPlayOptions& options) {
  const WmfParsedHeader header = ParseWmfHeader(bytes);
  if (header.status == WmfStatus::NotMetafile) return {header.status, header.problem, 0};
  const Frame frame = FindFrame(bytes, header);
  WmfPlayResult result;
  if (frame.rect.width() > 0 && frame.rect.height() > 0 && target.width() > 0 &&
      target.height() > 0) {
    painter.save();
    WmfRecordPlayer player(&painter, bytes, header, frame.rect, target, options);
    result = player.Run();
    painter.restore();
  } else {
    result.status = WmfStatus::Damaged;
    result.problem = "nothing to draw: empty frame";
  }
  result = Merge(header, std::move(result));
  if (frame.boxEmpty && result.status == WmfStatus::Ok) {
    result.status = WmfStatus::Damaged;
    result.problem = "placeable bounding box is empty";
  }
  return result;
}

WmfPlayResult PlayWmfFile(QPainter& painter, const QString& path, const QRectF& target,
                          const WmfPlayOptions& options) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {WmfStatus::NotMetafile, "cannot open the file", 0};
  if (file.size() > kMaxWmfFileBytes) return {WmfStatus::Damaged, "file too large", 0};
  return PlayWmf(painter, file.readAll(), target, options);
}

std::optional<WmfHeaderInfo> ReadWmfHeader(const QByteArray& bytes) {
  const WmfParsedHeader header = ParseWmfHeader(bytes);
  if (header.status == WmfStatus::NotMetafile) return std::nullopt;
  const Frame frame = FindFrame(bytes, header);
  WmfHeaderInfo info;
  info.placeable = header.placeable;
  info.bbox = header.placeable ? header.bbox : frame.rect;
  info.unitsPerInch = frame.unitsPerInch;
  info.sizeInches = QSizeF(std::abs(frame.rect.width()) / frame.unitsPerInch,
                           std::abs(frame.rect.height()) / frame.unitsPerInch);
  return info;
}

std::vector<WmfTextItem> ExtractWmfTexts(const QByteArray& bytes) {
  std::vector<WmfTextItem> items;
  const WmfParsedHeader header = ParseWmfHeader(bytes);
  if (header.status == WmfStatus::NotMetafile) return items;
  const Frame frame = FindFrame(bytes, header);
  if (!(frame.rect.width() > 0 && frame.rect.height() > 0)) return items;
  // Lay the frame out in points, so text metrics come from a 72 dpi device, then give inches.
  const QRectF target(0, 0, frame.rect.width() / frame.unitsPerInch * 72,
                      frame.rect.height() / frame.unitsPerInch * 72);
  WmfRecordPlayer player(nullptr, bytes, header, frame.rect, target, {});
  player.SetTextSink([&](const QString& text, const QPointF& baseline, const QRectF& box) {
    const QRectF inches(box.x() / 72, box.y() / 72, box.width() / 72, box.height() / 72);
    items.push_back({text, baseline / 72, inches});
  });
  player.Run();
  return items;
}

}  // namespace wdrt::report
