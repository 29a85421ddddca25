// PdfEditor wraps one document of the PDF post-processing library, with PdfCreator's rules:
// LASTERRORCODE cleared first, -1 without a document, the library's result kept in
// LASTERRORCODE, 0 for success. Read returns the library's 1 (read) or 2 (needs a password).
// Used by one thread.
#pragma once

#include <cstdint>
#include <string>

#include "printing/pdflibs/PdfPost.h"

namespace printing {

class PdfEditor {
 public:
  PdfEditor() = default;
  ~PdfEditor();
  PdfEditor(const PdfEditor&) = delete;
  PdfEditor& operator=(const PdfEditor&) = delete;

  int Init();
  int SetFileName(const std::string& fileName);
  // 1 read, 2 needs a password; -1 failure. With `askPassword` false a protected document
  // is not opened.
  int Read(bool askPassword = false, const std::string& password = "");
  int AddWatermark(const PdfWatermarkDescription& description, const std::string& text,
                   const std::string& imageFileName);
  int SetOutlines(const PdfOutlineNode* first);
  int SetNewPassword(const std::string& user, const std::string& owner, std::int32_t permissions, int keyLength);
  int Write(const std::string& fileName);

  std::int32_t PDFDOC = 0;
  std::int32_t LASTERRORCODE = 0;
  std::int32_t IMAGECOUNT = 0;
  std::string FILENAME;

 private:
  bool Begin();
  int Store(int result);
};

}  // namespace printing
