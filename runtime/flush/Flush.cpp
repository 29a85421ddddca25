#include "runtime/flush/Flush.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>

#include "runtime/core/Journal.h"
#include "runtime/dialogs/Message.h"
#include "runtime/dialogs/PrinterDialog.h"
#include "runtime/flush/PrintingWindow.h"
#include "runtime/flush/ProgressLoop.h"
#include "runtime/report/CupsJob.h"
#include "runtime/report/PrinterSettings.h"

namespace wdrt {
namespace {

using namespace std::chrono_literals;
using report::CupsJob;
using report::JobState;
using report::PrintCancelled;
using report::PrintDone;
using report::PrintFailed;

constexpr auto kSlice = 40ms;               // work between two looks at the window
constexpr qsizetype kSendPiece = 256 * 1024;
constexpr int kFollowHundredths = 50;        // the job's state is read twice a second
constexpr const char* kFailedTitle = "Printing failed";

// Flushes whose job has not reached CUPS yet: the program's end waits for them.
std::mutex handOverMutex;
std::condition_variable handedOver;
int onTheWay = 0;

class OnTheWay {
 public:
  OnTheWay() {
    std::lock_guard lock(handOverMutex);
    ++onTheWay;
  }
  ~OnTheWay() { Release(); }
  void Release() {
    if (released_) return;
    released_ = true;
    std::lock_guard lock(handOverMutex);
    --onTheWay;
    handedOver.notify_all();
  }

 private:
  bool released_ = false;
};

class FlushRun {
 public:
  FlushRun(std::vector<std::string> files, const report::PrintJobSettings& settings,
           const report::PrinterSettings& printer)
      : title_(settings.jobText.empty() ? "Report" : settings.jobText),
        queue_(printer.device),
        paper_(report::JobPaper(settings, printer.devMode.dmPaperSize)),
        options_(report::JobOptionsFor(settings, printer, paper_)),
        pages_(static_cast<int>(files.size())),
        document_(std::move(files), paper_),
        job_(printer.device) {}

  int Go() {
    ProgressLoop loop(PrintingWindowDef(), PrintingCancel, 1);
    window_ = loop.Window();
    Say("Preparing the pages for \"" + queue_ + "\"");
    loop.Run([this] { return Slice(); }, [this](ProgressLoop::Request r) { return Stop(r); });
    return result_.value_or(PrintCancelled);
  }

 private:
  enum class Phase { Preparing, Sending, Following };

  void Say(const std::string& text) {
    SetText(window_, PrintingMessage, text);
    Display(window_);
  }
  void Show(long done, long total, const std::string& text) {
    SetValue(window_, PrintingBar, std::to_string(total > 0 ? done * 100 / total : 100));
    SetText(window_, PrintingPages, text);
    Display(window_);
  }

  ProgressLoop::Step Finished(int result) {
    result_ = result;
    return ProgressLoop::Step::Done;
  }

  ProgressLoop::Step Slice() {
    switch (phase_) {
      case Phase::Preparing: return Prepare();
      case Phase::Sending: return Send();
      case Phase::Following: return Follow();
    }
    return ProgressLoop::Step::More;
  }

  ProgressLoop::Step Prepare() {
    const bool readable = ForAbout(kSlice, [this] {
      if (document_.Done() >= document_.Total()) return false;
      return document_.AddNextPage();
    });
    Show(document_.Done(), pages_, "Page " + std::to_string(document_.Done()) + " of " + std::to_string(pages_));
    if (document_.Done() < document_.Total()) {
      if (readable) return ProgressLoop::Step::More;
      Message("A page of this print could not be read, so nothing was printed.", kFailedTitle, IconExclamation,
              ButtonOk, ButtonOk);
      return Finished(PrintFailed);
    }
    pdf_ = document_.Finish(title_);
    if (pdf_.isEmpty()) {
      Message("The pages could not be made ready for the printer.", kFailedTitle, IconExclamation, ButtonOk,
              ButtonOk);
      return Finished(PrintFailed);
    }
    return StartSending();
  }

  ProgressLoop::Step StartSending() {
    phase_ = Phase::Sending;
    Say("Sending the book to \"" + queue_ + "\"");
    if (job_.Start(title_, options_)) return ProgressLoop::Step::More;
    return AskAfterTrouble(job_.Error(), true);
  }

