// The printer dialog: the platform's own, showing the current printer's settings; what the
// user chooses there (printer, copies, collate, pages, paper, orientation) becomes the
// program's current printer settings. Called from a procedure thread (which waits) or from
// the GUI thread. Tests answer it through the scripted driver or an answerer.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace wdrt {

struct PrinterDialogResult {
  bool ok = false;
  int fromPage = 0;  // 0: all pages
  int toPage = 0;
};

// The print form chooses the printer, copies and pages; the setup form the printer and its
// paper only (PRINTERDIALOG's setup flag).
enum PrinterDialogForm { PrinterDialogPrint, PrinterDialogSetup };

// Shows the dialog titled `title`; `pageCount` > 0 offers a page range within 1..pageCount
// (print form only). Without any printer it says so in a message and returns Cancel. Journals
// `printer-dialog "<title>" -> Ok "<queue>" copies=<n> from=<n> to=<n>` or `-> Cancel`, with
// " setup" after the title for the setup form.
PrinterDialogResult ShowPrinterDialog(const std::string& title, int pageCount = 0,
                                      PrinterDialogForm form = PrinterDialogPrint);

// What a script answers: Ok or Cancel, and the choices to make before Ok.
struct PrinterDialogAnswer {
  bool ok = true;
  std::string printer;  // "" keeps the shown printer
  int copies = 0;       // 0 keeps the shown count
  int fromPage = 0;     // 0 keeps all pages
  int toPage = 0;
};

// Answers the open printer dialog, if any (any thread). False when none is open.
bool AnswerPrinterDialog(const PrinterDialogAnswer& answer);

// Without a view, dialogs are answered by this (tests); null: Ok with the shown settings.
void SetPrinterDialogAnswerer(std::function<PrinterDialogAnswer(const std::string& title)> answerer);

// The message when the machine has no printer.
extern const char* const kNoPrinterText;

}  // namespace wdrt
