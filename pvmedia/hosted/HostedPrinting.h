// Printing from the hosted components: the runtime's printer dialog, then a Qt printer set up
// for the printer chosen there (or the current one), with its copies. GUI thread only.
#pragma once

#include <string>

class QPrinter;

namespace pvhosted {

struct PrintRange {
  int from = 0;  // 0: every page
  int to = 0;
};

// With `withDialog` the printer dialog titled `title` comes first; a cancelled dialog, or a
// machine without a printer, gives false. `pageCount` > 0 offers a page range.
bool PreparePrinter(QPrinter& printer, bool withDialog, const std::string& title, int pageCount, PrintRange& range);

}  // namespace pvhosted
