// The PDF creation library: a C-style layer of document handles and result codes. Each page
// file (a placeable metafile) is drawn as vectors with real, embedded text; the pictures'
// JPEG bytes go into the PDF untouched. Results: 0 success, -1 bad handle or argument, other
// negative values name the failure. Any thread; one document is used by one thread at a time.
#pragma once

#include <cstdint>

// Document information indices of PDFC_SetInfo.
enum PdfInfoIndex : int {
  PdfInfoTitle = 0,
  PdfInfoSubject = 1,
  PdfInfoAuthor = 2,
  PdfInfoKeywords = 3,
  PdfInfoCreator = 4,
  PdfInfoProducer = 5,
};

enum PdfResult : int {
  PdfOk = 0,
  PdfBadArgument = -1,
  PdfNoPage = -2,          // a page operation outside BeginPage/EndPage
  PdfCannotRead = -3,      // a file could not be read or is not a page file
  PdfCannotWrite = -4,     // the output could not be written
  PdfNoPages = -5,         // Write with no page
  PdfPasswordNeeded = -6,
  PdfLibraryFault = -7,    // the underlying PDF library refused the document
};

// A new empty document; 0 when none could be made.
std::int32_t PDFC_InitEx();
// Sets one document information entry (PdfInfoIndex); text is UTF-8, NUL-terminated.
int PDFC_SetInfo(std::int32_t doc, int index, const char* text);
// Stream compression: `text` non-zero compresses page contents (always done), `ascii` non-zero
// would make streams 7-bit (refused silently: binary streams are smaller and every reader takes
// them). Pictures keep their own JPEG compression, so the colour and mono methods select nothing.
int PDFC_SetCompression(std::int32_t doc, int text, int ascii, int colour, int mono);
// Starts a page of width × height thousandths of a point (portrait); orientation 1 turns the
// paper (the page becomes height × width). Margins offset what is placed, thousandths of a point.
int PDFC_BeginPage(std::int32_t doc, int orientation, int width, int height, int lrMargin, int tbMargin);
// Draws image `imageId` (from PDFP_AddImageFromFile) at x, y (from the top-left corner of the
// page inside its margins) with width × height, thousandths of a point.
int PDFC2_PlaceImage(std::int32_t doc, int imageId, int x, int y, int width, int height);
int PDFC_EndPage(std::int32_t doc);
// Writes the document to `fileName`. `flags` must be 0; `password` is accepted and ignored
// (protection is the post-processing library's work).
int PDFC_Write(std::int32_t doc, const char* fileName, int flags, const char* password);
int PDFC_Free(std::int32_t doc);
