#include "runtime/report/PrintJob.h"

#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>

#include "runtime/core/Journal.h"
#include "runtime/core/ViewPort.h"
#include "runtime/dialogs/Message.h"
#include "runtime/dialogs/PrinterDialog.h"
#include "runtime/report/PaperSizes.h"
#include "runtime/report/PrinterSettings.h"
#include "runtime/report/Report.h"
#include "runtime/report/WmfPlayer.h"

namespace wdrt::report {

PrintJobSettings JobSettingsOf(const Report& report) {
  PrintJobSettings s;
  s.copies = report.copies;
  s.collate = report.collate;
  s.jobText = report.jobText.empty() ? report.Def().name : report.jobText;
  s.pageFrom = report.pageFrom;
  s.pageTo = report.pageTo;
  s.paper = report.paper;
  s.landscape = report.landscape;
  return s;
}

int PrintPages(const PreviewQueue& pages, const PrintJobSettings& settings) {
  const PrinterSettings printerSettings = CurrentPrinter();
  if (printerSettings.device.empty()) {
    Message(kNoPrinterText, "Print", IconExclamation, ButtonOk, ButtonOk);
    return PrintNoPrinter;
  }
  const std::vector<std::string> names = pages.Names();
  const int count = static_cast<int>(names.size());
  const int from = settings.pageFrom > 0 ? settings.pageFrom : 1;
  const int to = settings.pageTo > 0 ? std::min(settings.pageTo, count) : count;
  if (count == 0 || from > to) return PrintNothing;

  QPrinter printer(QPrinter::HighResolution);
  printer.setPrinterName(QString::fromStdString(printerSettings.device));
  printer.setDocName(QString::fromStdString(settings.jobText.empty() ? "Report" : settings.jobText));
  printer.setCopyCount(std::max(1, settings.copies));
  printer.setCollateCopies(settings.collate);
  printer.setFullPage(true);
  const PaperSize* paper = FindPaper(settings.paper > 0 ? settings.paper : printerSettings.devMode.dmPaperSize);
  if (paper) printer.setPageSize(QPageSize(QSizeF(paper->width / 1000.0, paper->height / 1000.0), QPageSize::Point));
  printer.setPageOrientation(settings.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
  if (!printer.isValid()) return PrintFailed;

  QPainter painter;
  if (!painter.begin(&printer)) return PrintFailed;
  const double dpi = printer.resolution();
  int sent = 0;
  bool ok = true;
  for (int page = from; page <= to; ++page) {
    QFile file(QString::fromStdString(names[static_cast<std::size_t>(page - 1)]));
    if (!file.open(QIODevice::ReadOnly)) {
      ok = false;
      break;
    }
    const QByteArray bytes = file.readAll();
    if (sent > 0) printer.newPage();
    // The page file keeps its own size in inches; it is drawn from the paper's corner.
    QRectF target = printer.pageLayout().fullRectPixels(static_cast<int>(dpi));
    if (auto header = ReadWmfHeader(bytes); header && header->sizeInches.width() > 0 && header->sizeInches.height() > 0)
      target = QRectF(0, 0, header->sizeInches.width() * dpi, header->sizeInches.height() * dpi);
    PlayWmf(painter, bytes, target);
    ++sent;
  }
  painter.end();
  if (!ok && sent == 0) return PrintFailed;
  JournalLine("print-job " + JournalQuote(printerSettings.device) + " " + std::to_string(sent) + " " +
              std::to_string(std::max(1, settings.copies)));
  return ok ? PrintDone : PrintFailed;
}

}  // namespace wdrt::report
