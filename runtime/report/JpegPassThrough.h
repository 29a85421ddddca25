// Puts pictures' original JPEG bytes into a PDF drawn by Qt. Qt's PDF writer would decode and
// re-encode every picture (half again the bytes, and a generation of loss), so each JPEG is
// drawn as a tiny grey marker image that Qt stores losslessly; Finish then swaps every marker
// for a DCT stream holding the original bytes. One table per document; one thread at a time.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QRectF>

#include <optional>
#include <string>
#include <vector>

class QPainter;
class QPDF;

namespace wdrt::report {

struct JpegInfo {
  int width = 0;
  int height = 0;
  int components = 0;  // 1 grey, 3 colour
};

// Width, height and components of a baseline or progressive JPEG with 1 or 3 components;
// nullopt for anything else (CMYK, damaged, not a JPEG).
std::optional<JpegInfo> ProbeJpeg(const QByteArray& bytes);

class JpegPassThrough {
 public:
  JpegPassThrough();

  // Draws the marker of `jpeg` into `target`. False (nothing drawn) when the bytes are not a
  // JPEG a PDF can carry as it is; the caller then draws the decoded picture.
  bool Draw(QPainter& painter, const QByteArray& jpeg, const QRectF& target);

  // Replaces every marker image of `pdf` by its JPEG. Returns the number of streams replaced.
  int Replace(QPDF& pdf) const;

  int Pictures() const { return static_cast<int>(jpegs_.size()); }
  qint64 PictureBytes() const;

 private:
  std::optional<int> IndexOfMarker(const std::string& samples) const;

  QByteArray nonce_;                 // tells our markers from any other grey image
  QHash<QByteArray, int> indexOf_;   // one marker per distinct picture: pictures used twice are stored once
  std::vector<QByteArray> jpegs_;
  std::vector<JpegInfo> infos_;
  std::vector<QImage> markers_;      // kept so that Qt recognises a picture drawn again
};

}  // namespace wdrt::report
