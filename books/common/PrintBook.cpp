// PrintBook1a: prints the book once for every child of the personalisation file into the report
// engine, batch by batch on the progress window's timer, then hands the pages to the previewer
// (which may print them) or, with "Create pdf file" ticked, to the PDF writer. Runs on a thread
// of its own; every page file it made is deleted on every way out.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "books/common/BookGlobals.h"
#include "books/common/BookWindow.h"
#include "books/common/BookletReport.h"
#include "books/common/PrintSelection.h"
#include "family/Child.h"
#include "family/Kidlt.h"
#include "family/SuiteSettings.h"
#include "framework/CheckOpen.h"
#include "framework/StandardWarning.h"
#include "printing/pdf/BookPdf.h"
#include "printing/report/PdfPageSet.h"
#include "printing/report/ReportDisplayStrings.h"
#include "printing/report/ReportGeneration.h"
#include "printing/report/ReportRunSteps.h"
#include "runtime/core/Keys.h"
#include "runtime/data/ErrorState.h"
#include "runtime/data/KeyedView.h"
#include "runtime/dialogs/Message.h"
#include "runtime/report/PrinterSettings.h"
#include "runtime/report/Report.h"

namespace book {
namespace {

using wdrt::report::PreviewQueue;
using wdrt::report::Report;

constexpr int kThermometer = 1, kUserString = 2, kPctText = 3, kCancel = 4;
constexpr const char* kSettingsFile = "RPVWRPTS.INI";
// Zoom 50, help from the settings file, text export shown, opened zoomed in (option 8).
constexpr printing::PreviewCall kBookPreview{50, true, false, false, 8};

wdrt::WindowDef ProgressWindowDef(const std::string& module) {
  wdrt::WindowDef def;
  def.kind = wdrt::WindowKind::Window;
  def.module = module;
  def.title = "Progress...";
  def.size = {0, 0, 142, 59};
  def.font = {"MS Sans Serif", 8, false, wdrt::kColorNone};
  def.resizable = false;
  wdrt::ControlDef thermometer;
  thermometer.type = wdrt::TypeProgress;
  thermometer.use = "?PROGRESS:THERMOMETER";
  thermometer.pos = {15, 15, 111, 12};
  wdrt::ControlDef user;
  user.type = wdrt::TypeString;
  user.use = "?PROGRESS:USERSTRING";
  user.pos = {0, 3, 141, 10};
  wdrt::ControlDef percent = user;
  percent.use = "?PROGRESS:PCTTEXT";
  percent.pos = {0, 30, 141, 10};
  wdrt::ControlDef cancel;
  cancel.type = wdrt::TypeButton;
  cancel.use = "?PROGRESS:CANCEL";
  cancel.text = "Cancel";
  cancel.pos = {45, 42, 50, 15};
  def.controls = {thermometer, user, percent, cancel};
  return def;
}

// One run of the print procedure: its state, its progress window's controller and what it
// does after the window closes.
class PrintRun : public BookWindow {
 public:
  explicit PrintRun(const BookDef& book)
      : BookWindow("PrintBook1a"),
        book_(book),
        reportDef_(book.report ? book.report() : MakeBookletReport(book)),
        report_(reportDef_),
        view_(kidlt_, kKidltNameKey) {}

  void Go() {
    BookGlobals& g = Globals();
    // Start.
    queue_.Free();
    strings_ = printing::LoadReportDisplayStrings(kSettingsFile, "", "Preview", "Do you wish to PREVIEW this Report?");
    std::error_code ec;
    startFolder_ = std::filesystem::current_path(ec).string();
    wdrt::report::PrinterSettings printer = wdrt::report::CurrentPrinter();
    printersOwnCopies_ = printer.devMode.dmCopies;
    printer.devMode.dmCopies = 1;
    wdrt::report::StorePrinterSettings(printer);
    g.GlobalResponse = 0;
    openedTable_ = !kidlt_.IsOpen();
    if (openedTable_) CheckOpen(kidlt_, 1, 0, 0, 1);
    wdrt::SetKeyCode(0);
    Run();
    wdrt::Close(window);
    AfterGeneration();
  }

  int Init() override {
    const int level = BeginInit(true);
    if (level != LevelOk) return level;
    window = wdrt::Open(ProgressWindowDef(ModuleName(book_.program, book_.printModule + 1)));
    generation_.Begin(window, strings_, kidlt_.Records());
    kidlt_.Send("QUICKSCAN=on");
    OPENED = 1;
    return LevelOk;
  }

  int OnEvent() override {
    if (generation_.OnEvent(wdrt::CurrentEvent(), [this] { Prepare(); }, [this] { PrintRecord(); })) return LevelOk;
    return WindowController::OnEvent();
  }

  int OnAccepted() override {
    const int level = WindowController::OnAccepted();
    generation_.OnAccepted(wdrt::CurrentEvent().control,
                           [this] { return queue_.Records() != 0 || report_.PagesDone() != 0; });
    return level;
  }

 private:
  // After the first child has been read.
  void Prepare() {
    // The sheets come out on the paper of the printer or, for a PDF, of the locale, unless the
    // grown-ups chose one.
    report_.paper = BookletPaper(Globals().EMAILREQ == 1, book_.iniFile);
    report_.Open();
    savedCopies_ = printing::PrepareReportCopies(report_);
    if (report_.jobText.empty()) report_.jobText = "PrintBook1a";
    report_.SetPreviewQueue(&queue_);
  }

