#include "HostedPrinting.h"

#include <QPrinter>
#include <algorithm>

#include "runtime/dialogs/PrinterDialog.h"
#include "runtime/report/PrinterSettings.h"

namespace pvhosted {

bool PreparePrinter(QPrinter& printer, bool withDialog, const std::string& title, int pageCount, PrintRange& range) {
  range = {};
  if (withDialog) {
    const wdrt::PrinterDialogResult chosen = wdrt::ShowPrinterDialog(title, pageCount);
    if (!chosen.ok) return false;
    range = {chosen.fromPage, chosen.toPage};
  }
  const wdrt::report::PrinterSettings current = wdrt::report::CurrentPrinter();
  if (current.device.empty()) return false;
  printer.setPrinterName(QString::fromStdString(current.device));
  printer.setCopyCount(std::max<int>(1, current.devMode.dmCopies));
  printer.setCollateCopies(current.devMode.dmCollate != 0);
  return printer.isValid();
}

}  // namespace pvhosted
