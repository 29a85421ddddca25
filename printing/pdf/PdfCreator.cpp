#include "printing/pdf/PdfCreator.h"

#include "printing/pdf/PdfFileName.h"
#include "printing/pdflibs/PdfCore.h"
#include "printing/pdflibs/PdfPost.h"

namespace printing {
namespace {
constexpr std::size_t kTextSize = 260;
}

PdfCreator::~PdfCreator() {
  PTRIMAGEARRAY.clear();
  if (PDFDOC != 0) PDFC_Free(PDFDOC);
  PDFDOC = 0;
  LASTERRORCODE = 0;
  FILENAME.clear();
}

bool PdfCreator::Begin() {
  LASTERRORCODE = 0;
  if (PDFDOC != 0) return true;
  LASTERRORCODE = -1;
  return false;
}

int PdfCreator::Store(int result) {
  LASTERRORCODE = result;
  return result == 0 ? 0 : -1;
}

int PdfCreator::Init() {
  LASTERRORCODE = 0;
  if (PDFDOC != 0) return 0;
  PDFDOC = PDFC_InitEx();
  if (PDFDOC == 0) {
    LASTERRORCODE = -1;
    return -1;
  }
  return 0;
}

int PdfCreator::SetInfo(int index, const std::string& text) {
  if (!Begin()) return -1;
  return Store(PDFC_SetInfo(PDFDOC, index, CutUtf8(text, kTextSize).c_str()));
}

int PdfCreator::SetCompression(int text, int ascii, int colour, int mono) {
  if (!Begin()) return -1;
  return Store(PDFC_SetCompression(PDFDOC, text, ascii, colour, mono));
}

int PdfCreator::LoadImages(const std::string& fileName) {
  if (!Begin()) return -1;
  PTRIMAGEARRAY.clear();
  IMAGECOUNT = 0;
  FILENAME = fileName.substr(0, kTextSize);
  std::int32_t count = 0;
  if (Store(PDFP_AddImageFromFile(PDFDOC, FILENAME.c_str(), nullptr, &count)) != 0) return -1;
  if (count <= 0) return Store(PdfCannotRead);
  PTRIMAGEARRAY.assign(static_cast<std::size_t>(count), 0);
  if (Store(PDFP_AddImageFromFile(PDFDOC, FILENAME.c_str(), PTRIMAGEARRAY.data(), &count)) != 0) {
    PTRIMAGEARRAY.clear();
    return -1;
  }
  IMAGECOUNT = count;
  return 0;
}

int PdfCreator::SetPageParameters(int orientation, int width, int height, int lrMargin, int tbMargin) {
  LASTERRORCODE = 0;
  PAGEINIT = false;
  if ((orientation != 0 && orientation != 1) || width <= 0 || height <= 0 || lrMargin < 0 || tbMargin < 0) {
    LASTERRORCODE = -1;
    return -1;
  }
  PAGEORIENTATION = static_cast<std::uint8_t>(orientation);
  PAGEWIDTH = width;
  PAGEHEIGHT = height;
  PAGELRMARGIN = lrMargin;
  PAGETBMARGIN = tbMargin;
  PAGEINIT = true;
  return 0;
}

int PdfCreator::BeginPage() {
  if (!Begin()) return -1;
  if (!PAGEINIT) return Store(PdfBadArgument);
  return Store(PDFC_BeginPage(PDFDOC, PAGEORIENTATION, PAGEWIDTH, PAGEHEIGHT, PAGELRMARGIN, PAGETBMARGIN));
}

int PdfCreator::PlaceImage(int image, int x, int y, int width, int height) {
  if (!Begin()) return -1;
  if (image < 1 || image > IMAGECOUNT || static_cast<std::size_t>(image) > PTRIMAGEARRAY.size() || x < 0 || y < 0)
    return Store(PdfBadArgument);
  return Store(PDFC2_PlaceImage(PDFDOC, PTRIMAGEARRAY[static_cast<std::size_t>(image) - 1], x, y, width, height));
}

int PdfCreator::EndPage() {
  if (!Begin()) return -1;
  return Store(PDFC_EndPage(PDFDOC));
}

int PdfCreator::Write(const std::string& fileName) {
  if (!Begin()) return -1;
  return Store(PDFC_Write(PDFDOC, fileName.substr(0, kTextSize).c_str(), 0, ""));
}

}  // namespace printing