  void PrintRecord() {
    if (Globals().EMAILREQ == 1 && !namerSet_) {
      pages_.SetNamer(report_);
      namerSet_ = true;
    }
    // Each child's booklet is that child's book: its texts say the child's name.
    const std::string child = TrimmedName();
    const auto fields = [&child](const std::string& field) { return field == "child" ? child : std::string(); };
    for (const char* band : kBookletBands) report_.Print(band, fields);
    children_.push_back(child);
  }

  // Reads the next child; false when none is left.
  bool ReadRecord() {
    if (!viewOpened_) {
      viewOpened_ = true;
      if (!view_.Open()) StandardWarning(WarnViewOpen, "KIDLT");
    }
    if (view_.Next()) return true;
    if (wdrt::ErrorCode() != wdrt::ErrNoMoreRecords) StandardWarning(WarnRecordRetrieval, "KIDLT");
    return false;
  }

  std::string TrimmedName() const {
    std::string name = kidlt_.Record().Text("NAME");
    name.erase(name.find_last_not_of(' ') + 1);
    return name;
  }

  void AfterGeneration() {
    BookGlobals& g = Globals();
    kidlt_.Send("QUICKSCAN=off");
    response_ = generation_.Batches().Completed() ? ResponseCompleted : ResponseCancelled;
    if (generation_.Batches().Previewable()) {
      report_.EndPage();
      pages_.CopyPages(queue_);
      if (g.EMAILREQ == 1) {
        queue_.Free();  // neither shown nor printed
        g.GlobalResponse = ResponseCompleted;
      }
      if (queue_.Records() == 0) {
        if (g.EMAILREQ != 1) printing::ShowNothingToPreview(strings_);
      } else {
        report_.copies = savedCopies_;
        const std::int32_t result = printing::PreviewThenPrint(queue_, report_, kBookPreview, kSettingsFile);
        g.GlobalResponse = static_cast<std::uint8_t>(result);
      }
      response_ = g.GlobalResponse;
    } else {
      // Cancelled: the pages made so far are nobody's but this run's.
      cancelledPages_ = queue_.Names();
      if (g.EMAILREQ != 1) printing::ShowNothingToPreview(strings_);
    }

    // The PDF, when it is still wanted now.
    if (g.EMAILREQ == 1 && pages_.NEWPREVIEWQUEUE.Records() > 0) {
      if (response_ == ResponseCompleted ||
          (response_ == ResponseCancelled &&
           wdrt::Message("Report Not Printed||Create PDF anyway?", "Create PDF?", wdrt::IconQuestion,
                         wdrt::ButtonYes | wdrt::ButtonNo, wdrt::ButtonNo) == wdrt::ButtonYes))
        WritePdf();
    }

    report_.Close();
    queue_.Free();
    view_.Close();
    if (openedTable_) kidlt_.Close();
    g.GlobalResponse = response_ != 0 ? response_ : static_cast<std::uint8_t>(ResponseCancelled);
    std::error_code ec;
    if (std::filesystem::current_path(ec).string() != startFolder_) std::filesystem::current_path(startFolder_, ec);
    pages_.CleanUp();
    for (const std::string& name : cancelledPages_) ::unlink(name.c_str());
    // The copies chosen for this book were for this book: the printer keeps its own count.
    wdrt::report::PrinterSettings printer = wdrt::report::CurrentPrinter();
    printer.devMode.dmCopies = printersOwnCopies_;
    wdrt::report::StorePrinterSettings(printer);
  }

  // The PDF goes where a parent looks, named after the book and the children in it.
  void WritePdf() {
    const std::string file =
        printing::TakePdfName(printing::BookPdfFolder(), printing::BookPdfName(WithChildName(book_.title, ChildName(book_.iniFile)), children_));
    if (file.empty()) {
      wdrt::Message("The PDF could not be saved: the folder " + printing::BookPdfFolder() + " cannot be made.",
                    "PDF not saved", wdrt::IconExclamation, wdrt::ButtonOk, wdrt::ButtonOk);
      return;
    }
    if (!pages_.WritePdf(report_, file)) ::unlink(file.c_str());  // the name was taken for nothing
  }

  const BookDef& book_;
  // Each run reads the children through a file object of its own: two runs printing at once
  // (the print button pressed twice) would otherwise share one record buffer and cursor.
  wdrt::KeyedFile kidlt_{KidltDefinition()};
  wdrt::report::ReportDef reportDef_;
  Report report_;
  PreviewQueue queue_;
  printing::PdfPageSet pages_;
  printing::ReportDisplayStrings strings_;
  wdrt::KeyedView view_;
  std::string startFolder_;
  std::vector<std::string> cancelledPages_;
  std::uint8_t response_ = ResponseCancelled;
  printing::ReportGeneration generation_{{kThermometer, kUserString, kPctText, kCancel},
                                         [this] { return ReadRecord(); }};
  std::vector<std::string> children_;  // the children printed, in order
  bool viewOpened_ = false;
  bool openedTable_ = false;
  bool namerSet_ = false;
  int savedCopies_ = 1;
  std::int16_t printersOwnCopies_ = 1;
};

}  // namespace

void PrintBook1a() {
  BookGlobals& g = Globals();
  if (!g.book) return;
  PrintRun run(*g.book);
  run.Go();
}

}  // namespace book
