#include "printing/pdflibs/CoreApi.h"

#include "printing/pdflibs/PdfCore.h"
#include "printing/pdflibs/PdfPost.h"

namespace pdflibs {

HandleTable<CoreDocument>& CoreDocuments() {
  static HandleTable<CoreDocument> table;
  return table;
}

}  // namespace pdflibs

using pdflibs::CoreDocument;
using pdflibs::WithCoreDocument;

std::int32_t PDFC_InitEx() {
  try {
    return pdflibs::CoreDocuments().Add(std::make_unique<CoreDocument>());
  } catch (...) {
    return 0;
  }
}

int PDFC_SetInfo(std::int32_t doc, int index, const char* text) {
  return WithCoreDocument(doc, [&](CoreDocument& d) {
    if (index < PdfInfoTitle || index > PdfInfoProducer || !text) return static_cast<int>(PdfBadArgument);
    d.SetInfo(index, text);
    return static_cast<int>(PdfOk);
  });
}

int PDFC_SetCompression(std::int32_t doc, int, int, int, int) {
  // Page contents are always compressed and pictures keep their JPEG bytes; nothing to choose.
  return WithCoreDocument(doc, [](CoreDocument&) { return static_cast<int>(PdfOk); });
}

int PDFC_BeginPage(std::int32_t doc, int orientation, int width, int height, int lrMargin, int tbMargin) {
  return WithCoreDocument(doc, [&](CoreDocument& d) { return d.BeginPage(orientation, width, height, lrMargin, tbMargin); });
}

int PDFC2_PlaceImage(std::int32_t doc, int imageId, int x, int y, int width, int height) {
  return WithCoreDocument(doc, [&](CoreDocument& d) { return d.PlaceImage(imageId, x, y, width, height); });
}

int PDFC_EndPage(std::int32_t doc) {
  return WithCoreDocument(doc, [](CoreDocument& d) { return d.EndPage(); });
}

int PDFC_Write(std::int32_t doc, const char* fileName, int flags, const char*) {
  return WithCoreDocument(doc, [&](CoreDocument& d) {
    if (!fileName || flags != 0) return static_cast<int>(PdfBadArgument);
    return d.Write(fileName);
  });
}

int PDFC_Free(std::int32_t doc) {
  try {
    return pdflibs::CoreDocuments().Remove(doc) ? PdfOk : PdfBadArgument;
  } catch (...) {
    return PdfLibraryFault;
  }
}

int PDFP_AddImageFromFile(std::int32_t doc, const char* fileName, std::int32_t* ids, std::int32_t* count) {
  return WithCoreDocument(doc, [&](CoreDocument& d) {
    if (!fileName || !count) return static_cast<int>(PdfBadArgument);
    if (!ids) {
      // Counting reads the file (and keeps it for the call that follows), so that an
      // unreadable page file fails here already.
      const int images = d.CountImages(fileName);
      if (images < 0) return images;
      *count = images;
      return static_cast<int>(PdfOk);
    }
    if (*count < 1) return static_cast<int>(PdfBadArgument);
    const int id = d.AddImageFile(fileName);
    if (id < 0) return id;
    ids[0] = id;
    *count = 1;
    return static_cast<int>(PdfOk);
  });
}
