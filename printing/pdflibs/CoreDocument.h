// One document of the creation library: pages drawn through Qt's PDF writer into memory, then
// finished with qpdf (original JPEG bytes, exact page boxes, document information, object
// streams) and written out. Internal to the libraries; one thread at a time.
#pragma once

#include <QByteArray>

#include <map>
#include <string>

#include "runtime/report/PdfPages.h"

namespace pdflibs {

class CoreDocument {
 public:
  CoreDocument();
  ~CoreDocument();

  void SetInfo(int index, std::string text) { info_[index] = std::move(text); }
  // Reads a page file and keeps it for the AddImageFile that follows; returns its number of
  // images (1), or a PdfResult below 0.
  int CountImages(const std::string& fileName);
  // Reads a page file; returns its image identifier, or a PdfResult below 0.
  int AddImageFile(const std::string& fileName);
  bool HasImage(int id) const { return images_.count(id) != 0; }
  int BeginPage(int orientation, int width, int height, int lrMargin, int tbMargin);
  int PlaceImage(int id, int x, int y, int width, int height);
  int EndPage();
  int Write(const std::string& fileName);

  int Pages() const { return pages_.Pages(); }

 private:
  wdrt::report::PdfPages pages_;
  std::map<int, QByteArray> images_;
  std::string countedName_;
  QByteArray counted_;
  int nextImage_ = 1;
  bool inPage_ = false;
  int lrMargin_ = 0;
  int tbMargin_ = 0;
  std::map<int, std::string> info_;
  QByteArray finished_;  // the finished PDF once written
};

// Writes `bytes` to `fileName` through a private temporary beside it and a rename, so that a
// failed write never leaves half a file under the name. False on failure.
bool WriteWholeFile(const std::string& fileName, const QByteArray& bytes);

}  // namespace pdflibs
