// The program-wide state of a book program: its error manager, settings manager, request and
// response variables, the PDF choice of the print-selection window, and the book's tables.
// Created before the first window and alive until the program ends; any procedure thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "books/common/BookTables.h"
#include "framework/ErrorManager.h"
#include "framework/IniManager.h"

namespace book {

struct BookGlobals {
  ErrorManager errors;
  IniManager settings;
  // Written by every procedure's Init and Run; nothing decides on them, so they only need to
  // be free of torn reads.
  std::atomic<std::uint8_t> GlobalRequest{0};
  std::atomic<std::uint8_t> GlobalResponse{0};
  std::int32_t VCRRequest = 0;  // read by the toolbar relays; written by nobody in the books
  std::atomic<std::uint8_t> EMAILREQ{0};  // GLO:EMAILREQ, the "Create pdf file" choice
  std::string pdfFileName;                // at most 40 characters
  const BookDef* book = nullptr;
  // How this run shows the book, settled before the frame opens: full screen for a child
  // (`--kiosk`, or [Kiosk] Enabled=1 in the settings).
  bool kioskArgument = false;
  bool kiosk = false;
};

BookGlobals& Globals();

}  // namespace book
