#include "runtime/dialogs/PrinterDialog.h"

#include <QApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QThread>
#include <future>
#include <mutex>

#include "runtime/core/Journal.h"
#include "runtime/core/ViewPort.h"
#include "runtime/dialogs/Message.h"
#include "runtime/report/PaperSizes.h"
#include "runtime/report/PrinterSettings.h"

namespace wdrt {

const char* const kNoPrinterText =
    "No printer is set up on this computer.||Add a printer in the system's printer settings, then try again.";

namespace {

std::mutex answererMutex;
std::function<PrinterDialogAnswer(const std::string&)> answerer;

// The dialog on screen (GUI thread only) and the printer it edits.
QPointer<QPrintDialog> openDialog;

// Runs `f` on the GUI thread and waits for its result.
template <typename F>
auto OnGuiThread(F&& f) {
  using Result = decltype(f());
  if (!qApp || QThread::currentThread() == qApp->thread()) return f();
  std::promise<Result> promise;
  auto future = promise.get_future();
  QMetaObject::invokeMethod(qApp, [&] { promise.set_value(f()); }, Qt::QueuedConnection);
  return future.get();
}

void LoadInto(QPrinter& printer, const report::PrinterSettings& s) {
  printer.setPrinterName(QString::fromStdString(s.device));
  printer.setCopyCount(std::max<int>(1, s.devMode.dmCopies));
  printer.setCollateCopies(s.devMode.dmCollate != 0);
  printer.setPageOrientation(s.devMode.dmOrientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
  if (const report::PaperSize* paper = report::FindPaper(s.devMode.dmPaperSize))
    printer.setPageSize(QPageSize(QSizeF(paper->width / 1000.0, paper->height / 1000.0), QPageSize::Point));
}

void StoreFrom(const QPrinter& printer, report::PrinterSettings s) {
  const std::string chosen = printer.printerName().toStdString();
  if (!chosen.empty() && chosen != s.device) {
    if (auto read = report::ReadPrinter(chosen)) s = *read;
  }
  s.devMode.dmCopies = static_cast<std::int16_t>(printer.copyCount());
  s.devMode.dmCollate = printer.collateCopies() ? 1 : 0;
  s.devMode.dmOrientation = printer.pageLayout().orientation() == QPageLayout::Landscape ? 2 : 1;
  const QSizeF points = printer.pageLayout().pageSize().size(QPageSize::Point);
  if (int code = report::PaperCodeForSize(static_cast<std::int32_t>(points.width() * 1000),
                                          static_cast<std::int32_t>(points.height() * 1000), 3000))
    s.devMode.dmPaperSize = static_cast<std::int16_t>(code);
  report::StorePrinterSettings(s);
}

void Journal(const std::string& title, PrinterDialogForm form, const PrinterDialogResult& r) {
  const std::string dialog = "printer-dialog " + JournalQuote(title) + (form == PrinterDialogSetup ? " setup" : "");
  if (!r.ok) {
    JournalLine(dialog + " -> Cancel");
    return;
  }
  const report::PrinterSettings s = report::CurrentPrinter();
  JournalLine(dialog + " -> Ok " + JournalQuote(s.device) +
              " copies=" + std::to_string(s.devMode.dmCopies) + " from=" + std::to_string(r.fromPage) +
              " to=" + std::to_string(r.toPage));
}

PrinterDialogResult Apply(const PrinterDialogAnswer& answer, report::PrinterSettings s) {
  PrinterDialogResult result;
  if (!answer.ok) return result;
  if (!answer.printer.empty() && answer.printer != s.device) {
    if (auto read = report::ReadPrinter(answer.printer)) s = *read;
  }
  if (answer.copies > 0) s.devMode.dmCopies = static_cast<std::int16_t>(answer.copies);
  report::StorePrinterSettings(s);
  result.ok = true;
  result.fromPage = answer.fromPage;
  result.toPage = answer.toPage;
  return result;
}

}  // namespace

void SetPrinterDialogAnswerer(std::function<PrinterDialogAnswer(const std::string&)> fn) {
  std::lock_guard lock(answererMutex);
  answerer = std::move(fn);
}

PrinterDialogResult ShowPrinterDialog(const std::string& title, int pageCount, PrinterDialogForm form) {
  const report::PrinterSettings settings = report::CurrentPrinter();
  if (settings.device.empty()) {
    Message(kNoPrinterText, title.empty() ? "Print" : title, IconExclamation, ButtonOk, ButtonOk);
    JournalLine("printer-dialog " + JournalQuote(title) + " -> Cancel");
    return {};
  }
  std::function<PrinterDialogAnswer(const std::string&)> scripted;
  {
    std::lock_guard lock(answererMutex);
    scripted = answerer;
  }
  PrinterDialogResult result;
  if (scripted || !GetViewPort() || !qApp) {
    result = Apply(scripted ? scripted(title) : PrinterDialogAnswer{}, settings);
    if (form == PrinterDialogSetup) result.fromPage = result.toPage = 0;
  } else {
    result = OnGuiThread([&] {
      PrinterDialogResult r;
      QPrinter printer(QPrinter::HighResolution);
      LoadInto(printer, settings);
      QPrintDialog dialog(&printer);
      dialog.setWindowTitle(QString::fromStdString(title));
      if (form == PrinterDialogSetup) {
        dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize);
      } else if (pageCount > 0) {
        dialog.setMinMax(1, pageCount);
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
      }
      openDialog = &dialog;
      const int code = dialog.exec();
      openDialog = nullptr;
      if (code != QDialog::Accepted) return r;
      StoreFrom(printer, settings);
      r.ok = true;
      if (form == PrinterDialogPrint && printer.printRange() == QPrinter::PageRange) {
        r.fromPage = printer.fromPage();
        r.toPage = printer.toPage();
      }
      return r;
    });
  }
  Journal(title, form, result);
  return result;
}

bool AnswerPrinterDialog(const PrinterDialogAnswer& answer) {
  if (!qApp) return false;
  return OnGuiThread([&] {
    if (!openDialog) return false;
    QPrinter* printer = openDialog->printer();
    if (!answer.ok) {
      openDialog->reject();
      return true;
    }
    // The choices go straight into the printer; done() then closes without reading the form.
    if (!answer.printer.empty()) printer->setPrinterName(QString::fromStdString(answer.printer));
    if (answer.copies > 0) printer->setCopyCount(answer.copies);
    if (answer.fromPage > 0) {
      printer->setPrintRange(QPrinter::PageRange);
      printer->setFromTo(answer.fromPage, std::max(answer.fromPage, answer.toPage));
    }
    openDialog->done(QDialog::Accepted);
    return true;
  });
}

}  // namespace wdrt
