// PvPDF: shows PDF documents in a window's OLE control ("pdf") and pages, zooms and prints them.
// Used on the thread of the window that hosts the control.
#pragma once

#include "pvmedia/PvOCX.h"

class PvPDF : public PvOCX {
 public:
  virtual std::uint8_t Load(std::string_view path, std::int32_t control, std::uint8_t useOwn,
                            std::string_view generation);                                // 31
  virtual std::uint8_t Load(std::string_view path, std::int32_t control, std::uint8_t useOwn);  // 32
  virtual std::uint8_t PrintMe1();                                                        // 33
  virtual std::uint8_t PrintMe();                                                         // 34
  virtual void GetInfo(std::string_view what);                                           // 35
  virtual void GetInfo();                                                                 // 36
  // 1 first, 2 previous, 3 next, 4 last page, 5 the given page.
  virtual void Navigate(std::uint8_t action, std::int32_t page);                         // 37
  virtual void Update();                                                                  // 38
  virtual std::uint8_t Reload();                                                          // 39
  virtual std::uint8_t LoadPDF(std::string_view path);                                   // 40
  virtual std::uint8_t PrintPages(std::int32_t first, std::int32_t last, std::uint8_t fit);  // 41
  virtual void Init(std::int32_t control);                                                // 42
  using PvMaster::Init;

  std::uint8_t PDFSCROLLBARS = 0;
  std::uint8_t PDFTOOLBAR = 0;
  std::int32_t PDFZOOM = 0;
  // What GetInfo reads back (our own): the page shown and the number of pages.
  std::int32_t currentPage = 0;
  std::int32_t pageCount = 0;
};
