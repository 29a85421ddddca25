#include "printing/report/ReportRunSteps.h"

#include <algorithm>
#include <cstdio>

#include "rpvw32/Exports.h"
#include "runtime/core/Events.h"
#include "runtime/core/Keys.h"
#include "runtime/dialogs/Message.h"
#include "runtime/flush/Flush.h"
#include "runtime/report/PrinterSettings.h"

namespace printing {

void ReportProgress::Show(const wdrt::WindowPtr& window, long processed, long toProcess,
                          const std::string& percentSuffix) {
  if (percent_ < 100 && toProcess > 0) percent_ = static_cast<int>(std::min<long>(100, processed * 100 / toProcess));
  if (std::to_string(percent_) != wdrt::GetValue(window, thermometer_)) {
    wdrt::SetValue(window, thermometer_, std::to_string(percent_));
    wdrt::Display(window, thermometer_);
  }
  char text[16];
  std::snprintf(text, sizeof text, "%3d", percent_);
  wdrt::SetText(window, percentText_, text + percentSuffix);
}

CancelAnswer AskToCancel(const ReportDisplayStrings& strings, bool pagesMade) {
  const int sure = wdrt::Message(strings.CancelAreYouSureText, strings.CancelAreYouSureTitle, wdrt::IconQuestion,
                                 wdrt::ButtonYes | wdrt::ButtonNo, wdrt::ButtonNo);
  if (sure != wdrt::ButtonYes) return CancelAnswer::KeepGoing;
  if (!pagesMade) return CancelAnswer::Cancelled;
  const int partial =
      wdrt::Message(strings.CancelPrvwPartialText, strings.CancelPrvwPartialTitle, wdrt::IconQuestion,
                    wdrt::ButtonYes | wdrt::ButtonNo | wdrt::ButtonIgnore, wdrt::ButtonNo);
  if (partial == wdrt::ButtonYes) return CancelAnswer::PreviewPartial;
  if (partial == wdrt::ButtonNo) return CancelAnswer::Cancelled;
  return CancelAnswer::OneAtATime;
}

void ReportBatches::Begin(wdrt::WindowPtr window, long toProcess, std::string percentSuffix) {
  window_ = std::move(window);
  toProcess_ = toProcess;
  percentSuffix_ = std::move(percentSuffix);
}

bool ReportBatches::ReadNext() {
  if (!read_()) return false;
  ++processed_;
  progress_.Show(window_, processed_, toProcess_, percentSuffix_);
  return true;
}

bool ReportBatches::Batch(const PrintRecord& print) {
  for (int i = 0; i < perEvent_; ++i) {
    print();
    if (!ReadNext()) {
      completed_ = true;  // no record left: the last one is printed
      return true;
    }
    completed_ = false;  // not finished while another record waits
  }
  return false;
}

bool ReportBatches::Cancel(CancelAnswer answer) {
  if (answer == CancelAnswer::KeepGoing) return false;
  perEvent_ = 1;
  if (answer == CancelAnswer::PreviewPartial) {
    completed_ = true;
    partial_ = true;
    return true;
  }
  if (answer == CancelAnswer::Cancelled) {
    completed_ = false;
    return true;
  }
  return false;  // one at a time: generation goes on, one record per timer event
}

bool ReportBatches::Previewable() const { return (completed_ && wdrt::KeyCode() != wdrt::KeyEsc) || partial_; }

int PrepareReportCopies(wdrt::report::Report& report) {
  const int printerCopies = wdrt::report::CurrentPrinter().devMode.dmCopies;
  if (report.copies != printerCopies) report.copies = std::max(1, printerCopies);
  const int saved = report.copies;
  if (report.collate) report.copies = 1;
  return saved;
}

void ShowNothingToPreview(const ReportDisplayStrings& strings) {
  wdrt::Message(strings.NothingToPrvwText, strings.NothingToPrvwTitle, wdrt::IconExclamation, wdrt::ButtonOk,
                wdrt::ButtonOk);
}

std::int32_t PreviewThenPrint(wdrt::report::PreviewQueue& pages, wdrt::report::Report& report,
                              const PreviewCall& call, const char* settingsFile) {
  const std::uint8_t fromIni = call.helpFromSettingsFile ? 1 : 0;
  const std::int32_t result =
      PRINTPREVIEW(&pages, call.zoom, 0, &report, 0, 0, 0, 0, 0, nullptr, 0, 0, 0, nullptr, 0, 0, 0, nullptr, 0,
                   fromIni, fromIni, call.hideTextExport ? 1 : 0, 0, call.skipTextButtonSetup ? 1 : 0,
                   call.optionBits, settingsFile, "", "", "", "", "", "", "", "", "");
  if (result != 1) return result;
  wdrt::report::PrinterSettings printer = wdrt::report::CurrentPrinter();
  const std::int16_t remembered = printer.devMode.dmCopies;
  printer.devMode.dmCopies = static_cast<std::int16_t>(report.copies);
  wdrt::report::StorePrinterSettings(printer);
  HANDLECOPIES(&pages, static_cast<std::int16_t>(report.copies));
  const int printed = wdrt::FlushPages(pages, wdrt::report::JobSettingsOf(report));
  printer = wdrt::report::CurrentPrinter();
  printer.devMode.dmCopies = remembered;
  wdrt::report::StorePrinterSettings(printer);
  // What did not print is not reported as printed.
  return printed == wdrt::report::PrintDone ? result : 2;
}

}  // namespace printing
