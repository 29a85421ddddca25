// PdfCreator wraps one document of the PDF creation library: every operation clears
// LASTERRORCODE, fails with -1 when there is no document, keeps the library's result in
// LASTERRORCODE and returns 0 for success, else -1. Used by one thread.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace printing {

class PdfCreator {
 public:
  PdfCreator() = default;
  ~PdfCreator();
  PdfCreator(const PdfCreator&) = delete;
  PdfCreator& operator=(const PdfCreator&) = delete;

  int Init();                                        // PDFC_InitEx
  int SetInfo(int index, const std::string& text);   // text cut at 260 characters
  int SetCompression(int text, int ascii, int colour, int mono);
  // Loads the images of a page file (counted, then identified) into IMAGECOUNT and the block.
  int LoadImages(const std::string& fileName);
  int SetPageParameters(int orientation, int width, int height, int lrMargin, int tbMargin);
  int BeginPage();
  // Image numbers from 1 to IMAGECOUNT.
  int PlaceImage(int image, int x, int y, int width, int height);
  int EndPage();
  int Write(const std::string& fileName);

  std::int32_t PDFDOC = 0;
  std::int32_t LASTERRORCODE = 0;
  std::int32_t IMAGECOUNT = 0;
  std::string FILENAME;
  std::vector<std::int32_t> PTRIMAGEARRAY;
  bool PAGEINIT = false;
  std::uint8_t PAGEORIENTATION = 0;
  std::int32_t PAGEWIDTH = 0;
  std::int32_t PAGEHEIGHT = 0;
  std::int32_t PAGELRMARGIN = 0;
  std::int32_t PAGETBMARGIN = 0;

 private:
  bool Begin();  // clears the error; false when there is no document
  int Store(int result);
};

}  // namespace printing
