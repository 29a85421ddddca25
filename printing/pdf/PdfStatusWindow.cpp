#include "printing/pdf/PdfStatusWindow.h"

#include "runtime/core/Runtime.h"
#include "runtime/dialogs/Message.h"

namespace printing {

using namespace wdrt;

WindowDef StatusWindowDef() {
  WindowDef def;
  def.kind = WindowKind::Window;
  def.module = "pdfrw25";
  def.title = "Please Wait...";
  def.size = {0, 0, 179, 76};
  def.font = {"MS Sans Serif", 8, false, kColorNone};
  def.resizable = false;
  ControlDef message;
  message.type = TypeString;
  message.use = "?STATUSMESSAGE";
  message.text = "Generating PDF";
  message.pos = {25, 6, 130, 10};
  ControlDef progress;
  progress.type = TypeProgress;
  progress.use = "?PROGRESS1";
  progress.pos = {20, 21, 139, 14};
  ControlDef pages;
  pages.type = TypeString;
  pages.use = "?LOC:PCTDONE";
  pages.pos = {20, 40, 139, 10};
  ControlDef cancel;
  cancel.type = TypeButton;
  cancel.use = "?CANCEL";
  cancel.text = "Cancel";
  cancel.pos = {67, 55, 45, 14};
  def.controls = {message, progress, pages, cancel};
  return def;
}

std::string PageOfText(int page, int pages) {
  return ("Page " + std::to_string(page) + " of " + std::to_string(pages)).substr(0, 30);
}

PdfStatusWindow::PdfStatusWindow() {
  previous_ = Target();
  if (previous_) {
    previousTimer_ = previous_->TimerInterval();
    SetTimer(previous_, 0);
  }
  window_ = Open(StatusWindowDef());
  SetValue(window_, StatusProgressControl, "0");
  SetTimer(window_, 10);
}

PdfStatusWindow::~PdfStatusWindow() {
  if (window_ && window_->IsOpen()) Close(window_);
  if (previous_ && previous_->IsOpen()) SetTimer(previous_, previousTimer_);
}

bool PdfStatusWindow::AskCancel() {
  return Message("Do you wish to Cancel the PDF Generation?", "Cancel PDF?", IconQuestion, ButtonYes | ButtonNo,
                 ButtonNo) == ButtonYes;
}

bool PdfStatusWindow::RunPages(int pages, const std::function<void(int)>& takePage) {
  int next = 1;
  Event event;
  while (next <= pages && Accept(window_, event)) {
    switch (event.number) {
      case EventTimer: {
        takePage(next);
        SetValue(window_, StatusProgressControl, std::to_string(next * 100 / pages));
        SetText(window_, StatusPageControl, PageOfText(next, pages));
        Display(window_);
        ++next;
        break;
      }
      case EventAccepted:
        if (event.control == StatusCancelControl && AskCancel()) return false;
        break;
      case EventCloseWindow:
        // Closing the window is a request to cancel, asked like the button.
        if (AskCancel()) return false;
        break;
      case EventCloseDown:
        return false;
      default:
        DefaultHandling(window_, event);
        break;
    }
  }
  return next > pages;
}

void PdfStatusWindow::ShowWriting() {
  SetText(window_, StatusMessageControl, "Writing PDF");
  Display(window_);
}

}  // namespace printing
