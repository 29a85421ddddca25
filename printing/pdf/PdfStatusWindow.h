// The PDF writer's status window "Please Wait...": converts as many pages per timer tick as
// take about 40 ms, shows the progress and "Page n of m", and asks before cancelling. Runs on
// the calling procedure thread; the thread's previous window gives up its timer meanwhile.
#pragma once

#include <functional>
#include <string>

#include "runtime/core/Window.h"
#include "runtime/core/WindowDef.h"
#include "runtime/flush/ProgressLoop.h"

namespace printing {

enum StatusControl : int {
  StatusMessageControl = 1,  // STATUSMESSAGE
  StatusProgressControl = 2, // PROGRESS1
  StatusPageControl = 3,     // LOC:PCTDONE
  StatusCancelControl = 4,   // CANCEL
};

wdrt::WindowDef StatusWindowDef();

// "Page 3 of 12", cut at 30 characters.
std::string PageOfText(int page, int pages);

class PdfStatusWindow {
 public:
  // Opens the window (stopping the previous window's timer).
  PdfStatusWindow();
  // Closes it and gives the previous window its timer back.
  ~PdfStatusWindow();
  PdfStatusWindow(const PdfStatusWindow&) = delete;
  PdfStatusWindow& operator=(const PdfStatusWindow&) = delete;

  // Calls takePage(1 .. pages) in order, a slice of them per timer tick. False when the user
  // cancelled.
  bool RunPages(int pages, const std::function<void(int)>& takePage);
  // Shows "Writing PDF".
  void ShowWriting();

 private:
  bool AskCancel();

  wdrt::ProgressLoop loop_;
};

}  // namespace printing
