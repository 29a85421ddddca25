// The PDF post-processing library: reads a finished PDF, adds watermarks and outlines, sets
// passwords and writes it again, on qpdf. A C-style layer of handles and result codes (0
// success, -1 bad handle or argument, other negative values as PdfResult in PdfCore.h).
// Any thread; one document is used by one thread at a time.
#pragma once

#include <cstdint>

#include "printing/pdflibs/PdfCore.h"

// Loads the images of a page file into a creation document (`doc` is a PDFC_InitEx handle).
// With `ids` null, stores the number of images in *count; otherwise fills ids[0 .. *count)
// with image identifiers for PDFC2_PlaceImage. A placeable metafile is one image.
int PDFP_AddImageFromFile(std::int32_t doc, const char* fileName, std::int32_t* ids, std::int32_t* count);

// Watermark description (fifteen 32-bit fields). TYPE 0 text, 1 image. FONTID 0 regular,
// 1 bold, 2 italic, 3 bold italic (Liberation Sans); FONTSIZE points; TEXTMODE 0 fill,
// 1 outline, 2 fill and outline; LINEWIDTH thousandths of a point; COLOR 0x00BBGGRR;
// IMAGEFILENAME a picture file (JPEG kept as it is) or a PDF whose page IMAGEPAGENUMBER (from 0)
// is used; WIDTH/HEIGHT points (0: the image's own size at 72 dpi); KEEPASPECT fits the image
// inside WIDTH × HEIGHT; ANGLE degrees anticlockwise; PLACETYPE 0 centre, 1 top, 2 bottom;
// PLACEORDER 0 over the page, 1 under it.
struct PdfWatermarkDescription {
  std::int32_t SIZE = 60;
  std::int32_t TYPE = 0;
  std::int32_t FONTID = 0;
  std::int32_t FONTSIZE = 0;
  std::int32_t TEXTMODE = 0;
  std::int32_t LINEWIDTH = 0;
  std::int32_t COLOR = 0;
  std::int32_t IMAGEFILENAME = 0;  // placeholder slot: the name is passed separately below
  std::int32_t IMAGEPAGENUMBER = 0;
  std::int32_t WIDTH = 0;
  std::int32_t HEIGHT = 0;
  std::int32_t KEEPASPECT = 0;
  std::int32_t ANGLE = 0;
  std::int32_t PLACETYPE = 0;
  std::int32_t PLACEORDER = 0;
};
static_assert(sizeof(PdfWatermarkDescription) == 60);

// Destination of an outline entry. DESTEXPL 0 fits the page, 1 left/top/zoom (zoom in
// percent, 0 keeps the viewer's), 2 fits the width at top, 3 fits the height at left, 4 fits
// the box LEFT, BOTTOM, RIGHT, TOP. Coordinates in points from the bottom-left corner.
struct PdfDestination {
  std::int32_t DESTEXPL = 0;
  std::int32_t LEFT = 0;
  std::int32_t RIGHT = 0;
  std::int32_t TOP = 0;
  std::int32_t BOTTOM = 0;
  std::int32_t ZOOM = 0;
};

// One outline entry; the tree is linked through the pointers (null for none). GOTOPAGE from 0;
// COUNT above 0 shows the entry's children open, otherwise closed.
struct PdfOutlineNode {
  char TITLE[256] = {};
  std::int32_t GOTOPAGE = 0;
  std::int32_t COUNT = 0;
  PdfDestination DESTPROP;
  PdfOutlineNode* PARENT = nullptr;
  PdfOutlineNode* NEXT = nullptr;
  PdfOutlineNode* PREV = nullptr;
  PdfOutlineNode* FIRSTCHILD = nullptr;
  PdfOutlineNode* LASTCHILD = nullptr;
};

std::int32_t PDFP_InitEx();
int PDFP_SetFileName(std::int32_t doc, const char* fileName);
// 1 read, 2 the document needs a password, negative: failure.
int PDFP_ReadDocument(std::int32_t doc);
// 0 when the password opens the protected document read last.
int PDFP_CheckPassword(std::int32_t doc, const char* password, int length);
// 1 read.
int PDFP_FinishRead(std::int32_t doc);
// `imageFileName` is used by image watermarks, `text` by text watermarks.
int PDFP_AddWatermark(std::int32_t doc, const PdfWatermarkDescription* description, const char* text,
                      const char* imageFileName);
int PDFP_SetOutlines(std::int32_t doc, const PdfOutlineNode* first);
// Encryption is AES: key length 0 or 256 gives AES-256, 128 (and 40, whose RC4 keys are broken)
// AES-128. `permissions` holds the PDF permission bits that are allowed (4 print, 8 modify,
// 16 copy, 32 annotate, 256 fill forms, 512 accessibility, 1024 assemble, 2048 print high).
int PDFP_SetNewPassword(std::int32_t doc, const char* userPassword, int userLength, const char* ownerPassword,
                        int ownerLength, std::int32_t permissions, int keyLength);
int PDFP_WriteDocument(std::int32_t doc, const char* fileName);
int PDFP_Close(std::int32_t doc);
