// A print job's document: the pages to print, in order, drawn one at a time onto the paper they
// come out on and made into one PDF (pictures passed through and stored once). The flush shows
// the progress and hands the document to CUPS. Nothing here asks or tells the user.
// Any thread; one job object on one thread at a time.
#pragma once

#include <QByteArray>
#include <QRectF>
#include <QSizeF>

#include <string>
#include <vector>

#include "runtime/report/PdfPages.h"
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
  PrintNoPrinter = 1,   // the machine has no printer (the user is told)
  PrintNothing = 2,     // no page in the list or the range
  PrintFailed = 3,      // the job could not be made or printed, and the user gave up
  PrintCancelled = 4,   // the user stopped it
};

// The page files of a list that a job prints: the settings' range, cut to the list.
std::vector<std::string> PagesToPrint(const PreviewQueue& pages, const PrintJobSettings& settings);

// Where a page file's picture goes on the paper, in points from the paper's top-left corner:
// as it is on paper of its own size, else its safe area into the paper's, centred; `turned`
// when a landscape page stands on upright paper.
struct PagePlacement {
  QRectF target;
  bool turned = false;
};
PagePlacement PlacePage(QSizeF pagePoints, QSizeF paperPoints);

class JobDocument {
 public:
  // `paperPoints` empty: each page on a paper of its own size.
  JobDocument(std::vector<std::string> files, QSizeF paperPoints);

  // Draws the next page. False when its file could not be read; the document is then
  // unusable.
  bool AddNextPage();
  int Done() const { return done_; }
  int Total() const { return static_cast<int>(files_.size()); }
  // The PDF of every page, once all are added; empty on failure.
  QByteArray Finish(const std::string& title);

 private:
  std::vector<std::string> files_;
  QSizeF paper_;
  PdfPages pdf_;
  int done_ = 0;
};

// The paper of a job in points: the settings' code, else the printer's default paper;
// empty when neither is known.
QSizeF JobPaper(const PrintJobSettings& settings, int printerPaperCode);

}  // namespace wdrt::report
