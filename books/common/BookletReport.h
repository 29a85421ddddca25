// The printed booklet of a book made from its own pages: six letter sheets (the band names
// every book's print procedure prints), each cut in half into two half-letter pages: the title
// and cover first, then the ten pages of the story in the order of the toolbar, each with its
// picture, its sentences and its number; question pages with their picture answers and labels.
// Builds data once; any thread.
#pragma once

#include "books/common/BookTables.h"
#include "runtime/report/ReportDef.h"

namespace book {

// The band names, in the order they are printed.
extern const char* const kBookletBands[6];

wdrt::report::ReportDef MakeBookletReport(const BookDef& book);

}  // namespace book
