// Amain: the book's frame — menu bar, two-row toolbar of page buttons, print and exit — which
// starts the pages on threads of their own. Runs on the main procedure's thread.
#pragma once

#include "books/common/BookTables.h"
#include "runtime/core/WindowDef.h"

namespace book {

// Runs the frame until the user closes it.
void Amain();

// The frame's window definition ("P1$APPFRAME"). In kiosk mode it fills the screen without
// menu bar, and its print button is hidden.
wdrt::WindowDef FrameWindow(const BookDef& book, bool kiosk = false);

}  // namespace book
