// Page files drawn into one PDF in memory: our metafile player on Qt's PDF writer, each JPEG
// picture passed through as its original bytes and stored once however often it is placed,
// then finished with qpdf (exact page boxes, tagged font subsets, document information, object
// streams). The flush prints through it and the PDF libraries build on it. One thread at a
// time per object; any thread.
#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QPainter>
#include <QPdfWriter>
#include <QRectF>

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "runtime/report/JpegPassThrough.h"
#include "runtime/report/JpegTokens.h"
#include "runtime/report/WmfPlayer.h"

class QPDF;

namespace wdrt::report {

class PdfPages {
 public:
  PdfPages();
  ~PdfPages();
  PdfPages(const PdfPages&) = delete;
  PdfPages& operator=(const PdfPages&) = delete;

  // Starts a page of `width` × `height` points. False when the size is unusable or the
  // document is finished.
  bool BeginPage(double width, double height);
  // Draws a page file into `target`, in points from the current page's top-left corner,
  // turned a quarter anticlockwise when `turned` (a landscape page on upright paper).
  WmfStatus Draw(const QByteArray& pageFile, const QRectF& target, bool turned = false);
  int Pages() const { return static_cast<int>(pageSizes_.size()); }
  // The finished file, with document information by key ("/Title", "/Producer" …); empty
  // when there is no page or qpdf failed. The document takes no pages afterwards.
  QByteArray Finish(const std::map<std::string, std::string>& info = {});

  int Pictures() const { return jpegs_.Pictures(); }
  qint64 PictureBytes() const { return jpegs_.PictureBytes(); }

 private:
  QBuffer buffer_;
  QByteArray qtBytes_;
  std::unique_ptr<QPdfWriter> writer_;
  QPainter painter_;
  std::vector<std::pair<double, double>> pageSizes_;  // points
  JpegPassThrough jpegs_;
  JpegTokens tokens_;
  bool finished_ = false;
};

// Finishes a PDF that Qt wrote: exact page boxes (sizes in points, one per page; empty keeps
// Qt's), JPEG markers swapped for their pictures, tagged font subsets, the document information
// by key. Returns the bytes of the finished file; empty on failure.
QByteArray FinishQtPdf(const QByteArray& qtPdf, const std::vector<std::pair<double, double>>& pageSizes,
                       const JpegPassThrough& jpegs, const std::map<std::string, std::string>& info);

}  // namespace wdrt::report
