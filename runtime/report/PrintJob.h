// The flush: sends listed page files, in order, to the current printer as one job through
// Qt's printing on CUPS, each page drawn by the metafile player at the printer's resolution.
// Any procedure thread (it waits while the job is made and handed over).
#pragma once

#include <string>

#include "runtime/report/PreviewQueue.h"

namespace wdrt::report {

class Report;

struct PrintJobSettings {
  int copies = 1;
  bool collate = false;
  std::string jobText = "Report";
  int pageFrom = 0;   // 0: from the first page
  int pageTo = 0;     // 0: to the last page
  int paper = 0;      // paper code; 0: the printer's
  bool landscape = false;
};

// The settings a report carries for printing.
PrintJobSettings JobSettingsOf(const Report& report);

enum PrintResult {
  PrintDone = 0,
  PrintNoPrinter = 1,     // the machine has no printer (the user is told)
  PrintNothing = 2,       // no page in the list or the range
  PrintFailed = 3,        // the printer could not be started or a page file was unreadable
};

// Journals `print-job "<queue>" <pages> <copies>` when the job is handed to CUPS.
int PrintPages(const PreviewQueue& pages, const PrintJobSettings& settings);

}  // namespace wdrt::report
