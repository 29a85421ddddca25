// One document of the post-processing library, on qpdf: read, watermark, outline, protect,
// write. Internal to the libraries; one thread at a time.
#pragma once

#include <QByteArray>

#include <qpdf/QPDF.hh>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "printing/pdflibs/PdfPost.h"

namespace pdflibs {

class PostDocument {
 public:
  void SetFileName(std::string name) { fileName_ = std::move(name); }
  int Read();                                   // 1, 2 or a PdfResult
  int CheckPassword(const std::string& password);
  int FinishRead() const { return pdf_ ? 1 : PdfCannotRead; }
  int AddWatermark(const PdfWatermarkDescription& description, const std::string& text,
                   const std::string& imageFileName);
  int SetOutlines(const PdfOutlineNode* first);
  int SetNewPassword(std::string user, std::string owner, std::int32_t permissions, int keyLength);
  int Write(const std::string& fileName);

 private:
  struct Protection {
    std::string user;
    std::string owner;
    std::int32_t permissions = 0;
    bool aes256 = true;
  };
  int Load(const char* password);

  std::string fileName_;
  std::unique_ptr<QPDF> pdf_;
  std::optional<Protection> protection_;
  int watermarks_ = 0;
  // Watermark documents and the bytes qpdf reads them from, kept until the write copies them.
  struct Mark {
    QByteArray bytes;
    std::shared_ptr<QPDF> pdf;
  };
  std::vector<Mark> marks_;
};

}  // namespace pdflibs
