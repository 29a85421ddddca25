// The page procedure: one page of a book as a child window of the frame on a thread of its
// own — picture, sentences, sound controls, narration on opening, "Next" to the next page.
#pragma once

#include <string>

#include "books/common/BookTables.h"
#include "runtime/core/WindowDef.h"

namespace book {

// Runs the page `module` of the current book on the calling thread until its window closes.
void PageProcedure(int module);

// START of a page on a new thread (stack 25000 bytes), as the toolbar and "Next" do.
void StartPage(int module);

// The window definition of a page (title "Learning Words", controls in table order).
wdrt::WindowDef PageWindow(const BookDef& book, const PageDef& page);

// The page as it opens for the child `name`: "{child}" in its texts becomes the name.
PageDef PageForChild(const PageDef& page, const std::string& name);

// True for the roles whose control plays a sound when accepted.
bool PlaysSound(Role role);

}  // namespace book
