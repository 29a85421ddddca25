// The printed booklet of a book made from its own pages: six letter sheets (the band names
// every book's print procedure prints), each cut in half into two half-letter pages: the title
// and the cover (with the name of the child it is made for, field "child") first, then the ten
// pages of the story in the order of the toolbar, each with its picture, its sentences and its
// number; question pages with their answers left to right as the screen shows them, each named
// under it. Everything stays a quarter inch from the paper's edge. Builds data; any thread.
#pragma once

#include <vector>

#include "books/common/BookTables.h"
#include "runtime/report/ReportDef.h"

namespace book {

// The band names, in the order they are printed.
extern const char* const kBookletBands[6];

wdrt::report::ReportDef MakeBookletReport(const BookDef& book);

// The line on the first sheet's cutting strip that tells how to make the book of the sheets,
// for every book's first band.
std::vector<wdrt::report::ReportItem> HowToMakeTheBook();

}  // namespace book
