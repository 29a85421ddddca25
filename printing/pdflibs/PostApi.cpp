#include "printing/pdflibs/PdfPost.h"

#include <cstring>

#include "printing/pdflibs/HandleTable.h"
#include "printing/pdflibs/PostDocument.h"

namespace {

using pdflibs::PostDocument;

pdflibs::HandleTable<PostDocument>& Documents() {
  static pdflibs::HandleTable<PostDocument> table;
  return table;
}

// Nothing is thrown across the library's edge: a bad handle is PdfBadArgument, anything that
// escapes qpdf is PdfLibraryFault.
template <typename F>
int With(std::int32_t doc, F&& body) {
  try {
    PostDocument* document = Documents().Find(doc);
    if (!document) return PdfBadArgument;
    return body(*document);
  } catch (...) {
    return PdfLibraryFault;
  }
}

std::string Text(const char* text, int length) {
  if (!text || length <= 0) return {};
  return std::string(text, strnlen(text, static_cast<std::size_t>(length)));
}

}  // namespace

std::int32_t PDFP_InitEx() {
  try {
    return Documents().Add(std::make_unique<PostDocument>());
  } catch (...) {
    return 0;
  }
}

int PDFP_SetFileName(std::int32_t doc, const char* fileName) {
  return With(doc, [&](PostDocument& d) {
    if (!fileName) return static_cast<int>(PdfBadArgument);
    d.SetFileName(fileName);
    return static_cast<int>(PdfOk);
  });
}

int PDFP_ReadDocument(std::int32_t doc) {
  return With(doc, [](PostDocument& d) { return d.Read(); });
}

int PDFP_CheckPassword(std::int32_t doc, const char* password, int length) {
  return With(doc, [&](PostDocument& d) { return d.CheckPassword(Text(password, length)); });
}

int PDFP_FinishRead(std::int32_t doc) {
  return With(doc, [](PostDocument& d) { return d.FinishRead(); });
}

int PDFP_AddWatermark(std::int32_t doc, const PdfWatermarkDescription* description, const char* text,
                      const char* imageFileName) {
  return With(doc, [&](PostDocument& d) {
    if (!description) return static_cast<int>(PdfBadArgument);
    return d.AddWatermark(*description, text ? text : "", imageFileName ? imageFileName : "");
  });
}

int PDFP_SetOutlines(std::int32_t doc, const PdfOutlineNode* first) {
  return With(doc, [&](PostDocument& d) { return d.SetOutlines(first); });
}

int PDFP_SetNewPassword(std::int32_t doc, const char* userPassword, int userLength, const char* ownerPassword,
                        int ownerLength, std::int32_t permissions, int keyLength) {
  return With(doc, [&](PostDocument& d) {
    return d.SetNewPassword(Text(userPassword, userLength), Text(ownerPassword, ownerLength), permissions, keyLength);
  });
}

int PDFP_WriteDocument(std::int32_t doc, const char* fileName) {
  return With(doc, [&](PostDocument& d) { return d.Write(fileName ? fileName : ""); });
}

int PDFP_Close(std::int32_t doc) {
  try {
    return Documents().Remove(doc) ? PdfOk : PdfBadArgument;
  } catch (...) {
    return PdfLibraryFault;
  }
}
