// PrintSelectionPdf: the window that explains printing and PDF files, lets the user choose a PDF
// ("Create pdf file"), links to the PDF reader's download page, and starts the book's print
// procedure. Runs on the thread that calls it.
#pragma once

#include "books/common/BookTables.h"
#include "runtime/core/WindowDef.h"

namespace book {

void PrintSelectionPdf();
wdrt::WindowDef PrintSelectionWindow(const BookDef& book);

// The book print procedure, started by "Print Book".
void PrintBook1a();

}  // namespace book
