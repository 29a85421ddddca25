// A book program from start to end: error manager, settings file, full-window dragging off for
// the run, the frame, then the media library released and everything closed in order.
// Called once from the book's main().
#pragma once

#include "books/common/BookTables.h"

namespace book {

int RunBook(int argc, char** argv, const BookDef& book);

// The main procedure itself (on procedure thread 1).
void BookMain();

}  // namespace book
