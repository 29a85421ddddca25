// The flush: prints a list of page files as one job and sees it through, on the calling
// procedure thread. A small window "Printing" shows "Page n of N" while the job's PDF is made,
// then the sending, then the job at the printer until CUPS has printed it; Cancel stops it at
// any point. Whatever stands in the job's way (a paused printer, no paper, an aborted job) is
// told in plain words under "Printing failed", with Retry and Cancel. Until CUPS has the whole
// job, closing the program does not stop it: the program waits for it.
// Procedure threads only (it opens a window and waits for answers).
#pragma once

#include "runtime/report/PreviewQueue.h"
#include "runtime/report/PrintJob.h"

namespace wdrt {

// Prints the settings' range of `pages` on the current printer. Returns a PrintResult:
// PrintDone once the printer has the job and has printed it (or the program ended after CUPS
// took it). Journals `print-job "<queue>" <pages> <copies>` when CUPS has accepted the job.
int FlushPages(const report::PreviewQueue& pages, const report::PrintJobSettings& settings);

// Waits until no flush of the program has a job on its way to CUPS (the program's end).
void WaitForFlushesToHandOver();

}  // namespace wdrt