  ProgressLoop::Step Send() {
    const bool sent = ForAbout(kSlice, [this] { return !job_.AllSent(pdf_) && job_.Send(pdf_, kSendPiece); });
    const long kb = static_cast<long>(pdf_.size() / 1024);
    Show(std::min<long>(kb, static_cast<long>(job_.SentBytes() / 1024)), kb,
         std::to_string(pages_) + (pages_ == 1 ? " page" : " pages"));
    if (!job_.AllSent(pdf_)) {
      if (sent || job_.Error().empty()) return ProgressLoop::Step::More;
      job_.Cancel();
      return AskAfterTrouble(job_.Error(), true);
    }
    if (!job_.Finish()) return AskAfterTrouble(job_.Error(), true);
    JournalLine("print-job " + JournalQuote(queue_) + " " + std::to_string(pages_) + " " +
                std::to_string(options_.copies));
    onTheWay_.Release();
    phase_ = Phase::Following;
    Say("Printing on \"" + queue_ + "\"");
    SetTimer(window_, kFollowHundredths);
    return ProgressLoop::Step::More;
  }

  ProgressLoop::Step Follow() {
    const JobState state = job_.ReadState();
    if (state.job == JobState::Completed) {
      JournalLine("print-completed " + JournalQuote(queue_) + " " + std::to_string(job_.Id()));
      return Finished(PrintDone);
    }
    const std::string trouble = report::DescribeTrouble(state, queue_);
    if (trouble.empty()) return ProgressLoop::Step::More;
    // A job the printing system gave up, or stopped on its own, is sent again on Retry; one
    // that waits for its printer goes on by itself once the printer does.
    const bool ended = state.job == JobState::Aborted || state.job == JobState::Cancelled ||
                       (state.job == JobState::Stopped && !state.printerStopped);
    return AskAfterTrouble(trouble, ended);
  }

  // Tells what went wrong. Retry sends the job again when it is gone or stopped, or goes on
  // following it (a resumed printer goes on by itself); Cancel gives up and takes the job back.
  ProgressLoop::Step AskAfterTrouble(const std::string& words, bool jobGone) {
    JournalLine("print-trouble " + JournalQuote(queue_) + " " + JournalQuote(words));
    const int answer = Message(words, kFailedTitle, IconExclamation, ButtonRetry | ButtonCancel, ButtonRetry);
    if (answer != ButtonRetry) {
      if (!jobGone) job_.Cancel();
      return Finished(PrintFailed);
    }
    if (!jobGone) return ProgressLoop::Step::More;
    job_.Cancel();  // what is left of it, so that it cannot print twice
    return StartSending();
  }

  bool Stop(ProgressLoop::Request request) {
    if (request == ProgressLoop::Request::CloseDown) {
      // The program is ending: a job on its way still goes whole to CUPS; one that CUPS has
      // is left to it.
      if (phase_ != Phase::Following) return false;
      result_ = PrintDone;
      return true;
    }
    job_.Cancel();
    JournalLine("print-cancelled " + JournalQuote(queue_));
    result_ = PrintCancelled;
    return true;
  }

  std::string title_;
  std::string queue_;
  QSizeF paper_;
  report::JobOptions options_;
  int pages_;
  report::JobDocument document_;
  CupsJob job_;
  QByteArray pdf_;
  WindowPtr window_;
  Phase phase_ = Phase::Preparing;
  std::optional<int> result_;
  OnTheWay onTheWay_;
};

}  // namespace

int FlushPages(const report::PreviewQueue& pages, const report::PrintJobSettings& settings) {
  const report::PrinterSettings printer = report::CurrentPrinter();
  if (printer.device.empty()) {
    Message(kNoPrinterText, "Print", IconExclamation, ButtonOk, ButtonOk);
    return report::PrintNoPrinter;
  }
  std::vector<std::string> files = report::PagesToPrint(pages, settings);
  if (files.empty()) return report::PrintNothing;
  FlushRun run(std::move(files), settings, printer);
  return run.Go();
}

void WaitForFlushesToHandOver() {
  std::unique_lock lock(handOverMutex);
  handedOver.wait(lock, [] { return onTheWay == 0; });
}

}  // namespace wdrt
