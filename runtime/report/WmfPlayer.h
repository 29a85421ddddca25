// Draws a Windows metafile (with or without the placeable header) onto a QPainter: the print
// previewer's page picture, the printer and the PDF writer all use this one player so that a
// page looks the same everywhere. Also reads the header and the texts of a metafile for
// search and text export. Bad input never throws: it ends drawing of the record or the file
// and is reported as Damaged with a problem text. Any thread (with a painter of that thread).
#pragma once

#include <QByteArray>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QPainter;

namespace wdrt::report {

enum class WmfStatus { Ok, Damaged, NotMetafile };

struct WmfPlayOptions {
  // Called for every text drawn, with its box in the painter's coordinates.
  std::function<void(const QString& text, const QRectF& boxOnPainter)> onText;
  // Offered every BI_JPEG picture with its exact JPEG bytes and target rectangle (painter
  // coordinates, painter transform as given to PlayWmf); returning true means it was drawn
  // (the PDF writer embeds the original JPEG), false lets the player draw the decoded pixels.
  std::function<bool(const QByteArray& jpegBytes, const QRectF& target, QPainter&)> drawJpeg;
};

struct WmfPlayResult {
  WmfStatus status = WmfStatus::Ok;
  std::string problem;  // first fault found; empty when Ok
  int records = 0;      // records read, EOF included
};

struct WmfHeaderInfo {
  bool placeable = false;
  QRectF bbox;             // placeable: the header's box; otherwise the frame, device units
  double unitsPerInch = 0; // placeable: the header's value (0 read as 1440); otherwise 96
  QSizeF sizeInches;       // size of the frame
};

struct WmfTextItem {
  QString text;
  QPointF position;  // left end of the baseline, inches from the frame's top-left
  QRectF box;        // the text's box, inches from the frame's top-left
};

// Maps the frame (placeable: bounding box; otherwise the first window, or the extent of what
// is drawn) onto `target` in the painter's current coordinates. Restores the painter's state.
WmfPlayResult PlayWmf(QPainter& painter, const QByteArray& bytes, const QRectF& target,
                      const WmfPlayOptions& options = {});
WmfPlayResult PlayWmfFile(QPainter& painter, const QString& path, const QRectF& target,
                          const WmfPlayOptions& options = {});

std::optional<WmfHeaderInfo> ReadWmfHeader(const QByteArray& bytes);

// The texts in drawing order with their positions; empty for a file that is not a metafile.
std::vector<WmfTextItem> ExtractWmfTexts(const QByteArray& bytes);

}  // namespace wdrt::report
