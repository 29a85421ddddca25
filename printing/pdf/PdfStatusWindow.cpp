#include "printing/pdf/PdfStatusWindow.h"

#include "runtime/core/Runtime.h"
#include "runtime/flush/ProgressLoop.h"
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

PdfStatusWindow::PdfStatusWindow() : loop_(StatusWindowDef(), StatusCancelControl, 1) {
  SetValue(loop_.Window(), StatusProgressControl, "0");
}

PdfStatusWindow::~PdfStatusWindow() = default;

bool PdfStatusWindow::AskCancel() {
  return Message("Do you wish to Cancel the PDF Generation?", "Cancel PDF?", IconQuestion, ButtonYes | ButtonNo,
                 ButtonNo) == ButtonYes;
}

bool PdfStatusWindow::RunPages(int pages, const std::function<void(int)>& takePage) {
  const WindowPtr& window = loop_.Window();
  int next = 1;
  // As many pages a tick as take about 40 ms: the window answers between ticks, and a class
  // set takes seconds rather than a tick a page.
  return loop_.Run(
      [&] {
        ForAbout(std::chrono::milliseconds(40), [&] {
          takePage(next++);
          return next <= pages;
        });
        SetValue(window, StatusProgressControl, std::to_string((next - 1) * 100 / pages));
        SetText(window, StatusPageControl, PageOfText(next - 1, pages));
        Display(window);
        return next > pages ? ProgressLoop::Step::Done : ProgressLoop::Step::More;
      },
      [this](ProgressLoop::Request request) { return request == ProgressLoop::Request::CloseDown || AskCancel(); });
}

void PdfStatusWindow::ShowWriting() {
  SetText(loop_.Window(), StatusMessageControl, "Writing PDF");
  Display(loop_.Window());
}

}  // namespace printing
