// The creation library's document table, shared with the post-processing library's
// PDFP_AddImageFromFile (which works on a creation document). Internal; any thread.
#pragma once

#include "printing/pdflibs/CoreDocument.h"
#include "printing/pdflibs/HandleTable.h"
#include "printing/pdflibs/PdfCore.h"

namespace pdflibs {

HandleTable<CoreDocument>& CoreDocuments();

// Runs `body` on the document of `doc`, turning a bad handle into PdfBadArgument and any
// escaping exception into PdfLibraryFault: nothing is thrown across the library's edge.
template <typename F>
int WithCoreDocument(std::int32_t doc, F&& body) {
  try {
    CoreDocument* document = CoreDocuments().Find(doc);
    if (!document) return PdfBadArgument;
    return body(*document);
  } catch (...) {
    return PdfLibraryFault;
  }
}

}  // namespace pdflibs
